#include "platform/gui/port_picture_ring.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vrl::gui {

namespace {

bool hasPort(int value) {
    return (value >= 1 && value <= PortPictureRing::kHighestPicturedPort) ||
           value == PortPictureRing::kAboveHighest;
}

// The shell of a nine-pin D-sub plug: wider at the top, with rounded corners.
QPainterPath connectorShell(const QRectF& box) {
    const qreal slant = box.width() * 0.12;
    const qreal r = box.height() * 0.18;
    QPainterPath path;
    path.moveTo(box.left() + r, box.top());
    path.lineTo(box.right() - r, box.top());
    path.quadTo(box.topRight(), box.topRight() + QPointF(-slant * 0.15, r));
    path.lineTo(box.right() - slant, box.bottom() - r);
    path.quadTo(box.bottomRight() - QPointF(slant, 0), box.bottomRight() - QPointF(slant + r, 0));
    path.lineTo(box.left() + slant + r, box.bottom());
    path.quadTo(box.bottomLeft() + QPointF(slant, 0), box.bottomLeft() + QPointF(slant, -r));
    path.lineTo(box.left() + slant * 0.15, box.top() + r);
    path.quadTo(box.topLeft(), box.topLeft() + QPointF(r, 0));
    path.closeSubpath();
    return path;
}

// What the picture says, in the words the port ring uses.
QString spokenState(int value) {
    if (value == PortPictureRing::kAboveHighest) return QStringLiteral("COM > 16");
    if (hasPort(value)) return QStringLiteral("COM %1").arg(value);
    return QCoreApplication::translate("Com", "nicht geöffnet");
}

// To a screen reader the ring is a button that closes or reopens the port; its description says
// which port is open.
class AccessibleRing : public QAccessibleWidget {
  public:
    explicit AccessibleRing(PortPictureRing* ring) : QAccessibleWidget(ring, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && widget()->isEnabled())
            emit static_cast<PortPictureRing*>(widget())->leftClicked();
    }
};

QAccessibleInterface* ringInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(PortPictureRing::staticMetaObject.className())) return nullptr;
    return new AccessibleRing(static_cast<PortPictureRing*>(object));
}

}  // namespace

PortPictureRing::PortPictureRing(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(ringInterface), true);
    (void)installed;
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab and switched with Space like a button, for operators without a mouse.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("COM-Port"));
    setAccessibleDescription(spokenState(value_));
}

void PortPictureRing::setValue(int value) {
    if (value_ == value) return;
    value_ = value;
    describe();
}

void PortPictureRing::setLink(Link link) {
    if (link_ == link) return;
    link_ = link;
    describe();
}

void PortPictureRing::describe() {
    QString text = spokenState(value_);
    if (link_ == Link::Gone) text += QCoreApplication::translate("Com", " getrennt");
    if (link_ == Link::Reconnecting)
        text += QCoreApplication::translate("Com", " wird wieder verbunden");
    setAccessibleDescription(text);
    setToolTip(link_ == Link::Connected ? QString() : text);
    update();
}

void PortPictureRing::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) emit leftClicked();
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void PortPictureRing::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void PortPictureRing::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

QSize PortPictureRing::sizeHint() const {
    return {56, 32};
}

QSize PortPictureRing::minimumSizeHint() const {
    return {40, 24};
}

void PortPictureRing::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit leftClicked();
    event->accept();
}

// Not forwarded to mousePressEvent (QWidget's default would do that): the press that started
// the double click has already been reported as a left click.
void PortPictureRing::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    event->accept();
}

void PortPictureRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1.0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
    const QPainterPath shell = connectorShell(box);
    const bool open = hasPort(value_);

    QColor fill = open ? QColor(0x2f, 0x6f, 0xb0) : QColor(0xc8, 0xc8, 0xc8);
    QColor edge = open ? QColor(0x1a, 0x3f, 0x66) : QColor(0x80, 0x80, 0x80);
    if (open && link_ == Link::Gone) {
        fill = QColor(0x90, 0x90, 0x90);
        edge = QColor(0x60, 0x60, 0x60);
    } else if (open && link_ == Link::Reconnecting) {
        fill = QColor(0xd0, 0x8a, 0x10);
        edge = QColor(0x80, 0x50, 0x00);
    }
    painter.setPen(QPen(edge, 1.5));
    painter.setBrush(fill);
    painter.drawPath(shell);

    if (!open) {
        // Crossed out: no port is open.
        const QRectF inner = box.adjusted(box.width() * 0.25, box.height() * 0.15,
                                          -box.width() * 0.25, -box.height() * 0.15);
        painter.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(inner.topLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomLeft());
        return;
    }

    const QString label = value_ == kAboveHighest ? QStringLiteral(">16") : QString::number(value_);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(qMax(8, int(box.height() * 0.5)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box.adjusted(0, 0, 0, -box.height() * 0.08), Qt::AlignCenter, label);
    if (link_ == Link::Gone) {
        // The port's number stays readable under one slash: this port, not connected.
        painter.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(box.bottomLeft() + QPointF(box.width() * 0.15, -2),
                         box.topRight() + QPointF(-box.width() * 0.15, 2));
    }
}

}  // namespace vrl::gui
