#ifndef GESTUREFIXTURE_H
#define GESTUREFIXTURE_H

// Mouse gestures sent to a view as real events, so that they pass the view's
// input routing, hovering first as a real pointer does; the builders and
// keys of toolevents.h come with it.

#include "toolevents.h"

#include <QImage>

// Plain button events at fractional positions, without modifiers.
inline void sendPress(QWidget *view, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton)
{
    sendMouse(view, QEvent::MouseButtonPress, pos, button, buttons, Qt::NoModifier);
}

inline void sendMove(QWidget *view, const QPointF &pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    sendMouse(view, QEvent::MouseMove, pos, Qt::NoButton, buttons, Qt::NoModifier);
}

inline void sendRelease(QWidget *view, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton,
                        Qt::MouseButtons buttons = Qt::NoButton)
{
    sendMouse(view, QEvent::MouseButtonRelease, pos, button, buttons, Qt::NoModifier);
}

// A hover over the point first (as a real pointer would), then a left click.
inline void clickAt(QWidget *view, const QPointF &pos)
{
    sendMove(view, pos);
    sendPress(view, pos);
    sendRelease(view, pos);
}

// A left drag in even steps; the release is at the end point.
inline void dragFromTo(QWidget *view, const QPointF &from, const QPointF &to, int steps = 4)
{
    sendMove(view, from);
    sendPress(view, from);
    for (int i = 1; i <= steps; ++i)
        sendMove(view, from + (to - from) * (qreal(i) / steps), Qt::LeftButton);
    sendRelease(view, to);
}

// Undo through the manager as the user would, from the select tool (with any
// other tool current, undo only cancels that tool).
inline void undoOnce(SketchDocumentView *view)
{
    if (view->currentToolType() != 1)
        view->setCurrentTool(1, true);
    view->commandManager()->undo();
}

// Whether any pixel within the square of the given half side around the
// centre has roughly that colour.
inline bool hasColorNear(const QImage &image, const QPoint &centre, int half, const QColor &colour)
{
    for (int y = centre.y() - half; y <= centre.y() + half; ++y) {
        for (int x = centre.x() - half; x <= centre.x() + half; ++x) {
            if (!image.rect().contains(x, y))
                continue;
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) <= 40 && qAbs(c.green() - colour.green()) <= 40
                && qAbs(c.blue() - colour.blue()) <= 40)
                return true;
        }
    }
    return false;
}

#endif // GESTUREFIXTURE_H
