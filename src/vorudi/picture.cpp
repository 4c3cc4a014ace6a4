#include "picture.h"

#include "art.h"

#include <QPainter>

Picture::Picture(const QString &artName, QSize drawSize, QWidget *parent)
    : QWidget(parent)
    , m_artName(artName)
    , m_drawSize(drawSize)
{
    // A picture is never a link: presses go to the window beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Picture::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_pixmap.isNull() || !qFuzzyCompare(m_pixmap.devicePixelRatio(), ratio))
        m_pixmap = art::picture(m_artName, m_drawSize, ratio);
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), m_pixmap);
}
