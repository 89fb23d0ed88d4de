#pragma once

// How the panel modules work with their controls.
//
// Commit. A control's handler runs when the operator has finished a change: never while he is
// still typing, and never because the program itself set a value. connectCommit() connects the
// signal that means exactly this for each kind of control:
//
//   QPushButton, QToolButton, QCheckBox                clicked
//   ToggleButton                                       toggled: whatever changed the state (a
//                                                      click, Space, a screen reader's toggle
//                                                      action, setChecked from code)
//   QComboBox (rings and the program list)             activated: the operator chose an item,
//                                                      also when it is the one already shown
//   QSpinBox, QDoubleSpinBox                           valueChanged with keyboard tracking off
//                                                      (connectCommit switches it off): a step by
//                                                      arrow, key or wheel, Enter, or leaving the
//                                                      field after typing a different value
//   QLineEdit                                          editingFinished: Enter or leaving the field
//
// Menu items (QAction) commit with triggered, the port picture ring reports leftClicked and
// doubleClicked; connect those directly. Lamps, labels and indicators never commit.
//
// Setting from code. The program shows values with setQuietly(), which blocks the control's
// signals for the duration (QSignalBlocker), so no handler runs. A spin box would otherwise
// report every value the program shows as if the operator had typed it. For anything not
// covered, wrap the change in quietly().
//
// Rings. Each item of a QComboBox carries an integer value (Qt::UserRole), the value the
// program reads and sets; the item's position does not matter. A Designer file gives the values
// as the comma-separated dynamic property "itemValues", which applyItemValues() turns into item
// data when the panel is built.

#include <QMetaObject>
#include <QSignalBlocker>
#include <QString>
#include <functional>

class QAbstractButton;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace vrl::gui {

class Led;
class PortPictureRing;

// Runs handler on every commit of control (see above). An unsupported kind of control gets no
// connection (the returned one is invalid) and a warning.
QMetaObject::Connection connectCommit(QWidget* control, std::function<void()> handler);

template <class Control, class Change>
void quietly(Control* control, Change&& change) {
    const QSignalBlocker block(control);
    change();
}

void setQuietly(QDoubleSpinBox* control, double value);
void setQuietly(QSpinBox* control, int value);
void setQuietly(QAbstractButton* control, bool checked);
void setQuietly(QLineEdit* control, const QString& text);
void setQuietly(QLabel* control, const QString& text);
void setQuietly(Led* lamp, bool on);
void setQuietly(PortPictureRing* ring, int value);
// Selects the item with this value. Without such an item nothing changes and false comes back.
bool setQuietly(QComboBox* ring, int value);

// The value of the selected item; -1 when no item is selected.
int ringValue(const QComboBox* ring);
// The position of the first item with this value; -1 when there is none.
int ringIndexOf(const QComboBox* ring, int value);
// Appends an item, without running the ring's handler.
void addRingItem(QComboBox* ring, const QString& label, int value);
// Gives the items of every ring under panel the values of its "itemValues" property.
void applyItemValues(QWidget* panel);

// A dimmed control shows a value that is not current or cannot be changed now: a lamp is drawn
// in greys, any other control is disabled. Its label is greyed with it.
void setDimmed(QWidget* control, bool dimmed);
bool isDimmed(const QWidget* control);

// A value that a control cannot show (not a number, outside its range, finer than its decimals,
// or no item of a ring carries it) is shown as text and marked: reddish, with toolTip naming the
// stored value. The program keeps the stored value while the mark stays; the operator's commit
// of another value ends it. A ring gets an extra item with the value; a spin box's range reaches
// one step below its minimum, and that step shows the text: any value the operator types in the
// range is a change, and the first step up lands on the minimum.
void showForeign(QDoubleSpinBox* box, const QString& text, const QString& toolTip);
void showForeign(QSpinBox* box, const QString& text, const QString& toolTip);
void showForeign(QComboBox* ring, int value, const QString& label, const QString& toolTip);
// The lowest value the operator may enter: the box's minimum, or while it shows a foreign value,
// the minimum it had before.
double enterableMinimum(const QDoubleSpinBox* box);
int enterableMinimum(const QSpinBox* box);
// Whether the control now shows the stored value it cannot show (the ring its extra item).
bool showsForeignValue(const QWidget* control);
// Takes the mark, the extra items and the wider range back; the control keeps its value, pulled
// into its range.
void clearForeign(QWidget* control);

// An entry of the operator's that a number field refused (number_field.h): the control is marked
// as a foreign value is and its toolTip says why. The mark goes with the next value the field
// takes, from the operator or the program; a foreign value's mark and toolTip stay as they were.
void markRefused(QWidget* control, const QString& why);
void clearRefused(QWidget* control);
bool isRefused(const QWidget* control);

// Shows or hides a control together with its label, which a hidden control must not leave
// behind.
void setControlVisible(QWidget* control, bool visible);

// The text of the label that names control (the QLabel whose buddy it is); empty when it has
// none. Buttons and check boxes carry their text themselves.
QString labelOf(const QWidget* control);

// Runs handler when the operator presses a mouse button or a key on ring, before the ring
// reacts: a list built there (the COM ports) is fresh when the ring opens.
void beforeRingOpens(QComboBox* ring, std::function<void()> handler);

// From now on closing window (title bar, window menu, Alt+F4) only calls handler; the window
// stays open. The handler decides whether the program ends: it should end the event loop with
// QCoreApplication::exit(), not quit(), because quit() first asks every window to close and
// these windows refuse.
void interceptClose(QWidget* window, std::function<void()> handler);

}  // namespace vrl::gui
