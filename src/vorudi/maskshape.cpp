#include "maskshape.h"

#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>

MaskShape::MaskShape(QWidget *parent)
    : QWidget(parent)
{
}

void MaskShape::setOutline(const QColor &colour)
{
    m_outline = colour;
    update();
}

void MaskShape::paintEvent(QPaintEvent *)
{
    if (!m_outline.isValid())
        return;
    QPainter painter(this);
    // Widgets paint through the raster engine into the window's backing
    // store, which does raster operations; anything else gets the nearest
    // blend, a multiply, which also darkens by the outline's colour.
    if (painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    else
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_outline);
    const QRect r = rect();
    // Four one-pixel strips, so no corner is ANDed twice.
    painter.drawRect(QRect(r.left(), r.top(), r.width(), 1));
    painter.drawRect(QRect(r.left(), r.bottom(), r.width(), 1));
    painter.drawRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2));
    painter.drawRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2));
}

void MaskShape::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseDown(event->button());
}
