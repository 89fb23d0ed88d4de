#include "platform/gui/led.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
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

// The colour of a lit lamp is part of its message (red: a fault, green: all is well), so a
// screen reader names it. Hues in between are named by the nearest of these.
QString colourName(const QColor& color) {
    if (color.hsvSaturation() < 64) return {};
    const int hue = color.hsvHue();
    if (hue < 20 || hue >= 330) return QCoreApplication::translate("Lampe", "rot");
    if (hue < 45) return QCoreApplication::translate("Lampe", "orange");
    if (hue < 70) return QCoreApplication::translate("Lampe", "gelb");
    if (hue < 170) return QCoreApplication::translate("Lampe", "grün");
    return QCoreApplication::translate("Lampe", "blau");
}

class AccessibleLed : public QAccessibleWidget {
  public:
    explicit AccessibleLed(Led* lamp) : QAccessibleWidget(lamp, QAccessible::CheckBox) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.readOnly = true;
        state.checked = lamp()->isOn();
        state.focusable = false;
        return state;
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description) return lamp()->stateText();
        return QAccessibleWidget::text(kind);
    }

  private:
    Led* lamp() const { return static_cast<Led*>(widget()); }
};

QAccessibleInterface* ledInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(Led::staticMetaObject.className())) return nullptr;
    return new AccessibleLed(static_cast<Led*>(object));
}

}  // namespace

Led::Led(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(ledInterface), true);
    (void)installed;
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Led::setOn(bool on) {
    if (on_ == on) return;
    on_ = on;
    update();
    announce(true);
}

void Led::setOnColor(const QColor& color) {
    if (onColor_ == color) return;
    onColor_ = color;
    update();
    announce(false);
}

void Led::setDimmed(bool dimmed) {
    if (dimmed_ == dimmed) return;
    dimmed_ = dimmed;
    update();
    announce(false);
}

QString Led::stateText() const {
    QString text = on_ ? QCoreApplication::translate("Lampe", "an")
                       : QCoreApplication::translate("Lampe", "aus");
    if (const QString colour = colourName(onColor_); on_ && !colour.isEmpty())
        text += QStringLiteral(" (%1)").arg(colour);
    if (dimmed_ || !isEnabled()) text += QCoreApplication::translate("Lampe", ", nicht aktuell");
    return text;
}

void Led::announce(bool checkedChanged) {
    if (!QAccessible::isActive()) return;  // no assistive technology listens
    if (checkedChanged) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

QSize Led::sizeHint() const {
    return {kDiameter + 4, kDiameter + 4};
}

QSize Led::minimumSizeHint() const {
    return {kDiameter / 2, kDiameter / 2};
}

void Led::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        update();
        announce(false);
    }
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
