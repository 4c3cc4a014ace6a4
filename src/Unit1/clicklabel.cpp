#include "clicklabel.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
    setMouseTracking(true);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    event->accept();
    emit pressed(event->button());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftDown)
        return;
    m_leftDown = false;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickLabel::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    emit hovered();
}

void ClickLabel::enterEvent(QEnterEvent *event)
{
    // The pointer may come to rest on the label without a further move.
    QLabel::enterEvent(event);
    emit hovered();
}

void ClickLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    m_leftDown = false;
    emit left();
}
