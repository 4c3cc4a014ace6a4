#pragma once

#include <QLabel>

// A transparent label that reports the mouse: the window's category captions,
// its close and minimise marks, and the invisible click areas over them and
// over the publisher's marks. Without text or picture it paints nothing, so a
// click area leaves the background as it is.
class ClickLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickLabel)

public:
    explicit ClickLabel(QWidget *parent = nullptr);

signals:
    void pressed(Qt::MouseButton button); // any button, on the press
    void clicked();                       // a left press and release on the label
    void hovered();                       // the mouse moving over it
    void left();                          // the mouse leaving it

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_leftDown = false;
};
