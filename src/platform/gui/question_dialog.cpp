#include "platform/gui/question_dialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vrl::gui {

namespace {

// The label with an Alt letter: its first letter that no button before it uses.
QString withAltLetter(const QString& label, QString& used) {
    QString text = label;
    text.replace(u'&', QStringLiteral("&&"));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar letter = text[i].toLower();
        if (!letter.isLetter() || used.contains(letter)) continue;
        used += letter;
        return text.insert(i, u'&');
    }
    return text;
}

}  // namespace

int widthForTitle(const QWidget& popup) {
    QFont bold = popup.font();
    bold.setBold(true);
    constexpr int kIconAndButtons = 120;  // [px]
    return QFontMetrics(bold).horizontalAdvance(popup.windowTitle()) + kIconAndButtons;
}

QuestionDialog::QuestionDialog(const QString& title, const QString& text, const QStringList& labels,
                               int enterButton, int escapeButton, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);

    auto* message = new QLabel(text, this);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);

    auto* row = new QHBoxLayout;
    row->addStretch();
    int first = 0;
    int last = 0;
    QString used;
    for (int number = 1; number <= 3; ++number) {
        const QString label = number <= labels.size() ? labels[number - 1] : QString();
        if (label.isEmpty()) continue;
        auto* button = new QPushButton(withAltLetter(label, used), this);
        // Only the chosen button answers Enter, whichever button has the focus.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, number] { press(number); });
        row->addWidget(button);
        buttons_[number - 1] = button;
        if (first == 0) first = number;
        last = number;
    }
    if (first == 0) {
        auto* ok = new QPushButton(QStringLiteral("&OK"), this);
        ok->setAutoDefault(false);
        connect(ok, &QPushButton::clicked, this, [this] { press(1); });
        row->addWidget(ok);
        buttons_[0] = ok;
        first = last = 1;
    }
    row->addStretch();

    enter_ = button(enterButton) ? enterButton : first;
    escape_ = button(escapeButton) ? escapeButton : last;
    answer_ = escape_;
    button(enter_)->setDefault(true);
    button(first)->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addSpacing(8);
    layout->addLayout(row);
    setMinimumWidth(widthForTitle(*this));
}

QPushButton* QuestionDialog::button(int number) const {
    return number >= 1 && number <= 3 ? buttons_[number - 1] : nullptr;
}

void QuestionDialog::reject() {
    press(escape_);
}

void QuestionDialog::press(int number) {
    answer_ = number;
    done(number);
}

}  // namespace vrl::gui
