// Every panel holds every control the program's modules look up, under its resource name, of
// the right kind and with its text, label, range and items. The rows are typed from the panel
// descriptions, not read from the Designer files, so a missing, misspelt or mis-typed control
// fails here and not when a module first touches it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "gui/qt_app.h"
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

enum class Kind {
    Button,         // command button
    PictureButton,  // button showing an image
    Toggle,         // button that stays down, text per state
    CheckBox,
    Ring,           // operator chooses an item
    DisplayRing,    // ring the operator cannot change
    Real,           // editable real number
    Integer,        // editable integer
    NumberDisplay,  // numeric indicator
    StringEdit,     // editable text
    StringDisplay,  // text indicator
    Text,           // static or program-set text
    Picture,
    Lamp,
    PictureRing,
    Frame,
};

struct ControlRow {
    std::string name;
    Kind kind;
    const char* text = nullptr;   // the control's own text; nullptr: set at run time, not checked
    const char* label = nullptr;  // the text of its label; nullptr: none to check
};

std::vector<ControlRow> errorDisplay() {
    return {{"COMPICTURERING", Kind::PictureRing},
            {"FEHLERLED", Kind::Lamp, nullptr, "Fehler"},
            {"FEHLERSTRING", Kind::StringDisplay},
            {"FEHLERNUMMER", Kind::NumberDisplay}};
}

std::vector<ControlRow> mainPanelRows() {
    std::vector<ControlRow> rows = {
        {"LADEN", Kind::PictureButton},
        {"SPEICHERN", Kind::PictureButton},
        {"PROGRAMMLISTE", Kind::Ring, nullptr, "Programme"},
        {"PROGLESEN", Kind::Button, "vom Gerät lesen"},
        {"PROGSCHREIBEN", Kind::Button, "zum Gerät schreiben"},
        {"PROGRAMMNUMMER", Kind::Integer, nullptr, "Programm"},
        {"PROGRAMMEINSTELLEN", Kind::Button, "Einstellen"},
        {"PROGRAMMSPEICHERN", Kind::Button, "Speichern"},
        {"START", Kind::Button, "Start"},
        {"STOPP", Kind::Button, "Stopp"},
        {"KALIBRIEREN", Kind::Button, "kalibrieren"},
        {"TEXT_GERAETSTEUERN", Kind::Text},
        {"TEXTMSG", Kind::Text, "Parameter"},
        {"COMAKTIVLED", Kind::Lamp, nullptr, "Com"},
        {"PICTURE", Kind::Picture},
        {"DECORATION", Kind::Frame},
        {"DECORATION_2", Kind::Frame},
        {"PAR_STROMKURVE", Kind::Ring, nullptr, "Stromkurve"},
        {"PAR_MESSBEREICH", Kind::Ring, nullptr, "Meßbereich"},
        {"PAR_STROM1", Kind::Real, nullptr, "Strom 1 [A]"},
        {"PAR_STROM2", Kind::Real, nullptr, "Strom 2 [A]"},
        {"PAR_STROM3", Kind::Real, nullptr, "Strom 3 [A]"},
        {"PAR_STROM4", Kind::Real, nullptr, "Strom 4 [A]"},
        {"PAR_ZEIT1", Kind::Real, nullptr, "Zeit 1 [ms]"},
        {"PAR_ZEIT2", Kind::Real, nullptr, "Zeit 2 [ms]"},
        {"PAR_ZEIT3", Kind::Real, nullptr, "Zeit 3 [ms]"},
        {"PAR_ZEIT4", Kind::Real, nullptr, "Zeit 4 [ms]"},
        {"PAR_PRUEFSPANNUNG", Kind::Real, nullptr, "Prüfspannung [V]"},
        {"PAR_KUNDENKALIBRIERUN", Kind::DisplayRing, nullptr, "Kalibrierung"},
        {"PAR_FREILAUFBEINULL", Kind::Ring, nullptr,
         "Hohe Abschaltüberspannung\nbei Sprung auf Null"},
        {"PAR_FREILAUFBEIDELTAI", Kind::Ring, nullptr,
         "Hohe Abschaltüberspannung\nbei Mindestiststromabfall"},
        {"PAR_MINDESTDELTAIIST", Kind::Real, nullptr,
         "Mindeststromabfall für hohe\nAbschaltüberspannung [A]"},
        {"PAR_DAUERFREILAUFDIOD", Kind::Real, nullptr,
         "Mindestdauer der erhöhten\nAbschaltüberspannung [ms]"},
        {"PAR_ZYKLEN", Kind::Integer, nullptr, "Anzahl Zyklen"},
        {"PAR_ZYKLENUNBEGRENZT", Kind::CheckBox, "unbegrenzt"},
        {"PAR_HYSTERESEPOTI", Kind::Real, nullptr, "PWM-Hysterese [%]"},
        {"PAR_PWMFILTERPOTI", Kind::Real, nullptr, "PWM-Filter [%]"},
        {"PAR_REGELGESCHW", Kind::Real, nullptr, "Regelgeschwindigkeit [%]"},
        {"PAR_STROMOUTFILTER", Kind::Real, nullptr,
         "Filter für Iststromsignal\nGrenzfrequenz in Hz"},
    };
    for (auto& row : errorDisplay()) rows.push_back(row);
    return rows;
}

std::vector<ControlRow> comPanelRows() {
    std::vector<ControlRow> rows = {
        {"ADRESSE", Kind::Ring, nullptr, "Adresse"},
        {"COMPORT", Kind::Ring, nullptr, "COM-Port"},
        {"SCANN", Kind::Button, "Scann"},
        {"IDLESEN", Kind::Button, "ID lesen"},
        {"ZURUECK", Kind::Button, "Zurück zum Hauptfenster"},
        {"ID", Kind::StringDisplay, nullptr, "ID"},
        {"SCANNTEXT", Kind::Text, "Suche Gerät ..."},
    };
    const char* const digits[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int n = 1; n <= 9; ++n) {
        rows.push_back({"LED" + std::to_string(n), Kind::Lamp, nullptr, digits[n - 1]});
    }
    for (auto& row : errorDisplay()) rows.push_back(row);
    return rows;
}

std::vector<ControlRow> statusPanelRows() {
    std::vector<ControlRow> rows = {
        {"TKVSTATUSABFRAGE", Kind::Toggle, "Statusabfrage einschalten"},
        {"START", Kind::Button, "Start"},
        {"STOPP", Kind::Button, "Stopp"},
        {"HDXSTATUSABFRAGE", Kind::Button, "hdx-4 Status einmal abfragen"},
        {"AUSGAENGELESEN", Kind::Button, "Lesen"},
        {"AUSGAENGESCHREIBEN", Kind::Button, "Schreiben"},
        {"ZURUECK", Kind::Button, "Zurück zum Hauptfenster"},
        {"COMAKTIVLED", Kind::Lamp, nullptr, "Com"},
        {"TEXT_GERAETSTATUS", Kind::Text},
        {"TEXT_GERAETSTEUERN", Kind::Text},
        {"STATUSLED1", Kind::Lamp, nullptr, "Kurve läuft"},
        {"STATUSLED2", Kind::Lamp, nullptr, "Bestromung aktiv"},
        {"STATUSLED3", Kind::Lamp, nullptr, "Kurve beendet"},
        {"STATUSLED4", Kind::Lamp, nullptr, "Kurvenablauf abgebrochen"},
        {"STATUSLED9", Kind::Lamp, nullptr, "Speicherfehler"},
        {"STATUSLED10", Kind::Lamp, nullptr, "hdx-4 Fehler"},
        {"STATUSLED11", Kind::Lamp, nullptr, "Prüfspannungsfehler"},
        {"ISTSTROM", Kind::NumberDisplay, nullptr, "I-Ist [A]"},
        {"ISTSPANNUNG", Kind::NumberDisplay, nullptr, "U-ist [V]"},
        {"TEXTMSG_2", Kind::Text, "hdx-4 Status"},
        {"TEXTMSG_18", Kind::Text, "Ausgänge"},
        {"DECORATION", Kind::Frame},
        {"DECORATION_2", Kind::Frame},
        {"DECORATION_3", Kind::Frame},
        {"DECORATION_4", Kind::Frame},
    };
    const char* const hexDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8",
                                     "9", "a", "b", "c", "d", "e", "f"};
    for (int n = 1; n <= 15; ++n) {
        const std::string module = std::to_string(n);
        rows.push_back({"HDXAUSGANG" + module, Kind::CheckBox, ""});
        rows.push_back({"HDXSTATUS" + module + "_1", Kind::Lamp});
        rows.push_back({"HDXSTATUS" + module + "_9", Kind::Lamp});
        rows.push_back({"HDXSTATUS" + module + "_10", Kind::Lamp});
        rows.push_back({"TEXTMSG_" + std::to_string(n + 2), Kind::Text, hexDigits[n - 1]});
    }
    for (auto& row : errorDisplay()) rows.push_back(row);
    return rows;
}

const std::map<std::string, std::vector<ControlRow>>& controlRows() {
    static const std::map<std::string, std::vector<ControlRow>> rows = {
        {"MAINPANEL", mainPanelRows()},
        {"COMPANEL", comPanelRows()},
        {"STATUSPNL", statusPanelRows()},
        {"INFOPANEL",
         {{"PICTURE", Kind::Picture},
          {"OK", Kind::Button, "OK"},
          {"TEXTMSG", Kind::Text},
          {"TEXTMSG_2", Kind::Text},
          {"VERSION", Kind::Text, "Version"},
          {"DATUM", Kind::Text, "Datum"},
          {"PROGRAMMNAME", Kind::Text, "Gerät Steuerung"}}},
        {"KALIBPANEL",
         {{"SOLL1", Kind::Real},
          {"IST1", Kind::Real},
          {"SOLL2", Kind::Real},
          {"IST2", Kind::Real},
          {"UEBERNEHMEN", Kind::Button, "Übernehmen"},
          {"WERKSKALIBRIERUNG", Kind::Button, "Werkskalibrierung wiederherstellen"},
          {"ABBRUCH", Kind::Button, "Abbruch"}}},
        {"RENAMEPNL",
         {{"STRING", Kind::StringEdit},
          {"VORSCHAU", Kind::Text},
          {"HINWEIS", Kind::Text},
          {"OK", Kind::Button, "OK"},
          {"ABBRUCH", Kind::Button, "Abbruch"}}},
    };
    return rows;
}

// A failure message naming what is wrong, or empty when the control is of the kind.
std::string kindMismatch(const QWidget* widget, Kind kind) {
    const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget);
    const auto* edit = qobject_cast<const QLineEdit*>(widget);
    const auto* label = qobject_cast<const QLabel*>(widget);
    const bool isDisplaySpin =
        spin && spin->isReadOnly() && spin->buttonSymbols() == QAbstractSpinBox::NoButtons;
    bool ok = false;
    switch (kind) {
        case Kind::Button: {
            const auto* button = qobject_cast<const QPushButton*>(widget);
            ok = button && !button->isCheckable();
            break;
        }
        case Kind::PictureButton: {
            const auto* button = qobject_cast<const QAbstractButton*>(widget);
            // The image must really be there: a missing resource gives a null pixmap.
            ok = button && !button->icon().pixmap(QSize(32, 32)).isNull();
            break;
        }
        case Kind::Toggle: {
            const auto* toggle = qobject_cast<const vrl::gui::ToggleButton*>(widget);
            ok = toggle && toggle->isCheckable();
            break;
        }
        case Kind::CheckBox:
            ok = qobject_cast<const QCheckBox*>(widget) != nullptr;
            break;
        case Kind::Ring:
            ok = qobject_cast<const QComboBox*>(widget) &&
                 !qobject_cast<const vrl::gui::IndicatorRing*>(widget) && widget->isEnabled();
            break;
        case Kind::DisplayRing:
            ok = qobject_cast<const vrl::gui::IndicatorRing*>(widget) != nullptr;
            break;
        case Kind::Real:
            ok = qobject_cast<const QDoubleSpinBox*>(widget) && !spin->isReadOnly();
            break;
        case Kind::Integer:
            ok = qobject_cast<const QSpinBox*>(widget) && !spin->isReadOnly();
            break;
        case Kind::NumberDisplay:
            ok = isDisplaySpin;
            break;
        case Kind::StringEdit:
            ok = edit && !edit->isReadOnly();
            break;
        case Kind::StringDisplay:
            ok = edit && edit->isReadOnly();
            break;
        case Kind::Text:
            ok = label != nullptr;
            break;
        case Kind::Picture:
            ok = label && !label->pixmap().isNull();
            break;
        case Kind::Lamp:
            ok = qobject_cast<const vrl::gui::Led*>(widget) != nullptr;
            break;
        case Kind::PictureRing:
            ok = qobject_cast<const vrl::gui::PortPictureRing*>(widget) != nullptr;
            break;
        case Kind::Frame: {
            const auto* frame = qobject_cast<const QFrame*>(widget);
            ok = frame && !label && frame->frameShape() != QFrame::NoFrame;
            break;
        }
    }
    if (ok) return {};
    return std::string("is a ") + widget->metaObject()->className() + " of the wrong kind";
}

QString ownText(const QWidget* widget) {
    if (const auto* toggle = qobject_cast<const vrl::gui::ToggleButton*>(widget))
        return toggle->offText();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    return {};
}

class PanelTest : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        panel_ = loadPanel(GetParam());
        ASSERT_NE(panel_, nullptr) << GetParam();
    }
    QWidget* control(const std::string& name) const {
        const auto found = panel_->findChildren<QWidget*>(QString::fromStdString(name));
        return found.size() == 1 ? found.front() : nullptr;
    }
    std::unique_ptr<QWidget> panel_;
};

TEST_P(PanelTest, HoldsEveryNamedControlWithItsKindTextAndLabel) {
    for (const auto& row : controlRows().at(GetParam())) {
        SCOPED_TRACE(row.name);
        QWidget* widget = control(row.name);
        if (!widget) {
            ADD_FAILURE() << row.name << " is missing (or not unique)";
            continue;
        }
        EXPECT_EQ(kindMismatch(widget, row.kind), "");
        if (row.text) {
            EXPECT_EQ(ownText(widget), u8(row.text));
        }
        if (row.label) {
            EXPECT_EQ(labelOf(widget), u8(row.label));
        }
    }
}

TEST_P(PanelTest, NamesEveryObjectOnce) {
    std::map<QString, int> count;
    for (const auto* object : panel_->findChildren<QObject*>()) {
        const QString name = object->objectName();
        // Qt names the inner parts of its own widgets "qt_...".
        if (!name.isEmpty() && !name.startsWith(QStringLiteral("qt_"))) ++count[name];
    }
    for (const auto& [name, n] : count) EXPECT_EQ(n, 1) << name.toStdString();
}

TEST_P(PanelTest, SpinBoxesReportOnlyFinishedEdits) {
    for (const auto* spin : panel_->findChildren<QAbstractSpinBox*>()) {
        EXPECT_FALSE(spin->keyboardTracking()) << spin->objectName().toStdString();
    }
}

struct WindowRow {
    const char* panel;
    bool topLevel;
    const char* title;
};

TEST_P(PanelTest, IsAWindowOfItsKindAndTitle) {
    static const WindowRow rows[] = {
        {"MAINPANEL", true, "Gerät Steuerung"}, {"COMPANEL", true, "COM-Einstellungen"},
        {"STATUSPNL", true, "Status"},          {"INFOPANEL", false, "Info"},
        {"KALIBPANEL", false, "Kalibrierung"},  {"RENAMEPNL", false, "Umbenennen"},
    };
    for (const auto& row : rows) {
        if (std::string(row.panel) != GetParam()) continue;
        EXPECT_EQ(panel_->objectName(), row.panel);
        EXPECT_EQ(panel_->windowTitle(), u8(row.title));
        if (row.topLevel) {
            EXPECT_NE(qobject_cast<QMainWindow*>(panel_.get()), nullptr);
        } else {
            EXPECT_NE(qobject_cast<QDialog*>(panel_.get()), nullptr);
        }
        return;
    }
    FAIL() << "no window row";
}

INSTANTIATE_TEST_SUITE_P(AllPanels, PanelTest, ::testing::ValuesIn(kPanels),
                         [](const auto& info) { return std::string(info.param); });

// ---- texts a panel shows without a control name of their own

struct FreeTextRow {
    const char* panel;
    std::vector<const char*> texts;
};
void PrintTo(const FreeTextRow& row, std::ostream* out) {
    *out << row.panel;
}

class FreeTextTest : public ::testing::TestWithParam<FreeTextRow> {};

TEST_P(FreeTextTest, PanelShowsTheText) {
    const auto panel = loadPanel(GetParam().panel);
    std::set<QString> shown;
    for (const auto* label : panel->findChildren<QLabel*>()) shown.insert(label->text());
    for (const char* text : GetParam().texts) EXPECT_TRUE(shown.count(u8(text))) << text;
}

const FreeTextRow kFreeTextRows[] = {
    {"KALIBPANEL",
     {"Messpunkt 1", "Messpunkt 2", "Sollstrom [A]", "gemessener Strom [A]",
      "Die Kalibrierung ist gültig für das aktuelle Programm\nim aktuellen Meßbereich."}},
    {"STATUSPNL",
     {"hdx-4 gefunden", "hdx-4 nicht mehr erreichbar",
      "hdx-4 meldet \"Nicht alle Parameter erhalten\""}},
};

INSTANTIATE_TEST_SUITE_P(Panels, FreeTextTest, ::testing::ValuesIn(kFreeTextRows),
                         [](const auto& info) { return std::string(info.param.panel); });

// ---- numbers: range, step, decimals and the value before the first record is shown

struct NumericRow {
    const char* panel;
    const char* name;
    double minimum;
    double maximum;
    double step;          // NAN: not fixed
    int decimals;         // -1: integer control
    double initialValue;  // NAN: not fixed
};
void PrintTo(const NumericRow& row, std::ostream* out) {
    *out << row.panel << " " << row.name;
}

class NumericControlTest : public ::testing::TestWithParam<NumericRow> {};

TEST_P(NumericControlTest, HasItsRangeStepDecimalsAndInitialValue) {
    const auto& row = GetParam();
    const auto panel = loadPanel(row.panel);
    auto* spin = panel->findChild<QAbstractSpinBox*>(row.name);
    ASSERT_NE(spin, nullptr);
    double minimum, maximum, step, value;
    if (row.decimals < 0) {
        auto* integer = qobject_cast<QSpinBox*>(spin);
        ASSERT_NE(integer, nullptr) << "not an integer control";
        minimum = integer->minimum(), maximum = integer->maximum();
        step = integer->singleStep(), value = integer->value();
    } else {
        auto* real = qobject_cast<QDoubleSpinBox*>(spin);
        ASSERT_NE(real, nullptr) << "not a real control";
        EXPECT_EQ(real->decimals(), row.decimals);
        minimum = real->minimum(), maximum = real->maximum();
        step = real->singleStep(), value = real->value();
    }
    EXPECT_DOUBLE_EQ(minimum, row.minimum);
    EXPECT_DOUBLE_EQ(maximum, row.maximum);
    if (!std::isnan(row.step)) {
        EXPECT_DOUBLE_EQ(step, row.step);
    }
    if (!std::isnan(row.initialValue)) {
        EXPECT_DOUBLE_EQ(value, row.initialValue);
    }
}

const NumericRow kNumericRows[] = {
    {"MAINPANEL", "PAR_STROM1", 0, 4.09, 0.1, 3, 0.0},
    {"MAINPANEL", "PAR_STROM2", 0, 4.09, 0.1, 3, 0.0},
    {"MAINPANEL", "PAR_STROM3", 0, 4.09, 0.1, 3, 0.0},
    {"MAINPANEL", "PAR_STROM4", 0, 4.09, 0.1, 3, 0.0},
    {"MAINPANEL", "PAR_ZEIT1", 0, 65535, 100, 1, 100.0},
    {"MAINPANEL", "PAR_ZEIT2", 0, 65535, 100, 1, 0.0},
    {"MAINPANEL", "PAR_ZEIT3", 0, 65535, 100, 1, 0.0},
    {"MAINPANEL", "PAR_ZEIT4", 0, 65535, 100, 1, 0.0},
    {"MAINPANEL", "PAR_PRUEFSPANNUNG", 2, 150, 1, 1, 2.0},
    {"MAINPANEL", "PAR_MINDESTDELTAIIST", 0.01, 4.09, 0.1, 3, 1.0},
    {"MAINPANEL", "PAR_DAUERFREILAUFDIOD", 0.1, 6553.5, 1, 1, 1.0},
    {"MAINPANEL", "PAR_ZYKLEN", 1, 65535, 1, -1, 1},
    {"MAINPANEL", "PAR_HYSTERESEPOTI", 1, 100, 1, 0, 25},
    {"MAINPANEL", "PAR_PWMFILTERPOTI", 1, 100, 1, 0, 25},
    {"MAINPANEL", "PAR_REGELGESCHW", 1, 100, 1, 0, 25},
    {"MAINPANEL", "PAR_STROMOUTFILTER", 5, 1250, 100, 0, 1000},
    {"MAINPANEL", "PROGRAMMNUMMER", 1, 16, 1, -1, NAN},
    {"KALIBPANEL", "SOLL1", 0.001, 4.09, NAN, 3, NAN},
    {"KALIBPANEL", "SOLL2", 0.001, 4.09, NAN, 3, NAN},
    {"KALIBPANEL", "IST1", 0.001, 4.09, NAN, 4, NAN},
    {"KALIBPANEL", "IST2", 0.001, 4.09, NAN, 4, NAN},
};

INSTANTIATE_TEST_SUITE_P(Panels, NumericControlTest, ::testing::ValuesIn(kNumericRows),
                         [](const auto& info) {
                             return std::string(info.param.panel) + "_" + info.param.name;
                         });

// ---- rings: items in order, each with its value

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

// ---- menu bars: menus and items in order; items are named <BAR>_<MENU>_<ITEM>

struct MenuItemRow {
    const char* item;  // nullptr: separator
    const char* text;
};
struct MenuRow {
    const char* menu;
    const char* title;
    std::vector<MenuItemRow> items;
};
struct MenuBarRow {
    const char* panel;
    const char* bar;
    std::vector<MenuRow> menus;
};
void PrintTo(const MenuBarRow& row, std::ostream* out) {
    *out << row.panel << " " << row.bar;
}

class MenuBarTest : public ::testing::TestWithParam<MenuBarRow> {};

TEST_P(MenuBarTest, HoldsItsMenusAndItemsInOrder) {
    const auto& row = GetParam();
    const auto panel = loadPanel(row.panel);
    auto* window = qobject_cast<QMainWindow*>(panel.get());
    ASSERT_NE(window, nullptr);
    QMenuBar* bar = window->menuBar();
    ASSERT_EQ(bar->objectName(), row.bar);

    const auto menuActions = bar->actions();
    ASSERT_EQ(menuActions.size(), qsizetype(row.menus.size()));
    for (size_t m = 0; m < row.menus.size(); ++m) {
        const auto& expected = row.menus[m];
        const std::string menuName = std::string(row.bar) + "_" + expected.menu;
        SCOPED_TRACE(menuName);
        QMenu* menu = menuActions[qsizetype(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName().toStdString(), menuName);
        // The texts as shown: the '&' before a mnemonic letter only underlines it.
        EXPECT_EQ(QString(menu->title()).remove(QLatin1Char('&')), u8(expected.title));

        const auto items = menu->actions();
        ASSERT_EQ(items.size(), qsizetype(expected.items.size()));
        for (size_t i = 0; i < expected.items.size(); ++i) {
            const auto& item = expected.items[i];
            QAction* action = items[qsizetype(i)];
            if (!item.item) {
                EXPECT_TRUE(action->isSeparator()) << "item " << i;
                continue;
            }
            EXPECT_EQ(action->objectName().toStdString(), menuName + "_" + item.item);
            EXPECT_EQ(QString(action->text()).remove(QLatin1Char('&')), u8(item.text));
        }
    }
}

const MenuBarRow kMenuBarRows[] = {
    {"MAINPANEL",
     "MENUMAIN",
     {{"DATEI",
       "Datei",
       {{"NEU", "Neu"},
        {"LADEN", "Laden..."},
        {"SPEICHERN", "Speichern"},
        {"SPEICHERNUNTER", "Speichern unter..."},
        {nullptr, nullptr},
        {"BEENDEN", "Beenden"}}},
      {"PROGRAMM",
       "Programm",
       {{"UMBENENNEN", "Umbenennen..."}, {"VERGLEICHEN", "Mit TKV-9D vergleichen..."}}},
      {"FENSTER", "Fenster", {}},
      {"HILFE", "Hilfe", {{"PROTOKOLL", "Schnittstellenprotokoll..."}, {"INFO", "Info"}}}}},
    {"COMPANEL",
     "MENUCOM",
     {{"DATEI", "Datei", {{"BEENDEN", "Beenden"}}}, {"FENSTER", "Fenster", {}}}},
    {"STATUSPNL",
     "MENUSTATUS",
     {{"DATEI", "Datei", {{"BEENDEN", "Beenden"}}}, {"FENSTER", "Fenster", {}}}},
};

INSTANTIATE_TEST_SUITE_P(Panels, MenuBarTest, ::testing::ValuesIn(kMenuBarRows),
                         [](const auto& info) { return std::string(info.param.panel); });

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

TEST(PanelStateTest, DisplayOnlyRingIgnoresTheOperator) {
    vrl::gui::MainPanel main;
    EXPECT_EQ(main.ui.PAR_KUNDENKALIBRIERUN->focusPolicy(), Qt::NoFocus);
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
    {"INFOPANEL", "OK", QDialog::Accepted},
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
