#pragma once

// The number fields of every panel. Qt's spin boxes read what is typed with the locale's full
// number grammar: on a German desktop "0.25" is 25 with a group separator, and a value beyond the
// range becomes the range's end. Either way the device would get a number the operator never
// typed. These fields take exactly what is typed:
//
//   - "." and "," are both the decimal separator; nothing is a group separator;
//   - a number outside the range, with more decimals than the field has, or with decimals in a
//     whole-number field, stays visible while typing; when the operator commits it (Enter,
//     leaving the field) it is refused: the field keeps its previous value, is marked, and the
//     error display's line of its window says why ("Strom 1: höchstens 4,09 A"), where it
//     covers no control. Nothing else is taken in its place. The mark goes with the next value
//     the field takes, and the line shows again what it showed before.
//
// Anything that is no number at all (letters, a second separator) is not taken as a keystroke.
// Shown values keep the locale's format (a decimal comma on a German desktop).

#include <QDoubleSpinBox>
#include <QSpinBox>

namespace vrl::gui {

class DecimalField : public QDoubleSpinBox {
  public:
    explicit DecimalField(QWidget* parent = nullptr);

    QValidator::State validate(QString& input, int& pos) const override;
    double valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

class IntegerField : public QSpinBox {
  public:
    explicit IntegerField(QWidget* parent = nullptr);

    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

// Why the field refused the operator's last entry; empty when it holds what was typed.
QString refusalOf(const QWidget* field);

}  // namespace vrl::gui
