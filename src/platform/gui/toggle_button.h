#pragma once

#include <QPushButton>

namespace vrl::gui {

// A push button that stays down while on and shows one text while off and another while on
// (the action the next click takes, such as "... einschalten" / "... ausschalten"). The text
// follows the state however it is set, by a click or by setChecked from code with its signals
// blocked, so it can never contradict the state.
class ToggleButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString offText READ offText WRITE setOffText)
    Q_PROPERTY(QString onText READ onText WRITE setOnText)

  public:
    explicit ToggleButton(QWidget* parent = nullptr);

    QString offText() const { return offText_; }
    void setOffText(const QString& text);
    QString onText() const { return onText_; }
    void setOnText(const QString& text);

  protected:
    void checkStateSet() override;
    void nextCheckState() override;

  private:
    void showState();

    QString offText_;
    QString onText_;
};

}  // namespace vrl::gui
