// The lamp, the port picture ring, the toggle button and the display-only ring: what they show
// and what they report.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <memory>
#include <vector>

#include "gui/qt_app.h"
#include "platform/gui/indicator_ring.h"
#include "platform/gui/led.h"
#include "platform/gui/port_picture_ring.h"
#include "platform/gui/toggle_button.h"

namespace {

using vrl::gui::IndicatorRing;
using vrl::gui::Led;
using vrl::gui::PortPictureRing;
using vrl::gui::ToggleButton;

QImage picture(QWidget& widget) {
    widget.resize(widget.sizeHint());
    return widget.grab().toImage();
}

// ---- lamp

struct LampLook {
    const char* name;
    bool on;
    QColor color;
    bool dimmed;
};

TEST(LedTest, EveryStateLooksDifferent) {
    const LampLook looks[] = {
        {"red off", false, Qt::red, false},     {"red on", true, Qt::red, false},
        {"green off", false, Qt::green, false}, {"green on", true, Qt::green, false},
        {"red on dimmed", true, Qt::red, true}, {"red off dimmed", false, Qt::red, true},
    };
    std::vector<QImage> pictures;
    for (const auto& look : looks) {
        Led lamp;
        lamp.setOnColor(look.color);
        lamp.setOn(look.on);
        lamp.setDimmed(look.dimmed);
        pictures.push_back(picture(lamp));
    }
    for (size_t a = 0; a < pictures.size(); ++a) {
        for (size_t b = a + 1; b < pictures.size(); ++b) {
            EXPECT_NE(pictures[a], pictures[b]) << looks[a].name << " vs " << looks[b].name;
        }
    }
}

struct GreyRow {
    const char* name;
    bool dimmed;
    bool enabled;
    bool grey;
};

// A lamp whose value is not current (dimmed, or its panel part disabled) loses its colour.
TEST(LedTest, DimmedOrDisabledLampIsDrawnInGreys) {
    const GreyRow rows[] = {
        {"normal", false, true, false},
        {"dimmed", true, true, true},
        {"disabled", false, false, true},
    };
    for (const auto& row : rows) {
        Led lamp;
        lamp.setOnColor(Qt::red);
        lamp.setOn(true);
        lamp.setDimmed(row.dimmed);
        lamp.setEnabled(row.enabled);
        const QImage image = picture(lamp);
        const QColor centre = image.pixelColor(image.width() / 2, image.height() / 2);
        const bool grey = centre.red() == centre.green() && centre.green() == centre.blue();
        EXPECT_EQ(grey, row.grey) << row.name;
    }
}

// Designer files set these by property name.
TEST(LedTest, StateIsReachableThroughProperties) {
    Led lamp;
    EXPECT_TRUE(lamp.setProperty("on", true));
    EXPECT_TRUE(lamp.setProperty("onColor", QColor(Qt::green)));
    EXPECT_TRUE(lamp.setProperty("dimmed", true));
    EXPECT_TRUE(lamp.isOn());
    EXPECT_EQ(lamp.onColor(), QColor(Qt::green));
    EXPECT_TRUE(lamp.isDimmed());
}

struct SpokenLamp {
    const char* name;
    bool on;
    QColor color;
    bool dimmed;
    bool checked;
    const char* description;
};

// Catches a lamp that a screen reader meets unnamed, as a stateless filler, or without the
// colour that tells a fault from a good state.
TEST(LedTest, ScreenReaderHearsLabelStateAndColour) {
    const SpokenLamp rows[] = {
        {"green on", true, QColor(30, 200, 40), false, true, "an (grün)"},
        {"red on", true, QColor(230, 30, 30), false, true, "an (rot)"},
        {"red off", false, QColor(230, 30, 30), false, false, "aus"},
        {"on dimmed", true, QColor(30, 200, 40), true, true, "an (grün), nicht aktuell"},
    };
    for (const auto& row : rows) {
        QWidget panel;
        auto* lamp = new Led(&panel);
        auto* label = new QLabel(QStringLiteral("Kurve läuft"), &panel);
        label->setBuddy(lamp);
        lamp->setOnColor(row.color);
        lamp->setOn(row.on);
        lamp->setDimmed(row.dimmed);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(lamp);
        ASSERT_NE(spoken, nullptr) << row.name;
        EXPECT_EQ(spoken->text(QAccessible::Name), "Kurve läuft") << row.name;
        EXPECT_EQ(spoken->state().checked, row.checked) << row.name;
        EXPECT_TRUE(spoken->state().readOnly) << row.name;
        EXPECT_EQ(spoken->text(QAccessible::Description), row.description) << row.name;
    }
}

// ---- port picture ring

TEST(PortPictureRingTest, NoPortEachPortAndHighPortsLookDifferent) {
    const int values[] = {0, 1, 5, 6, 16, 99};
    std::vector<QImage> pictures;
    for (int value : values) {
        PortPictureRing ring;
        ring.setValue(value);
        EXPECT_EQ(ring.value(), value);
        pictures.push_back(picture(ring));
    }
    for (size_t a = 0; a < pictures.size(); ++a) {
        for (size_t b = a + 1; b < pictures.size(); ++b) {
            EXPECT_NE(pictures[a], pictures[b]) << values[a] << " vs " << values[b];
        }
    }
}

TEST(PortPictureRingTest, ValueWithoutPictureShowsNoPort) {
    PortPictureRing none;
    PortPictureRing odd;
    odd.setValue(42);
    EXPECT_EQ(odd.value(), 42);
    EXPECT_EQ(picture(odd), picture(none));
}

struct ClickRow {
    const char* name;
    bool doubleClick;
    Qt::MouseButton button;
    int leftClicks;
    int doubleClicks;
};

class PortPictureRingClickTest : public ::testing::TestWithParam<ClickRow> {};

// Through the window, as the platform delivers them: a double click is a press, a release,
// then a double click in place of the second press.
TEST_P(PortPictureRingClickTest, ReportsLeftClicksAndDoubleClicks) {
    const auto& row = GetParam();
    PortPictureRing ring;
    ring.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ring, 1000));
    QSignalSpy left(&ring, &PortPictureRing::leftClicked);
    QSignalSpy twice(&ring, &PortPictureRing::doubleClicked);
    const QPoint centre = ring.rect().center();
    if (row.doubleClick) {
        QTest::mouseDClick(ring.windowHandle(), row.button, {}, centre);
    } else {
        QTest::mouseClick(ring.windowHandle(), row.button, {}, centre);
    }
    EXPECT_EQ(left.size(), row.leftClicks);
    EXPECT_EQ(twice.size(), row.doubleClicks);
}

const ClickRow kClickRows[] = {
    {"LeftClick", false, Qt::LeftButton, 1, 0},
    {"LeftDoubleClick", true, Qt::LeftButton, 1, 1},
    {"RightClick", false, Qt::RightButton, 0, 0},
    {"RightDoubleClick", true, Qt::RightButton, 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Clicks, PortPictureRingClickTest, ::testing::ValuesIn(kClickRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct RingKeyRow {
    const char* name;
    Qt::Key key;
    int leftClicks;
};

// Catches a ring that the keyboard cannot reach or switch, and one whose button action (what a
// screen reader offers) does nothing.
TEST(PortPictureRingTest, SpaceEnterAndThePressActionAreAClick) {
    const RingKeyRow rows[] = {
        {"Space", Qt::Key_Space, 1},
        {"Enter", Qt::Key_Return, 1},
        {"other key", Qt::Key_A, 0},
    };
    for (const auto& row : rows) {
        PortPictureRing ring;
        EXPECT_EQ(ring.focusPolicy() & Qt::TabFocus, Qt::TabFocus) << row.name;
        QSignalSpy left(&ring, &PortPictureRing::leftClicked);
        QTest::keyClick(&ring, row.key);
        EXPECT_EQ(left.size(), row.leftClicks) << row.name;
    }
    PortPictureRing ring;
    ring.setValue(3);
    QSignalSpy left(&ring, &PortPictureRing::leftClicked);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&ring);
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->text(QAccessible::Name), "COM-Port");
    EXPECT_EQ(spoken->text(QAccessible::Description), "COM 3");
    ASSERT_NE(spoken->actionInterface(), nullptr);
    spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(left.size(), 1);
}

// ---- toggle button

TEST(ToggleButtonTest, TextFollowsTheStateHoweverItIsSet) {
    ToggleButton toggle;
    toggle.setOffText(QStringLiteral("einschalten"));
    toggle.setOnText(QStringLiteral("ausschalten"));
    EXPECT_EQ(toggle.text(), "einschalten");

    toggle.click();
    EXPECT_TRUE(toggle.isChecked());
    EXPECT_EQ(toggle.text(), "ausschalten");

    {
        const QSignalBlocker block(&toggle);
        toggle.setChecked(false);
    }
    EXPECT_EQ(toggle.text(), "einschalten");

    toggle.setChecked(true);
    EXPECT_EQ(toggle.text(), "ausschalten");
    toggle.click();
    EXPECT_EQ(toggle.text(), "einschalten");
}

TEST(ToggleButtonTest, ClickReportsTheNewState) {
    ToggleButton toggle;
    QSignalSpy clicked(&toggle, &QAbstractButton::clicked);
    toggle.click();
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_TRUE(clicked.front().front().toBool());
}

// ---- display-only ring

TEST(IndicatorRingTest, OperatorCannotChangeIt) {
    IndicatorRing ring;
    ring.addItems({QStringLiteral("standard"), QStringLiteral("speziell")});
    ring.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ring, 1000));
    QSignalSpy activated(&ring, &QComboBox::activated);

    QTest::keyClick(&ring, Qt::Key_Down);
    QTest::keyClick(&ring, Qt::Key_End);
    QTest::mouseClick(ring.windowHandle(), Qt::LeftButton, {}, ring.rect().center());
    QWheelEvent wheel(QPointF(ring.rect().center()), ring.mapToGlobal(QPointF(5, 5)), {},
                      QPoint(0, -120), Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&ring, &wheel);

    EXPECT_EQ(ring.currentIndex(), 0);
    EXPECT_EQ(activated.size(), 0);
    EXPECT_FALSE(ring.view()->isVisible());

    ring.setCurrentIndex(1);  // code may
    EXPECT_EQ(ring.currentIndex(), 1);
}

}  // namespace
