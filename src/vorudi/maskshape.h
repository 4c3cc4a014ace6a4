#pragma once

#include <QColor>
#include <QWidget>

// A rectangle painted with a white fill and an optional one-pixel outline,
// both combined with what lies beneath by a bitwise AND. White AND a pixel is
// that pixel, so the fill never shows: with no outline the shape is an
// invisible click area over marks of the background, and with an outline it
// is a frame in a darker tint of whatever it lies on. Any mouse button pressed
// on it is reported.
class MaskShape final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MaskShape)

public:
    explicit MaskShape(QWidget *parent = nullptr);

    // An invalid colour means no outline.
    void setOutline(const QColor &colour);
    QColor outline() const { return m_outline; }

signals:
    void mouseDown(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor m_outline;
};
