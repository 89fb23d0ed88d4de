#include "platform/gui/number_field.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/gui/controls.h"

namespace vrl::gui {

namespace {

// The window's line that says what went wrong, and what it said before a refusal took it over.
constexpr char kErrorLine[] = "FEHLERSTRING";
constexpr char kTextBeforeReason[] = "textBeforeReason";
constexpr char kReasonShown[] = "reasonShown";

enum class Problem { None, Incomplete, TooHigh, TooLow, TooFine, NotANumber };

struct Reading {
    Problem problem = Problem::Incomplete;
    double value = 0.0;
};

QValidator::State stateOf(Problem problem) {
    switch (problem) {
        case Problem::None:
            return QValidator::Acceptable;
        case Problem::NotANumber:
            return QValidator::Invalid;
        default:
            return QValidator::Intermediate;
    }
}

// What the operator typed, prefix and suffix taken off.
template <class Box>
QString typedPart(const Box* box, QString text) {
    const QString prefix = box->prefix();
    const QString suffix = box->suffix();
    if (!prefix.isEmpty() && text.startsWith(prefix)) text.remove(0, prefix.size());
    if (!suffix.isEmpty() && text.endsWith(suffix)) text.chop(suffix.size());
    return text.trimmed();
}

// Reads a sign, digits and at most one decimal separator, "." or ","; anything else is no
// number. The value is read locale-free, so that no character is ever taken as a group
// separator.
Reading read(const QString& text, int decimals, double minimum, double maximum) {
    QString plain;
    bool separator = false;
    int digits = 0, fraction = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (i == 0 && (c == u'-' || c == u'+')) {
            plain += c;
        } else if (c.isDigit() && c.unicode() < 0x80) {
            plain += c;
            ++digits;
            if (separator) ++fraction;
        } else if ((c == u'.' || c == u',') && !separator) {
            plain += u'.';
            separator = true;
        } else {
            return {Problem::NotANumber};
        }
    }
    if (digits == 0) return {Problem::Incomplete};
    Reading reading{Problem::None, plain.toDouble()};
    if (reading.value > maximum)
        reading.problem = Problem::TooHigh;
    else if (reading.value < minimum)
        reading.problem = Problem::TooLow;
    else if (fraction > decimals)
        reading.problem = Problem::TooFine;
    return reading;
}

// The name the operator knows the field by: its label, or for a field in a table its
// accessible name.
QString labelText(const QWidget* field) {
    const QString label = labelOf(field);
    return label.isEmpty() ? field->accessibleName() : label;
}

// A label "Strom 1 [A]" names the field "Strom 1" with the unit "A"; without brackets it has
// no unit.
QString withUnit(const QWidget* field, const QString& number) {
    const QString label = labelText(field);
    const qsizetype open = label.lastIndexOf(u'[');
    if (open > 0 && label.endsWith(u']'))
        return number + u' ' + label.mid(open + 1, label.size() - open - 2);
    return number;
}

QString fieldName(const QWidget* field) {
    QString label = labelText(field);
    const qsizetype open = label.lastIndexOf(u'[');
    if (open > 0 && label.endsWith(u']')) label.truncate(open);
    label = label.trimmed();
    if (label.endsWith(u':')) label.chop(1);
    return label.isEmpty() ? QCoreApplication::translate("Eingabe", "Wert") : label;
}

int decimalsOf(const QDoubleSpinBox* box) {
    return box->decimals();
}

int decimalsOf(const QSpinBox*) {
    return 0;
}

QString boundText(const QDoubleSpinBox* box, double bound) {
    return box->textFromValue(bound);
}

QString boundText(const QSpinBox*, int bound) {
    return QString::number(bound);
}

template <class Box>
Reading readBox(const Box* box, const QString& text) {
    return read(typedPart(box, text), decimalsOf(box), enterableMinimum(box), box->maximum());
}

template <class Box>
QString whyRefused(const Box* box, Problem problem) {
    const QString name = fieldName(box);
    switch (problem) {
        case Problem::TooHigh:
            return QCoreApplication::translate("Eingabe", "%1: höchstens %2")
                .arg(name, withUnit(box, boundText(box, box->maximum())));
        case Problem::TooLow:
            return QCoreApplication::translate("Eingabe", "%1: mindestens %2")
                .arg(name, withUnit(box, boundText(box, enterableMinimum(box))));
        case Problem::TooFine:
            if (decimalsOf(box) == 0)
                return QCoreApplication::translate("Eingabe", "%1: nur ganze Zahlen").arg(name);
            return (decimalsOf(box) == 1
                        ? QCoreApplication::translate("Eingabe", "%1: höchstens %2 Nachkommastelle")
                        : QCoreApplication::translate("Eingabe",
                                                      "%1: höchstens %2 Nachkommastellen"))
                .arg(name)
                .arg(decimalsOf(box));
        default:
            return {};
    }
}

// The error display's line of the field's window, or of the window a dialog belongs to (the
// calibration panel has none of its own).
QLineEdit* errorLineOf(QWidget* field) {
    for (QWidget* window = field->window(); window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (auto* line = window->findChild<QLineEdit*>(kErrorLine)) return line;
    }
    return nullptr;
}

// The reason of a refusal goes on the error display's line, beside the field's own mark. A
// tooltip would lie over the next field, and the click meant for that field would only close
// it: the operator's next entry would land in the field that still had the focus.
void showReason(QWidget* field, const QString& why) {
    QLineEdit* line = errorLineOf(field);
    if (!line) return;
    if (line->property(kReasonShown).toString().isEmpty())
        line->setProperty(kTextBeforeReason, line->text());
    line->setProperty(kReasonShown, why);
    line->setText(why);
    line->setCursorPosition(0);
}

// Once the field takes a value, the line shows again what it showed before, unless something
// else has been said there since.
void withdrawReason(QWidget* field) {
    QLineEdit* line = errorLineOf(field);
    if (!line) return;
    const QString shown = line->property(kReasonShown).toString();
    if (shown.isEmpty()) return;
    if (line->text() == shown) {
        line->setText(line->property(kTextBeforeReason).toString());
        line->setCursorPosition(0);
    }
    line->setProperty(kReasonShown, QString());
}

void endRefusal(QWidget* field) {
    if (!isRefused(field)) return;
    clearRefused(field);
    withdrawReason(field);
}

template <class Box>
bool showsSpecialText(const Box* box, const QString& text) {
    return !box->specialValueText().isEmpty() && text == box->specialValueText();
}

template <class Box>
QValidator::State validateBox(const Box* box, const QString& input) {
    if (showsSpecialText(box, input)) return QValidator::Acceptable;
    return stateOf(readBox(box, input).problem);
}

// Before the spin box takes the operator's text: a number it must not take is refused here,
// with its reason, and the box then keeps its previous value (CorrectToPreviousValue). What it
// takes ends an earlier refusal.
template <class Box>
void judgeCommit(Box* box) {
    if (box->isReadOnly()) return;
    const QString text = box->text();
    if (showsSpecialText(box, text)) return;
    const Problem problem = readBox(box, text).problem;
    if (problem == Problem::None) {
        endRefusal(box);
        return;
    }
    const QString why = whyRefused(box, problem);
    if (why.isEmpty()) return;
    markRefused(box, why);
    showReason(box, why);
}

bool isCommitKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

DecimalField::DecimalField(QWidget* parent) : QDoubleSpinBox(parent) {
    setCorrectionMode(CorrectToPreviousValue);
    setGroupSeparatorShown(false);
    connect(this, &QDoubleSpinBox::valueChanged, this, [this] { endRefusal(this); });
}

QValidator::State DecimalField::validate(QString& input, int&) const {
    return validateBox(this, input);
}

double DecimalField::valueFromText(const QString& text) const {
    if (showsSpecialText(this, text)) return minimum();
    const Reading reading = readBox(this, text);
    return reading.problem == Problem::None ? reading.value : value();
}

void DecimalField::fixup(QString&) const {
    // Qt's fixup drops group separators; here there are none, and nothing typed is changed.
}

void DecimalField::keyPressEvent(QKeyEvent* event) {
    if (isCommitKey(event)) judgeCommit(this);
    QDoubleSpinBox::keyPressEvent(event);
}

void DecimalField::focusOutEvent(QFocusEvent* event) {
    judgeCommit(this);
    QDoubleSpinBox::focusOutEvent(event);
}

IntegerField::IntegerField(QWidget* parent) : QSpinBox(parent) {
    setCorrectionMode(CorrectToPreviousValue);
    setGroupSeparatorShown(false);
    connect(this, &QSpinBox::valueChanged, this, [this] { endRefusal(this); });
}

QValidator::State IntegerField::validate(QString& input, int&) const {
    return validateBox(this, input);
}

int IntegerField::valueFromText(const QString& text) const {
    if (showsSpecialText(this, text)) return minimum();
    // Only text that validates is taken, and that lies in the range; anything else keeps the
    // value the field has (and never reaches a conversion that would overflow).
    const Reading reading = readBox(this, text);
    return reading.problem == Problem::None ? static_cast<int>(reading.value) : value();
}

void IntegerField::fixup(QString&) const {}

void IntegerField::keyPressEvent(QKeyEvent* event) {
    if (isCommitKey(event)) judgeCommit(this);
    QSpinBox::keyPressEvent(event);
}

void IntegerField::focusOutEvent(QFocusEvent* event) {
    judgeCommit(this);
    QSpinBox::focusOutEvent(event);
}

QString refusalOf(const QWidget* field) {
    return isRefused(field) ? field->toolTip() : QString();
}

}  // namespace vrl::gui
