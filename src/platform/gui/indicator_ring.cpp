#include "platform/gui/indicator_ring.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace vrl::gui {

IndicatorRing::IndicatorRing(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void IndicatorRing::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit openRequested();
    event->accept();
}
void IndicatorRing::mouseReleaseEvent(QMouseEvent* event) {
    event->ignore();
}
void IndicatorRing::mouseDoubleClickEvent(QMouseEvent* event) {
    event->ignore();
}
void IndicatorRing::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        emit openRequested();
        return;
    }
    // Tab and the window's shortcuts go on; nothing changes the item.
    event->ignore();
}
void IndicatorRing::wheelEvent(QWheelEvent* event) {
    event->ignore();
}
void IndicatorRing::showPopup() {}

}  // namespace vrl::gui
