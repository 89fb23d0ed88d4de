#pragma once

#include <QDialog>
#include <QStringList>
#include <array>

class QPushButton;

namespace vrl::gui {

// The width a popup needs for its whole title in the window manager's title bar: a short
// message ("INI-File not found") under a longer title would otherwise cut the title to "Er… 1".
// The bar's font is the desktop's, often bold, and it holds an icon and three buttons beside.
int widthForTitle(const QWidget& popup);

// A question with up to three answer buttons, laid out in the order given (a message box would
// reorder them by the desktop's conventions). The first button has the focus; Enter presses the
// enter button and Esc, or closing the window, the escape button, which need not be the
// focused one. exec() and answer() give the number of the button pressed, 1..3.
class QuestionDialog : public QDialog {
    Q_OBJECT

  public:
    // labels: up to three texts; an empty one leaves its button out (the others keep their
    // numbers). An enter or escape number naming a missing button falls back to the first or
    // the last button present; with no label at all there is one button "OK".
    QuestionDialog(const QString& title, const QString& text, const QStringList& labels,
                   int enterButton, int escapeButton, QWidget* parent = nullptr);

    // The button with this number, nullptr when it was left out.
    QPushButton* button(int number) const;
    int answer() const { return answer_; }
    int enterButton() const { return enter_; }
    int escapeButton() const { return escape_; }

  public slots:
    void reject() override;

  private:
    void press(int number);

    std::array<QPushButton*, 3> buttons_{};
    int enter_ = 1;
    int escape_ = 1;
    int answer_ = 0;
};

}  // namespace vrl::gui
