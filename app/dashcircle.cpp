#include "dashcircle.h"

#include <QPainter>

DashCircle::DashCircle(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
}

void DashCircle::setColor(const QString &color)
{
    m_color = color;
    emit colorChanged(color);
    update();
}

void DashCircle::paint(QPainter *painter)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(QColor(m_color), 1, Qt::DashLine));
    painter->setBrush(Qt::NoBrush);
    // One pixel less than the item, so the right and bottom edges of the line stay inside it.
    painter->drawEllipse(0, 0, int(width() - 1), int(height() - 1));
}
