#pragma once

#include <QWidget>

namespace vrl::gui {

// Shows which COM port is open as a picture: a connector with the port number for ports 1..16,
// a connector marked ">16" for any higher port (value 99), and a crossed-out grey connector when
// no port is open (value 0). The operator clicks it to close or reopen the port, so it reports
// left clicks and double clicks; a double click arrives as a left click followed by a double
// click, like on any other control. From the keyboard it takes the focus and Space (or Enter)
// is a left click.
class PortPictureRing : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)

  public:
    static constexpr int kNoPort = 0;
    static constexpr int kHighestPicturedPort = 16;
    static constexpr int kAboveHighest = 99;

    explicit PortPictureRing(QWidget* parent = nullptr);

    int value() const { return value_; }
    // Values other than 0, 1..16 and 99 have no picture of their own and show as "no port".
    void setValue(int value);

    // The link through the port shown: connected, gone (the adapter unplugged; grey with the
    // port's number and a red slash) or being reopened (amber).
    enum class Link { Connected, Gone, Reconnecting };
    void setLink(Link link);
    Link link() const { return link_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void leftClicked();
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void describe();

    int value_ = kNoPort;
    Link link_ = Link::Connected;
};

}  // namespace vrl::gui
