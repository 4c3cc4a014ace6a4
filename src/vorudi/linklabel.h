#pragma once

#include <QColor>
#include <QLabel>

// A text that acts as a link: a hand pointer, a click on the left button
// (press and release over the text), and, when given a hover colour, green
// while the pointer moves over it and its resting colour once it leaves.
// The text colour is the palette's window-text colour, so what the label
// paints and what it reports are the same.
class LinkLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LinkLabel)

public:
    explicit LinkLabel(QWidget *parent = nullptr);

    void setTextColour(const QColor &colour);
    QColor textColour() const;

    // Every move over the label paints it `hover`; leaving it paints it
    // `rest`. Without this call the colour never changes on its own.
    void setHoverColours(const QColor &hover, const QColor &rest);

signals:
    void clicked();
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QColor m_hover;
    QColor m_rest;
    bool m_pressed = false;
};
