#ifndef GESTUREFIXTURE_H
#define GESTUREFIXTURE_H

// Mouse gestures sent to a view as real events, so that they pass the view's
// input routing, and small builders for the point-editing tool tests.

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>

inline void sendPress(QWidget *view, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent event(QEvent::MouseButtonPress, pos, pos, pos, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

inline void sendMove(QWidget *view, const QPointF &pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent event(QEvent::MouseMove, pos, pos, pos, Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

inline void sendRelease(QWidget *view, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton,
                        Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent event(QEvent::MouseButtonRelease, pos, pos, pos, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

inline void sendKey(QWidget *view, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(view, &release);
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

// A path on top of the layer, open unless told otherwise.
inline SketchShape *addPath(SketchLayer *layer, const QList<QPointF> &points, bool closed = false)
{
    auto *shape = new SketchShape(layer);
    shape->setBehavior(SketchShapePath);
    shape->setClosed(closed);
    for (const QPointF &p : points)
        shape->points().append(new SketchPoint(p.x(), p.y()));
    layer->shapes().append(shape);
    return shape;
}

inline QList<QPointF> pointsOf(const SketchShape *shape)
{
    QList<QPointF> points;
    for (const SketchPoint *point : shape->points())
        points.append(point->toPointF());
    return points;
}

inline QStringList undoTexts(const SketchView *view)
{
    QStringList texts;
    for (const SketchCommand *command : view->commandManager()->undoStack())
        texts.append(command->text());
    return texts;
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
