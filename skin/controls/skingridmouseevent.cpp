#include "skin/controls/skingridmouseevent.h"

SkinGridMouseEvent::SkinGridMouseEvent(const QMouseEvent &event, int column, int row)
    : QMouseEvent(event.type(), event.localPos(), event.windowPos(), event.screenPos(), event.button(),
                  event.buttons(), event.modifiers()),
      m_column(column),
      m_row(row)
{
    setTimestamp(event.timestamp());
}
