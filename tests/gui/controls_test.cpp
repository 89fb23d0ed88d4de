// The conventions the panel modules rely on: a handler runs on the operator's finished change
// and never on a value the program shows; rings are read and set by item value.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <functional>
#include <memory>

#include "gui/qt_app.h"
#include "platform/gui/controls.h"
#include "platform/gui/led.h"
#include "platform/gui/toggle_button.h"

namespace {

using namespace vrl::gui;

struct CommitRow {
    const char* name;
    std::function<QWidget*()> make;
    std::function<void(QWidget*)> typeWithoutFinishing;  // may be empty
    std::function<void(QWidget*)> finish;                // the operator's commit
    std::function<void(QWidget*)> showFromCode;          // the program sets a value
};

void PrintTo(const CommitRow& row, std::ostream* out) {
    *out << row.name;
}

QComboBox* makeRing() {
    auto* ring = new QComboBox;
    addRingItem(ring, QStringLiteral("aus"), 0);
    addRingItem(ring, QStringLiteral("ein"), 1);
    return ring;
}

const CommitRow kCommitRows[] = {
    {"PushButton",
     [] { return new QPushButton(QStringLiteral("Start")); },
     {},
     [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
     [](QWidget* w) { qobject_cast<QPushButton*>(w)->setText(QStringLiteral("Stopp")); }},
    {"CheckBox",
     [] { return new QCheckBox; },
     {},
     [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); },
     [](QWidget* w) { setQuietly(qobject_cast<QCheckBox*>(w), true); }},
    {"ToggleButton",
     [] { return new ToggleButton; },
     {},
     [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); },
     [](QWidget* w) { setQuietly(qobject_cast<ToggleButton*>(w), true); }},
    {"Ring",
     [] { return makeRing(); },
     {},
     [](QWidget* w) { QTest::keyClick(w, Qt::Key_Down); },
     [](QWidget* w) { EXPECT_TRUE(setQuietly(qobject_cast<QComboBox*>(w), 1)); }},
    {"IntegerSpinBox",
     [] {
         auto* spin = new QSpinBox;
         spin->setRange(0, 100);
         return spin;
     },
     [](QWidget* w) { QTest::keyClicks(w, QStringLiteral("5")); },
     [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); },
     [](QWidget* w) { setQuietly(qobject_cast<QSpinBox*>(w), 42); }},
    {"IntegerSpinBoxStep",
     [] {
         auto* spin = new QSpinBox;
         spin->setRange(0, 100);
         return spin;
     },
     {},
     [](QWidget* w) { QTest::keyClick(w, Qt::Key_Up); },
     [](QWidget* w) { setQuietly(qobject_cast<QSpinBox*>(w), 42); }},
    {"RealSpinBox",
     [] {
         auto* spin = new QDoubleSpinBox;
         spin->setRange(0, 4.09);
         spin->setDecimals(3);
         return spin;
     },
     [](QWidget* w) {
         qobject_cast<QDoubleSpinBox*>(w)->selectAll();
         QTest::keyClicks(w, QStringLiteral("2"));
     },
     [](QWidget* w) { QTest::keyClick(w, Qt::Key_Enter); },
     [](QWidget* w) { setQuietly(qobject_cast<QDoubleSpinBox*>(w), 1.5); }},
    {"RealSpinBoxStep",
     [] {
         auto* spin = new QDoubleSpinBox;
         spin->setRange(0, 4.09);
         return spin;
     },
     {},
     [](QWidget* w) { QTest::keyClick(w, Qt::Key_PageUp); },
     [](QWidget* w) { setQuietly(qobject_cast<QDoubleSpinBox*>(w), 1.5); }},
    {"LineEdit", [] { return new QLineEdit; },
     [](QWidget* w) { QTest::keyClicks(w, QStringLiteral("Programm")); },
     [](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); },
     [](QWidget* w) { setQuietly(qobject_cast<QLineEdit*>(w), QStringLiteral("Name")); }},
};

class CommitTest : public ::testing::TestWithParam<CommitRow> {};

TEST_P(CommitTest, HandlerRunsOnFinishedChangeOnly) {
    const auto& row = GetParam();
    std::unique_ptr<QWidget> control(row.make());
    int commits = 0;
    ASSERT_TRUE(connectCommit(control.get(), [&] { ++commits; }));
    control->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(control.get(), 1000));

    if (row.typeWithoutFinishing) {
        row.typeWithoutFinishing(control.get());
        EXPECT_EQ(commits, 0) << "ran while the operator was still typing";
    }
    row.finish(control.get());
    EXPECT_EQ(commits, 1);

    row.showFromCode(control.get());
    EXPECT_EQ(commits, 1) << "ran for a value the program showed";
}

INSTANTIATE_TEST_SUITE_P(Controls, CommitTest, ::testing::ValuesIn(kCommitRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommitTest, LampHasNoCommit) {
    Led lamp;
    EXPECT_FALSE(connectCommit(&lamp, [] {}));
}

TEST(QuietlyTest, ShownValuesEmitNoSignals) {
    QSpinBox spin;
    QDoubleSpinBox real;
    QLineEdit edit;
    QCheckBox box;
    QSignalSpy spinChanged(&spin, &QSpinBox::valueChanged);
    QSignalSpy realChanged(&real, &QDoubleSpinBox::valueChanged);
    QSignalSpy editChanged(&edit, &QLineEdit::textChanged);
    QSignalSpy boxToggled(&box, &QCheckBox::toggled);

    setQuietly(&spin, 7);
    setQuietly(&real, 0.5);
    setQuietly(&edit, QStringLiteral("TKV-9D"));
    setQuietly(&box, true);

    EXPECT_EQ(spin.value(), 7);
    EXPECT_DOUBLE_EQ(real.value(), 0.5);
    EXPECT_EQ(edit.text(), "TKV-9D");
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(spinChanged.size() + realChanged.size() + editChanged.size() + boxToggled.size(), 0);
    EXPECT_FALSE(spin.signalsBlocked());
}

// ---- rings

TEST(RingTest, IsSetAndReadByItemValueNotPosition) {
    QComboBox ring;
    QSignalSpy changed(&ring, &QComboBox::currentIndexChanged);
    addRingItem(&ring, QStringLiteral("nicht geöffnet"), 0);
    addRingItem(&ring, QStringLiteral("COM 3"), 3);
    addRingItem(&ring, QStringLiteral("COM 10"), 10);
    EXPECT_EQ(changed.size(), 0);

    EXPECT_EQ(ringIndexOf(&ring, 10), 2);
    EXPECT_EQ(ringIndexOf(&ring, 4), -1);
    EXPECT_TRUE(setQuietly(&ring, 10));
    EXPECT_EQ(ring.currentText(), "COM 10");
    EXPECT_EQ(ringValue(&ring), 10);

    EXPECT_FALSE(setQuietly(&ring, 4));
    EXPECT_EQ(ringValue(&ring), 10);
    EXPECT_EQ(changed.size(), 0);
}

TEST(RingTest, EmptyRingHasNoValue) {
    QComboBox ring;
    EXPECT_EQ(ringValue(&ring), -1);
}

struct ItemValuesRow {
    const char* name;
    int items;
    const char* values;
    std::vector<QVariant> expected;
};

void PrintTo(const ItemValuesRow& row, std::ostream* out) {
    *out << row.name;
}

class ItemValuesTest : public ::testing::TestWithParam<ItemValuesRow> {};

TEST_P(ItemValuesTest, GivesItemsTheValuesOfTheProperty) {
    const auto& row = GetParam();
    QWidget panel;
    auto* ring = new QComboBox(&panel);
    for (int i = 0; i < row.items; ++i) ring->addItem(QString::number(i));
    ring->setProperty("itemValues", QString::fromUtf8(row.values));
    auto* plain = new QComboBox(&panel);
    plain->addItem(QStringLiteral("ohne"));

    applyItemValues(&panel);

    for (int i = 0; i < row.items; ++i) EXPECT_EQ(ring->itemData(i), row.expected[i]) << i;
    EXPECT_FALSE(plain->itemData(0).isValid());
}

const ItemValuesRow kItemValuesRows[] = {
    {"OnePerItem", 3, "49,50,38", {49, 50, 38}},          {"BlanksAround", 2, " 0 , 1 ", {0, 1}},
    {"TooFewLeaveTheRest", 3, "1,2", {1, 2, QVariant()}}, {"TooManyAreDropped", 1, "7,8", {7}},
    {"BadValueIsSkipped", 2, "x,5", {QVariant(), 5}},
};

INSTANTIATE_TEST_SUITE_P(Rings, ItemValuesTest, ::testing::ValuesIn(kItemValuesRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- dimming, labels, closing

// A lamp with its label, a number with its label, on one panel.
struct LabelledPanel {
    LabelledPanel() {
        auto* layout = new QVBoxLayout(&window);
        lamp = new Led(&window);
        lampLabel = new QLabel(QStringLiteral("Kurve läuft"), &window);
        current = new QDoubleSpinBox(&window);
        currentLabel = new QLabel(QStringLiteral("I-Ist [A]"), &window);
        lampLabel->setBuddy(lamp);
        currentLabel->setBuddy(current);
        for (QWidget* w : std::initializer_list<QWidget*>{lamp, lampLabel, current, currentLabel})
            layout->addWidget(w);
    }
    QWidget window;
    Led* lamp;
    QLabel* lampLabel;
    QDoubleSpinBox* current;
    QLabel* currentLabel;
};

TEST(DimTest, LampIsDrawnDimmedOtherControlsAreDisabledLabelsGreyed) {
    LabelledPanel panel;
    setDimmed(panel.lamp, true);
    setDimmed(panel.current, true);
    EXPECT_TRUE(panel.lamp->isDimmed());
    EXPECT_TRUE(panel.lamp->isEnabled());
    EXPECT_FALSE(panel.current->isEnabled());
    EXPECT_FALSE(panel.lampLabel->isEnabled());
    EXPECT_FALSE(panel.currentLabel->isEnabled());
    EXPECT_TRUE(isDimmed(panel.lamp));
    EXPECT_TRUE(isDimmed(panel.current));

    setDimmed(panel.lamp, false);
    setDimmed(panel.current, false);
    EXPECT_FALSE(isDimmed(panel.lamp));
    EXPECT_FALSE(isDimmed(panel.current));
    EXPECT_TRUE(panel.lampLabel->isEnabled());
    EXPECT_TRUE(panel.currentLabel->isEnabled());
}

TEST(VisibleTest, HiddenControlTakesItsLabelAlong) {
    LabelledPanel panel;
    panel.window.show();
    setControlVisible(panel.current, false);
    EXPECT_FALSE(panel.current->isVisible());
    EXPECT_FALSE(panel.currentLabel->isVisible());
    EXPECT_TRUE(panel.lampLabel->isVisible());
    setControlVisible(panel.current, true);
    EXPECT_TRUE(panel.current->isVisible());
    EXPECT_TRUE(panel.currentLabel->isVisible());
}

TEST(LabelTest, LabelIsTheOneWhoseBuddyTheControlIs) {
    QWidget panel;
    auto* layout = new QVBoxLayout(&panel);
    auto* other = new QLabel(QStringLiteral("Adresse"), &panel);
    auto* label = new QLabel(QStringLiteral("COM-Port"), &panel);
    auto* port = new QComboBox(&panel);
    auto* address = new QComboBox(&panel);
    auto* unlabelled = new QComboBox(&panel);
    for (QWidget* w :
         {static_cast<QWidget*>(other), static_cast<QWidget*>(label), static_cast<QWidget*>(port),
          static_cast<QWidget*>(address), static_cast<QWidget*>(unlabelled)}) {
        layout->addWidget(w);
    }
    label->setBuddy(port);
    other->setBuddy(address);
    EXPECT_EQ(labelOf(port), "COM-Port");
    EXPECT_EQ(labelOf(address), "Adresse");
    EXPECT_EQ(labelOf(unlabelled), "");
}

TEST(RingTest, ListIsBuiltBeforeTheRingReacts) {
    QComboBox ring;
    addRingItem(&ring, QStringLiteral("nicht geöffnet"), 0);
    int built = 0;
    beforeRingOpens(&ring, [&] {
        ++built;
        if (ringIndexOf(&ring, 3) < 0) addRingItem(&ring, QStringLiteral("COM 3"), 3);
    });
    ring.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ring, 1000));

    // Down can only reach the new item if the list was built first.
    QTest::keyClick(&ring, Qt::Key_Down);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(ringValue(&ring), 3);

    QTest::mouseClick(ring.windowHandle(), Qt::LeftButton, {}, ring.rect().center());
    EXPECT_EQ(built, 2);
    EXPECT_TRUE(ring.view()->isVisible());
    ring.hidePopup();
}

TEST(CloseTest, ClosingOnlyAsksTheHandler) {
    QWidget window;
    int asked = 0;
    interceptClose(&window, [&] { ++asked; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 1000));

    EXPECT_FALSE(window.close());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
