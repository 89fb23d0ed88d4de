#pragma once

#include <QComboBox>

namespace vrl::gui {

// A ring that only shows a value: it looks like any other ring, so its text stays easy to read
// (a disabled one would look greyed), but the operator cannot change its item with the mouse,
// the wheel or the keyboard. Code sets it like any QComboBox. A click, or Space on it in the tab
// order, asks for the place where the value is changed (openRequested), so that a control that
// looks like it can be operated does something.
class IndicatorRing : public QComboBox {
    Q_OBJECT

  public:
    explicit IndicatorRing(QWidget* parent = nullptr);

  signals:
    void openRequested();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showPopup() override;
};

}  // namespace vrl::gui
