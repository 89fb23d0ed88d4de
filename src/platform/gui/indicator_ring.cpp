#include "platform/gui/indicator_ring.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace vrl::gui {

IndicatorRing::IndicatorRing(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void IndicatorRing::mousePressEvent(QMouseEvent* event) {
    event->ignore();
}
void IndicatorRing::mouseReleaseEvent(QMouseEvent* event) {
    event->ignore();
}
void IndicatorRing::mouseDoubleClickEvent(QMouseEvent* event) {
    event->ignore();
}
void IndicatorRing::keyPressEvent(QKeyEvent* event) {
    event->ignore();
}
void IndicatorRing::wheelEvent(QWheelEvent* event) {
    event->ignore();
}
void IndicatorRing::showPopup() {}

}  // namespace vrl::gui
