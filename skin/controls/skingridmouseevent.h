#ifndef SKINGRIDMOUSEEVENT_H
#define SKINGRIDMOUSEEVENT_H

#include <QMetaType>
#include <QMouseEvent>

// A mouse press on a SkinGridView, handed to the receivers of its press
// signals together with the cell under the mouse (-1 for a header, -2 off
// the cells). The grid makes one per signal and deletes it when the signal
// returns: receivers must not keep it.
//
// A receiver of cellMousePressing() that handles the press itself marks it
// handled; the grid then only repaints (and shows its context menu on a
// right press unless the receiver suppressed that too).
class SkinGridMouseEvent : public QMouseEvent
{
public:
    // The same type, positions, buttons and modifiers as `event`.
    SkinGridMouseEvent(const QMouseEvent &event, int column, int row);

    int column() const { return m_column; }
    int row() const { return m_row; }

    bool isHandled() const { return m_handled; }
    void setHandled() { m_handled = true; }
    bool isContextMenuSuppressed() const { return m_contextMenuSuppressed; }
    void setContextMenuSuppressed() { m_contextMenuSuppressed = true; }

private:
    int m_column;
    int m_row;
    bool m_handled = false;
    bool m_contextMenuSuppressed = false;
};

Q_DECLARE_METATYPE(SkinGridMouseEvent *)

#endif // SKINGRIDMOUSEEVENT_H
