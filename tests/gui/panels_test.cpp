// The panels hold the controls the program looks up by name, of the kind it takes them for. The
// members uic makes are checked by the compiler; what this walk checks are the names the code
// looks up at run time: each record field's control, taken from the record's own field table,
// must be in its window once, edit or only show its field as the table says, and offer no value
// the device refuses.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "driver/parameter_catalogue.h"
#include "gui/qt_app.h"
#include "params/parametersatz.h"
#include "platform/gui/controls.h"
#include "platform/gui/indicator_ring.h"
#include "platform/gui/led.h"
#include "platform/gui/panels.h"
#include "platform/gui/port_picture_ring.h"
#include "platform/gui/toggle_button.h"

namespace {

using vrl::gui::labelOf;
using vrl::gui::loadPanel;

const char* const kPanels[] = {"MAINPANEL", "COMPANEL",   "STATUSPNL",
                               "INFOPANEL", "KALIBPANEL", "RENAMEPNL"};

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// Faults caught: a field's control misspelt or missing (the field is then neither shown nor
// taken over), of another kind than its field's type, editable where it only shows (or the
// other way round), without the label the comparison names it by, or offering a value or a
// precision the device refuses.
TEST(FieldControls, EachFieldHasItsControlOnceOfItsKindWithinTheDevicesRange) {
    const auto main = loadPanel("MAINPANEL");
    const auto kalib = loadPanel("KALIBPANEL");
    for (const auto& field : vrl::params::kFields) {
        if (field.control.empty()) continue;
        const std::string name(field.control);
        SCOPED_TRACE(name);
        const QString objectName = QString::fromStdString(name);
        const auto onMain = main->findChildren<QWidget*>(objectName);
        const auto onKalib = kalib->findChildren<QWidget*>(objectName);
        ASSERT_EQ(onMain.size() + onKalib.size(), 1) << "missing or not unique";
        QWidget* control = onMain.empty() ? onKalib.front() : onMain.front();
        const auto* row = vrl::driver::findParameter(field.name);
        ASSERT_NE(row, nullptr);
        if (!onMain.empty()) {
            EXPECT_FALSE(labelOf(control).isEmpty());
        }

        if (field.type == vrl::params::FieldType::Real) {
            auto* box = qobject_cast<QDoubleSpinBox*>(control);
            ASSERT_NE(box, nullptr) << "not a real control";
            if (!onMain.empty()) {
                EXPECT_EQ(box->isReadOnly(), !field.takenOver);
            }
            EXPECT_EQ(box->decimals(), row->decimals);
            EXPECT_GE(box->minimum(), row->low);
            EXPECT_LE(box->maximum(), row->high);
        } else if (auto* box = qobject_cast<QSpinBox*>(control)) {
            EXPECT_EQ(box->isReadOnly(), !field.takenOver);
            EXPECT_GE(box->minimum(), row->low);
            EXPECT_LE(box->maximum(), row->high);
        } else {
            auto* ring = qobject_cast<QComboBox*>(control);
            ASSERT_NE(ring, nullptr) << "not an integer control";
            EXPECT_EQ(qobject_cast<vrl::gui::IndicatorRing*>(ring) != nullptr, !field.takenOver);
            // Every value of the device's range once, and nothing else.
            std::vector<int> values;
            for (int i = 0; i < ring->count(); ++i) values.push_back(ring->itemData(i).toInt());
            std::sort(values.begin(), values.end());
            std::vector<int> range;
            for (int v = static_cast<int>(row->low); v <= static_cast<int>(row->high); ++v)
                range.push_back(v);
            EXPECT_EQ(values, range);
        }
    }
}

// Fault caught: an image the panel shows is missing from the program's resources.
TEST(PanelImages, ArePartOfTheProgram) {
    const std::pair<const char*, const char*> pictures[] = {{"MAINPANEL", "LADEN"},
                                                            {"MAINPANEL", "SPEICHERN"},
                                                            {"MAINPANEL", "PICTURE"},
                                                            {"INFOPANEL", "PICTURE"}};
    for (const auto& [panelName, name] : pictures) {
        const auto panel = loadPanel(panelName);
        QWidget* control = panel->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << panelName << " " << name;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            EXPECT_FALSE(button->icon().pixmap(QSize(32, 32)).isNull()) << name;
        else if (auto* label = qobject_cast<QLabel*>(control))
            EXPECT_FALSE(label->pixmap().isNull()) << panelName << " " << name;
        else
            ADD_FAILURE() << name << " shows no image";
    }
}

class PanelTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        panel_ = loadPanel(GetParam());
        ASSERT_NE(panel_, nullptr) << GetParam();
    }
    std::unique_ptr<QWidget> panel_;
};

// Fault caught: two objects of one name, of which a look-up by name finds either.
TEST_P(PanelTest, NamesEveryObjectOnce) {
    std::map<QString, int> count;
    for (const auto* object : panel_->findChildren<QObject*>()) {
        const QString name = object->objectName();
        // Qt names the inner parts of its own widgets "qt_...".
        if (!name.isEmpty() && !name.startsWith(QStringLiteral("qt_"))) ++count[name];
    }
    for (const auto& [name, n] : count) EXPECT_EQ(n, 1) << name.toStdString();
}

// Fault caught: a number field that commits on every digit typed ("1.5" sent as "1" first).
TEST_P(PanelTest, SpinBoxesReportOnlyFinishedEdits) {
    for (const auto* spin : panel_->findChildren<QAbstractSpinBox*>()) {
        EXPECT_FALSE(spin->keyboardTracking()) << spin->objectName().toStdString();
    }
}

// Fault caught: a panel that the modal popups do not find by its resource name.
TEST_P(PanelTest, CarriesItsResourceName) {
    EXPECT_EQ(panel_->objectName(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(AllPanels, PanelTest, ::testing::ValuesIn(kPanels),
                         [](const auto& info) { return std::string(info.param); });

// ---- rings: which item's text goes with which value

// Fault caught: an item that says one thing and sends another ("0 - 4 A" selecting range 1).

struct RingRow {
    const char* panel;
    const char* name;
    std::vector<std::pair<const char*, int>> items;
};
void PrintTo(const RingRow& row, std::ostream* out) {
    *out << row.panel << " " << row.name;
}

class RingTest : public ::testing::TestWithParam<RingRow> {};

TEST_P(RingTest, HoldsItsItemsWithTheirValues) {
    const auto& row = GetParam();
    const auto panel = loadPanel(row.panel);
    auto* ring = panel->findChild<QComboBox*>(row.name);
    ASSERT_NE(ring, nullptr);
    ASSERT_EQ(ring->count(), int(row.items.size()));
    for (int i = 0; i < ring->count(); ++i) {
        EXPECT_EQ(ring->itemText(i), u8(row.items[i].first)) << "item " << i;
        EXPECT_EQ(ring->itemData(i), QVariant(row.items[i].second)) << "item " << i;
    }
}

std::vector<std::pair<const char*, int>> addressItems() {
    static const char* const labels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    std::vector<std::pair<const char*, int>> items;
    for (int n = 0; n < 9; ++n) items.emplace_back(labels[n], '1' + n);
    items.emplace_back("alle", '&');
    return items;
}

const RingRow kRingRows[] = {
    {"MAINPANEL", "PAR_STROMKURVE", {{"1 - 4stufiger Ablauf", 1}, {"2 - Dreieck", 2}}},
    {"MAINPANEL", "PAR_MESSBEREICH", {{"0 - 0.4 A", 1}, {"0 - 4 A", 2}}},
    {"MAINPANEL", "PAR_KUNDENKALIBRIERUN", {{"standard", 0}, {"speziell", 1}}},
    {"MAINPANEL", "PAR_FREILAUFBEINULL", {{"aus", 0}, {"ein", 1}}},
    {"MAINPANEL", "PAR_FREILAUFBEIDELTAI", {{"aus", 0}, {"ein", 1}}},
    {"COMPANEL", "ADRESSE", addressItems()},
    {"COMPANEL", "COMPORT", {{"nicht geöffnet", 0}}},
};

INSTANTIATE_TEST_SUITE_P(Panels, RingTest, ::testing::ValuesIn(kRingRows), [](const auto& info) {
    return std::string(info.param.panel) + "_" + info.param.name;
});

// ---- state after creation

TEST(PanelStateTest, StatusPanelStartsWithPollingOffAndOutputsCleared) {
    vrl::gui::StatusPanel status;
    const auto& ui = status.ui;
    ASSERT_NE(ui.STATUSTIMER, nullptr);
    EXPECT_EQ(ui.STATUSTIMER->objectName(), "STATUSTIMER");
    EXPECT_EQ(ui.STATUSTIMER->interval(), 1000);
    EXPECT_FALSE(ui.STATUSTIMER->isSingleShot());
    EXPECT_FALSE(ui.STATUSTIMER->isActive());
    EXPECT_EQ(ui.STATUSTIMER->parent(), status.widget());

    EXPECT_FALSE(ui.TKVSTATUSABFRAGE->isChecked());
    EXPECT_EQ(ui.TKVSTATUSABFRAGE->onText(), u8("Statusabfrage ausschalten"));
    for (auto* box : status.widget()->findChildren<QCheckBox*>()) {
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
    }
    for (auto* lamp : status.widget()->findChildren<vrl::gui::Led*>()) {
        EXPECT_FALSE(lamp->isOn()) << lamp->objectName().toStdString();
    }
}

TEST(PanelStateTest, MainPanelStartsWithUnlimitedCycles) {
    vrl::gui::MainPanel main;
    EXPECT_TRUE(main.ui.PAR_ZYKLENUNBEGRENZT->isChecked());
    EXPECT_FALSE(main.ui.COMAKTIVLED->isOn());
    EXPECT_FALSE(main.ui.FEHLERLED->isOn());
    EXPECT_EQ(main.ui.COMPICTURERING->value(), vrl::gui::PortPictureRing::kNoPort);
}

// Fault caught: a ring that looks like a control but is skipped by Tab and does nothing.
TEST(PanelStateTest, DisplayOnlyRingLeadsToWhereItIsChanged) {
    vrl::gui::MainPanel main;
    EXPECT_EQ(main.ui.PAR_KUNDENKALIBRIERUN->focusPolicy(), Qt::StrongFocus);
    int asked = 0;
    QObject::connect(main.ui.PAR_KUNDENKALIBRIERUN, &vrl::gui::IndicatorRing::openRequested,
                     [&asked] { ++asked; });
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(main.ui.PAR_KUNDENKALIBRIERUN, &space);
    EXPECT_EQ(asked, 1);
}

// ---- the child dialogs close through their own buttons

struct DialogButtonRow {
    const char* panel;
    const char* button;
    int result;
};
void PrintTo(const DialogButtonRow& row, std::ostream* out) {
    *out << row.panel << " " << row.button;
}

class DialogButtonTest : public ::testing::TestWithParam<DialogButtonRow> {};

TEST_P(DialogButtonTest, ClosesTheDialogWithItsResult) {
    const auto& row = GetParam();
    const auto panel = loadPanel(row.panel);
    auto* dialog = qobject_cast<QDialog*>(panel.get());
    ASSERT_NE(dialog, nullptr);
    dialog->show();  // not modal: nothing here waits for the operator
    auto* button = dialog->findChild<QPushButton*>(row.button);
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), row.result);
}

const DialogButtonRow kDialogButtonRows[] = {
    {"RENAMEPNL", "OK", QDialog::Accepted},
    {"RENAMEPNL", "ABBRUCH", QDialog::Rejected},
};

INSTANTIATE_TEST_SUITE_P(Panels, DialogButtonTest, ::testing::ValuesIn(kDialogButtonRows),
                         [](const auto& info) {
                             return std::string(info.param.panel) + "_" + info.param.button;
                         });

// The calibration panel stays open until its module decides (it may refuse the input).
TEST(PanelLoadTest, CalibrationButtonsLeaveClosingToTheModule) {
    vrl::gui::KalibPanel kalib;
    kalib.widget()->show();
    for (auto* button : {kalib.ui.UEBERNEHMEN, kalib.ui.WERKSKALIBRIERUNG, kalib.ui.ABBRUCH}) {
        button->click();
        EXPECT_TRUE(kalib.widget()->isVisible()) << button->objectName().toStdString();
    }
}

TEST(PanelLoadTest, UnknownResourceNameGivesNoPanel) {
    EXPECT_EQ(loadPanel("HAUPTPANEL"), nullptr);
    EXPECT_EQ(loadPanel(""), nullptr);
}

TEST(PanelLoadTest, ChildPanelMayGoBeforeOrWithItsParent) {
    {
        vrl::gui::MainPanel main;
        vrl::gui::InfoPanel info(main.widget());
        EXPECT_EQ(info.widget()->parentWidget(), main.widget());
    }  // info first, then main
    {
        auto main = std::make_unique<vrl::gui::MainPanel>();
        vrl::gui::RenamePanel rename(main->widget());
        main.reset();  // takes the dialog with it
        EXPECT_EQ(rename.widget(), nullptr);
    }
}

}  // namespace
