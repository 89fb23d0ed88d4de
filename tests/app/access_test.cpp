// The windows as an operator meets them with a screen reader, the keyboard alone, and a
// 1366 x 768 notebook screen.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QStringList>

#include "app/com_main.h"
#include "app/device_compare.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app/trace_window.h"
#include "app_fixture.h"
#include "gui/qt_app.h"
#include "params/datastate.h"
#include "platform/gui/led.h"
#include "platform/gui/panels.h"
#include "platform/gui/port_picture_ring.h"

namespace {

class Access : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        gPaneltitle = "TKV-9D Steuerung";
        ASSERT_EQ(Func_PanelsInitialisieren("V 1.2.3", "4/2011"), 0);
    }
    void TearDown() override {
        Func_PanelsFreigeben();
        AppTest::TearDown();
    }

    struct Window {
        const char* name;
        QWidget* widget;
    };
    std::vector<Window> windows() {
        return {
            {"Hauptfenster", ParMain_GetMainpanel()},
            {"Com", ComMain_Panel()->widget()},
            {"Status", StatusMain_Panel()->widget()},
            {"Info", ParMain_InfoPanel()->widget()},
            {"Kalibrieren", ParMain_KalibPanel()->widget()},
            {"Umbenennen", ParMain_RenamePanel()->widget()},
            {"Protokoll", vrl::app::showTraceWindow(ParMain_GetMainpanel())},
            {"Vergleich", new vrl::app::CompareWindow(ParMain_GetMainpanel())},
        };
    }

    vrl::PopupsGuard guard{popups};
};

// What an operator operates or reads: the parts Qt builds inside a spin box, a ring or a view
// (its line edit, its scroll bars) are read through their owner.
bool isControl(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (widget->objectName().startsWith(QLatin1String("qt_"))) return false;
    if (qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent))
        return false;
    for (const QWidget* up = parent; up; up = up->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(up)) return false;
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const vrl::gui::Led*>(widget) ||
           qobject_cast<const vrl::gui::PortPictureRing*>(widget) ||
           widget->inherits("QGraphicsView");
}

// Catches a control that a screen reader announces only by its kind ("Kontrollkästchen",
// "Schaltfläche"): a label not linked as buddy, a picture button with a tool tip only, a lamp
// or plot without a name.
TEST_F(Access, EveryControlOfEveryWindowHasAName) {
    for (const auto& window : windows()) {
        QStringList unnamed;
        for (QWidget* widget : window.widget->findChildren<QWidget*>()) {
            if (!isControl(widget) || !widget->isVisibleTo(window.widget)) continue;
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
            if (!spoken || spoken->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << widget->objectName() + QLatin1Char(':') +
                               QLatin1String(widget->metaObject()->className());
        }
        EXPECT_TRUE(unnamed.isEmpty()) << window.name << ": " << unnamed.join(", ").toStdString();
    }
}

}  // namespace
