#include "platform/gui/toggle_button.h"

namespace vrl::gui {

ToggleButton::ToggleButton(QWidget* parent) : QPushButton(parent) {
    setCheckable(true);
}

void ToggleButton::setOffText(const QString& text) {
    offText_ = text;
    showState();
}

void ToggleButton::setOnText(const QString& text) {
    onText_ = text;
    showState();
}

// setChecked from code lands here...
void ToggleButton::checkStateSet() {
    QPushButton::checkStateSet();
    showState();
}

// ...and a click here.
void ToggleButton::nextCheckState() {
    QPushButton::nextCheckState();
    showState();
}

void ToggleButton::showState() {
    setText(isChecked() ? onText_ : offText_);
}

}  // namespace vrl::gui
