#pragma once

#include <QComboBox>

namespace vrl::gui {

// A ring that only shows a value: it looks like any other ring, so its text stays easy to read
// (a disabled one would look greyed), but the operator cannot open it or change its item with
// the mouse, the wheel or the keyboard. Code sets it like any QComboBox.
class IndicatorRing : public QComboBox {
    Q_OBJECT

  public:
    explicit IndicatorRing(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showPopup() override;
};

}  // namespace vrl::gui
