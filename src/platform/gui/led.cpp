#include "platform/gui/led.h"

#include <QEvent>
#include <QPainter>
#include <QRadialGradient>

namespace vrl::gui {

namespace {

constexpr int kDiameter = 16;  // [px] at the default size

QColor greyed(const QColor& color) {
    const int level = 110 + qGray(color.rgb()) / 2;  // keeps lit and dark apart, both pale
    return QColor(level, level, level);
}

}  // namespace

Led::Led(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Led::setOn(bool on) {
    if (on_ == on) return;
    on_ = on;
    update();
}

void Led::setOnColor(const QColor& color) {
    if (onColor_ == color) return;
    onColor_ = color;
    update();
}

void Led::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) return;
    dimmed_ = dimmed;
    update();
}

QSize Led::sizeHint() const {
    return {kDiameter + 4, kDiameter + 4};
}

QSize Led::minimumSizeHint() const {
    return {kDiameter / 2, kDiameter / 2};
}

void Led::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) update();
    QWidget::changeEvent(event);
}

void Led::paintEvent(QPaintEvent*) {
    QColor body = on_ ? onColor_ : onColor_.darker(400);
    if (dimmed_ || !isEnabled()) body = greyed(body);

    const qreal side = qMin(width(), height()) - 2.0;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);

    // A lit lamp gets a bright spot towards the top left, as if lit from inside.
    QRadialGradient glow(circle.center() - QPointF(side / 6.0, side / 6.0), side / 1.6);
    glow.setColorAt(0.0, on_ ? body.lighter(170) : body.lighter(130));
    glow.setColorAt(1.0, body);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Shadow), 1.0));
    painter.setBrush(glow);
    painter.drawEllipse(circle);
}

}  // namespace vrl::gui
