#pragma once

#include <QColor>
#include <QWidget>

namespace vrl::gui {

// A round indicator lamp. Lit it glows in its on-colour, dark it shows a deep shade of the same
// colour, so an operator can tell a red error lamp from a green activity lamp even when both are
// off. Dimmed (or disabled) it is drawn in greys: the state stays readable, but the lamp says
// that its value is not current (the status lamps while polling is off).
//
// A screen reader meets a lamp as a read-only check box: its name is its label (the QLabel whose
// buddy it is, or the accessible name), checked while lit, and its description says "an" or
// "aus", the colour of a lit lamp and whether the value is current. Every change of the three is
// announced as it happens.
class Led : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool on READ isOn WRITE setOn)
    Q_PROPERTY(QColor onColor READ onColor WRITE setOnColor)
    Q_PROPERTY(bool dimmed READ isDimmed WRITE setDimmed)

  public:
    explicit Led(QWidget* parent = nullptr);

    bool isOn() const { return on_; }
    void setOn(bool on);

    QColor onColor() const { return onColor_; }
    void setOnColor(const QColor& color);

    bool isDimmed() const { return dimmed_; }
    void setDimmed(bool dimmed);

    // What a screen reader reads beside the name: "an (grün)", "aus", "..., nicht aktuell".
    QString stateText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void announce(bool checkedChanged);

    bool on_ = false;
    QColor onColor_{Qt::red};
    bool dimmed_ = false;
};

}  // namespace vrl::gui
