#include "platform/gui/controls.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSpinBox>
#include <QStringList>
#include <QtDebug>

#include "platform/gui/led.h"
#include "platform/gui/port_picture_ring.h"
#include "platform/gui/toggle_button.h"

namespace vrl::gui {

namespace {

constexpr char kItemValuesProperty[] = "itemValues";
constexpr char kForeignProperty[] = "showsForeign";
constexpr char kNormalMinimumProperty[] = "normalMinimum";
constexpr char kRefusedProperty[] = "refusedEntry";
constexpr char kToolTipBeforeRefusal[] = "toolTipBeforeRefusal";
constexpr int kForeignItemRole = Qt::UserRole + 1;

// Light red behind dark red: stands out on the grey panel and stays readable when dimmed.
const QColor kForeignBackground(0xF6, 0xC4, 0xC0);
const QColor kForeignText(0x8B, 0x00, 0x00);

class CloseInterceptor : public QObject {
  public:
    CloseInterceptor(QWidget* window, std::function<void()> handler)
        : QObject(window), handler_(std::move(handler)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
        event->ignore();
        handler_();
        return true;
    }

  private:
    std::function<void()> handler_;
};

class PressWatcher : public QObject {
  public:
    PressWatcher(QWidget* watched, std::function<void()> handler)
        : QObject(watched), handler_(std::move(handler)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
            handler_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> handler_;
};

QLabel* labelWidgetOf(const QWidget* control) {
    for (auto* label : control->window()->findChildren<QLabel*>()) {
        if (label->buddy() == control) return label;
    }
    return nullptr;
}

void paintMarked(QWidget* control) {
    QPalette palette = control->palette();
    for (const auto role : {QPalette::Base, QPalette::Button})
        palette.setColor(role, kForeignBackground);
    for (const auto role : {QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, kForeignText);
    control->setPalette(palette);
}

void mark(QWidget* control, const QString& toolTip) {
    paintMarked(control);
    control->setToolTip(toolTip);
    control->setProperty(kForeignProperty, true);
}

bool isMarked(const QWidget* control) {
    return control->property(kForeignProperty).toBool();
}

template <class Box>
void showForeignNumber(Box* box, const QString& text, const QString& toolTip) {
    using Value = decltype(box->value());
    if (!isMarked(box)) box->setProperty(kNormalMinimumProperty, box->minimum());
    const Value normalMinimum = box->property(kNormalMinimumProperty).template value<Value>();
    quietly(box, [&] {
        box->setMinimum(normalMinimum - box->singleStep());
        box->setSpecialValueText(text);
        box->setValue(box->minimum());
    });
    mark(box, toolTip);
}

template <class Box>
void restoreRange(Box* box) {
    using Value = decltype(box->value());
    quietly(box, [&] {
        box->setSpecialValueText({});
        box->setMinimum(box->property(kNormalMinimumProperty).template value<Value>());
    });
}

}  // namespace

QMetaObject::Connection connectCommit(QWidget* control, std::function<void()> handler) {
    auto run = [handler = std::move(handler)] { handler(); };
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(control)) {
        spin->setKeyboardTracking(false);
        return QObject::connect(spin, &QDoubleSpinBox::valueChanged, spin, run);
    }
    if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        spin->setKeyboardTracking(false);
        return QObject::connect(spin, &QSpinBox::valueChanged, spin, run);
    }
    if (auto* ring = qobject_cast<QComboBox*>(control)) {
        return QObject::connect(ring, &QComboBox::activated, ring, run);
    }
    // A screen reader's toggle action and toggle() change the state without a click.
    if (auto* toggle = qobject_cast<ToggleButton*>(control)) {
        return QObject::connect(toggle, &QAbstractButton::toggled, toggle, run);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        return QObject::connect(button, &QAbstractButton::clicked, button, run);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        return QObject::connect(edit, &QLineEdit::editingFinished, edit, run);
    }
    qWarning() << "connectCommit: no commit signal for" << control;
    return {};
}

void setQuietly(QDoubleSpinBox* control, double value) {
    clearRefused(control);
    quietly(control, [&] { control->setValue(value); });
}

void setQuietly(QSpinBox* control, int value) {
    clearRefused(control);
    quietly(control, [&] { control->setValue(value); });
}

void setQuietly(QAbstractButton* control, bool checked) {
    quietly(control, [&] { control->setChecked(checked); });
}

void setQuietly(QLineEdit* control, const QString& text) {
    quietly(control, [&] { control->setText(text); });
}

void setQuietly(QLabel* control, const QString& text) {
    quietly(control, [&] { control->setText(text); });
}

void setQuietly(Led* lamp, bool on) {
    quietly(lamp, [&] { lamp->setOn(on); });
}

void setQuietly(PortPictureRing* ring, int value) {
    quietly(ring, [&] { ring->setValue(value); });
}

bool setQuietly(QComboBox* ring, int value) {
    const int index = ringIndexOf(ring, value);
    if (index < 0) return false;
    quietly(ring, [&] { ring->setCurrentIndex(index); });
    return true;
}

int ringValue(const QComboBox* ring) {
    const int index = ring->currentIndex();
    return index < 0 ? -1 : ring->itemData(index).toInt();
}

int ringIndexOf(const QComboBox* ring, int value) {
    return ring->findData(value);
}

void addRingItem(QComboBox* ring, const QString& label, int value) {
    quietly(ring, [&] { ring->addItem(label, value); });
}

void applyItemValues(QWidget* panel) {
    for (auto* ring : panel->findChildren<QComboBox*>()) {
        const QVariant property = ring->property(kItemValuesProperty);
        if (!property.isValid()) continue;
        const QStringList values = property.toString().split(u',', Qt::SkipEmptyParts);
        if (values.size() != ring->count()) {
            qWarning() << "applyItemValues:" << ring->objectName() << "has" << ring->count()
                       << "items but" << values.size() << "values";
        }
        for (int i = 0; i < values.size() && i < ring->count(); ++i) {
            bool ok = false;
            const int value = values[i].trimmed().toInt(&ok);
            if (!ok) {
                qWarning() << "applyItemValues:" << ring->objectName() << "bad value" << values[i];
                continue;
            }
            ring->setItemData(i, value);
        }
    }
}

void setDimmed(QWidget* control, bool dimmed) {
    if (auto* lamp = qobject_cast<Led*>(control)) {
        lamp->setDimmed(dimmed);
    } else {
        control->setEnabled(!dimmed);
    }
    if (QLabel* label = labelWidgetOf(control)) label->setEnabled(!dimmed);
}

bool isDimmed(const QWidget* control) {
    if (auto* lamp = qobject_cast<const Led*>(control)) return lamp->isDimmed();
    return !control->isEnabled();
}

void showForeign(QDoubleSpinBox* box, const QString& text, const QString& toolTip) {
    showForeignNumber(box, text, toolTip);
}

void showForeign(QSpinBox* box, const QString& text, const QString& toolTip) {
    showForeignNumber(box, text, toolTip);
}

void showForeign(QComboBox* ring, int value, const QString& label, const QString& toolTip) {
    clearForeign(ring);
    quietly(ring, [&] {
        ring->addItem(label, value);
        const int index = ring->count() - 1;
        ring->setItemData(index, true, kForeignItemRole);
        ring->setCurrentIndex(index);
    });
    mark(ring, toolTip);
}

double enterableMinimum(const QDoubleSpinBox* box) {
    return isMarked(box) ? box->property(kNormalMinimumProperty).toDouble() : box->minimum();
}

int enterableMinimum(const QSpinBox* box) {
    return isMarked(box) ? box->property(kNormalMinimumProperty).toInt() : box->minimum();
}

bool showsForeignValue(const QWidget* control) {
    if (!isMarked(control)) return false;
    if (const auto* ring = qobject_cast<const QComboBox*>(control))
        return ring->currentData(kForeignItemRole).toBool();
    if (const auto* box = qobject_cast<const QDoubleSpinBox*>(control))
        return box->value() == box->minimum();
    if (const auto* box = qobject_cast<const QSpinBox*>(control))
        return box->value() == box->minimum();
    return false;
}

void clearForeign(QWidget* control) {
    clearRefused(control);
    if (!isMarked(control)) return;
    if (auto* box = qobject_cast<QDoubleSpinBox*>(control)) {
        restoreRange(box);
    } else if (auto* box = qobject_cast<QSpinBox*>(control)) {
        restoreRange(box);
    } else if (auto* ring = qobject_cast<QComboBox*>(control)) {
        quietly(ring, [ring] {
            for (int i = ring->count() - 1; i >= 0; --i) {
                if (ring->itemData(i, kForeignItemRole).toBool()) ring->removeItem(i);
            }
        });
    }
    control->setPalette(QPalette());
    control->setToolTip({});
    control->setProperty(kForeignProperty, false);
}

void markRefused(QWidget* control, const QString& why) {
    if (!isRefused(control)) control->setProperty(kToolTipBeforeRefusal, control->toolTip());
    control->setProperty(kRefusedProperty, true);
    paintMarked(control);
    control->setToolTip(why);
}

void clearRefused(QWidget* control) {
    if (!isRefused(control)) return;
    control->setProperty(kRefusedProperty, false);
    control->setToolTip(control->property(kToolTipBeforeRefusal).toString());
    if (!isMarked(control)) control->setPalette(QPalette());
}

bool isRefused(const QWidget* control) {
    return control->property(kRefusedProperty).toBool();
}

void setControlVisible(QWidget* control, bool visible) {
    control->setVisible(visible);
    if (QLabel* label = labelWidgetOf(control)) label->setVisible(visible);
}

QString labelOf(const QWidget* control) {
    const QLabel* label = labelWidgetOf(control);
    return label ? label->text() : QString();
}

void beforeRingOpens(QComboBox* ring, std::function<void()> handler) {
    ring->installEventFilter(new PressWatcher(ring, std::move(handler)));
}

void interceptClose(QWidget* window, std::function<void()> handler) {
    window->installEventFilter(new CloseInterceptor(window, std::move(handler)));
}

}  // namespace vrl::gui
