#include "skin/windows/skinmenu.h"

#include <QMouseEvent>

SkinMenu::SkinMenu(QWidget *parent)
    : QMenu(parent)
{
}

bool SkinMenu::isRightClickOnItem(const QMouseEvent *event) const
{
    return event->button() == Qt::RightButton && actionAt(event->localPos().toPoint());
}

void SkinMenu::mousePressEvent(QMouseEvent *event)
{
    if (isRightClickOnItem(event)) {
        event->ignore();
        return;
    }
    QMenu::mousePressEvent(event);
}

void SkinMenu::mouseReleaseEvent(QMouseEvent *event)
{
    if (isRightClickOnItem(event)) {
        event->ignore();
        return;
    }
    QMenu::mouseReleaseEvent(event);
}
