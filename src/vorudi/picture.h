#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

// One of the program's pictures (art::picture) drawn from the widget's top
// left at a fixed size: the box's own size to stretch it, the artwork's size
// to draw it unscaled in a larger box. It is rendered at the screen's pixel
// density and rendered again only when that changes.
class Picture final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Picture)

public:
    Picture(const QString &artName, QSize drawSize, QWidget *parent = nullptr);

    QString artName() const { return m_artName; }
    QSize drawSize() const { return m_drawSize; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_artName;
    QSize m_drawSize;
    QPixmap m_pixmap;
};
