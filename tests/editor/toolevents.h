#ifndef TOOLEVENTS_H
#define TOOLEVENTS_H

// Mouse and key input sent to a view as the window system would, with the
// buttons and modifiers of each event spelled out, and a few builders of
// the shapes the tool and selection tests work on.

#include "commands/sketchcommand.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QApplication>
#include <QKeyEvent>
#include <QList>
#include <QMouseEvent>
#include <QPointF>
#include <QStringList>

inline void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, pos, QPointF(widget->mapToGlobal(pos.toPoint())), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void pressAt(QWidget *widget, const QPoint &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, button, button, modifiers);
}

// A move with the buttons held (none: a hover).
inline void moveTo(QWidget *widget, const QPoint &pos, Qt::MouseButtons buttons = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons, modifiers);
}

inline void releaseAt(QWidget *widget, const QPoint &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                      Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, modifiers);
}

// Press, a few moves on the way and the release, all with the modifiers.
inline void dragFromTo(QWidget *widget, const QPoint &from, const QPoint &to,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    pressAt(widget, from, modifiers);
    const int steps = 4;
    for (int i = 1; i <= steps; ++i)
        moveTo(widget, from + (to - from) * i / steps, Qt::LeftButton, modifiers);
    releaseAt(widget, to, modifiers);
}

inline void clickAt(QWidget *widget, const QPoint &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    pressAt(widget, pos, modifiers);
    releaseAt(widget, pos, modifiers);
}

// The event sequence of a double click: press, release, double click,
// release.
inline void doubleClickAt(QWidget *widget, const QPoint &pos)
{
    clickAt(widget, pos);
    sendMouse(widget, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    releaseAt(widget, pos);
}

inline void sendKey(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &release);
}

// An open or closed free path through the points, on top of the layer.
inline SketchShape *addPath(SketchLayer *layer, const QList<QPointF> &points, bool closed = false)
{
    auto *shape = new SketchShape(layer);
    for (const QPointF &p : points)
        shape->points().append(new SketchPoint(p.x(), p.y()));
    shape->setClosed(closed);
    layer->shapes().append(shape);
    return shape;
}

inline void selectShape(SketchShape *shape, int handle = SketchHandleInside)
{
    shape->setSelected(true);
    shape->setActiveHandle(handle);
}

inline QList<QPointF> pointsOf(const SketchShape *shape)
{
    QList<QPointF> result;
    for (const SketchPoint *point : shape->points())
        result.append(point->toPointF());
    return result;
}

// The texts of the undo stack, oldest first.
inline QStringList undoTextList(const SketchView *view)
{
    QStringList texts;
    for (const SketchCommand *command : view->commandManager()->undoStack())
        texts.append(command->text());
    return texts;
}

inline QString undoTexts(const SketchView *view)
{
    return undoTextList(view).join(QLatin1Char(','));
}

#endif // TOOLEVENTS_H
