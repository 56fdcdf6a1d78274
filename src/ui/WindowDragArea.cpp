#include "ui/WindowDragArea.h"

#include <QMouseEvent>

WindowDragArea::WindowDragArea(QWidget *parent) : QWidget(parent)
{
    setProperty(gripProperty, true);
}

void WindowDragArea::mousePressEvent(QMouseEvent *event)
{
    // The window does the dragging.
    event->ignore();
}

void WindowDragArea::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT heightToggleRequested();
}
