#pragma once

// The six panels of the program, each built from its Designer file resources/panels/<NAME>.ui.
// uic turns a file into the class Ui::<NAME>, whose members are the controls under their
// resource names (ui.PAR_STROM1, ui.FEHLERLED, ...). A panel module holds one Panel:
//
//     vrl::gui::MainPanel main;                    // top-level window
//     vrl::gui::InfoPanel info(main.widget());     // child dialog of the main panel
//     main.ui.PROGLESEN->setText(...);
//
// MAINPANEL, COMPANEL and STATUSPNL are QMainWindows with the menu bars MENUMAIN, MENUCOM and
// MENUSTATUS; INFOPANEL, KALIBPANEL and RENAMEPNL are QDialogs. The top widget's object name is
// the resource name, so QtPopups::runModal("RENAMEPNL") finds the dialog.
//
// Menus and their items are named <BAR>_<MENU> and <BAR>_<MENU>_<ITEM>: MENUMAIN_DATEI,
// MENUMAIN_DATEI_LADEN, MENUMAIN_FENSTER, MENUSTATUS_DATEI_BEENDEN. The item names alone would
// clash with controls of the same panel (the picture buttons LADEN and SPEICHERN).
//
// A control's label is a QLabel named <CONTROL>_LABEL whose buddy is the control (labelOf(),
// setControlVisible() and setDimmed() in controls.h act on both). Objects named in lower case
// (frames, layouts) are layout only.
//
// Kinds of control:
//   command button               QPushButton
//   picture button               QToolButton with an image (LADEN, SPEICHERN)
//   toggle button                vrl::gui::ToggleButton (a checkable QPushButton)
//   check box                    QCheckBox
//   ring, list                   QComboBox; each item carries its value (controls.h)
//   display-only ring            vrl::gui::IndicatorRing (PAR_KUNDENKALIBRIERUN)
//   real / integer control       QDoubleSpinBox / QSpinBox, keyboard tracking off
//   numeric indicator            read-only QDoubleSpinBox / QSpinBox without buttons
//   string control / indicator   QLineEdit / read-only QLineEdit
//   text, picture                QLabel
//   lamp                         vrl::gui::Led
//   port picture ring            vrl::gui::PortPictureRing
//   decoration                   QFrame
//   timer                        QTimer, made in code (StatusPanelForm)

#include <QDialog>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <string_view>

#include "ui_COMPANEL.h"
#include "ui_INFOPANEL.h"
#include "ui_KALIBPANEL.h"
#include "ui_MAINPANEL.h"
#include "ui_RENAMEPNL.h"
#include "ui_STATUSPNL.h"

class QMenu;

namespace vrl::gui {

// The status panel and what its Designer file cannot hold: the polling timer STATUSTIMER,
// period 1.0 s, repeating, not running after creation. It is a child of the panel and goes
// with it.
class StatusPanelForm : public Ui::STATUSPNL {
  public:
    static constexpr int kStatusTimerPeriod = 1000;  // [ms]

    QTimer* STATUSTIMER = nullptr;

    void setupUi(QMainWindow* panel);
};

template <class Form>
struct PanelWindow;
template <>
struct PanelWindow<Ui::MAINPANEL> {
    using type = QMainWindow;
};
template <>
struct PanelWindow<Ui::COMPANEL> {
    using type = QMainWindow;
};
template <>
struct PanelWindow<StatusPanelForm> {
    using type = QMainWindow;
};
template <>
struct PanelWindow<Ui::INFOPANEL> {
    using type = QDialog;
};
template <>
struct PanelWindow<Ui::KALIBPANEL> {
    using type = QDialog;
};
template <>
struct PanelWindow<Ui::RENAMEPNL> {
    using type = QDialog;
};

// Things every panel needs before and after its controls are built: the images compiled in,
// the item values of its rings, the menu keys, and a window's content scrolling where the screen
// is smaller than the window.
void preparePanelResources();
void finishPanel(QWidget* panel);

// The program's own icon, drawn from the desktop icon at the sizes a title bar, a task bar and
// a task switcher ask for; the windows show it rather than the system's generic one.
QIcon programIcon();

// Menus for the keyboard alone. Every menu title and item without a mnemonic gets one, unique
// within its menu (the first letter of a word where it is free, else the first free letter);
// the shown text stays the same apart from the underline. F10 opens the window's first menu.
// finishPanel does this for a window's menu bar; a menu filled later (the "Fenster" menus) calls
// addMnemonics itself.
void addMenuKeys(QMainWindow* window);
void addMnemonics(QMenu* menu);

// Puts `part` (a window's content, or one part of it) into a frameless scroll area in its place,
// so that on a screen smaller than the window (a notebook at 125 %) it scrolls and what lies
// beside it stays in view. finishPanel does this for every window's content.
void scrollWhenLargerThanScreen(QWidget* part);

// A part built in code after the Designer file (the curve preview, the recording) joins the Tab
// order where it stands on the window, between `after` and `before`, not at its end.
void placeInTabOrder(QWidget* after, QWidget* part, QWidget* before);

// One panel: its window and its controls. The window is deleted with the Panel, or earlier by
// its Qt parent (a child dialog goes with the main panel); either order is safe.
template <class Form>
class Panel {
  public:
    using Window = typename PanelWindow<Form>::type;

    explicit Panel(QWidget* parent = nullptr) {
        preparePanelResources();
        window_ = new Window(parent);
        ui.setupUi(window_.data());
        finishPanel(window_.data());
    }
    ~Panel() { delete window_.data(); }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    Window* widget() const { return window_.data(); }

    Form ui;

  private:
    QPointer<Window> window_;
};

using MainPanel = Panel<Ui::MAINPANEL>;
using ComPanel = Panel<Ui::COMPANEL>;
using StatusPanel = Panel<StatusPanelForm>;
using InfoPanel = Panel<Ui::INFOPANEL>;
using KalibPanel = Panel<Ui::KALIBPANEL>;
using RenamePanel = Panel<Ui::RENAMEPNL>;

// Builds a panel by resource name, for code that finds its controls by name; nullptr for a
// name that is not one of the six. A child panel given a parent must be deleted before it.
std::unique_ptr<QWidget> loadPanel(std::string_view resourceName, QWidget* parent = nullptr);

}  // namespace vrl::gui
