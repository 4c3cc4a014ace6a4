#include "linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    // Move events must arrive with no button held, as the pointer glides over.
    setMouseTracking(true);
}

void LinkLabel::setTextColour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

QColor LinkLabel::textColour() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setHoverColours(const QColor &hover, const QColor &rest)
{
    m_hover = hover;
    m_rest = rest;
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    // Taking the press makes the release come here too.
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (m_hover.isValid())
        setTextColour(m_hover);
    event->accept();
    emit mouseMoved();
}

void LinkLabel::leaveEvent(QEvent *event)
{
    if (m_rest.isValid())
        setTextColour(m_rest);
    QLabel::leaveEvent(event);
}
