#ifndef SUPPORT_INPUT_H
#define SUPPORT_INPUT_H

// Mouse and key input sent to a widget as the window system would, with the
// buttons and modifiers of each event spelled out. Positions may be whole or
// fractional; the global position is the rounded local one mapped.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointF>
#include <QWidget>

inline void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, pos, QPointF(widget->mapToGlobal(pos.toPoint())), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void pressAt(QWidget *widget, const QPointF &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, button, button, modifiers);
}

// A move with the buttons held.
inline void moveTo(QWidget *widget, const QPointF &pos, Qt::MouseButtons buttons = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons, modifiers);
}

// A move with no button held.
inline void hoverAt(QWidget *widget, const QPointF &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    moveTo(widget, pos, Qt::NoButton, modifiers);
}

inline void releaseAt(QWidget *widget, const QPointF &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                      Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton, modifiers);
}

// A left click as a real pointer gives it: a hover over the point first,
// then the press and the release, all with the modifiers.
inline void clickAt(QWidget *widget, const QPointF &pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    hoverAt(widget, pos, modifiers);
    pressAt(widget, pos, modifiers);
    releaseAt(widget, pos, modifiers);
}

// A left drag: a hover over the start, the press, moves in even steps and
// the release at the end point, all with the modifiers.
inline void dragFromTo(QWidget *widget, const QPointF &from, const QPointF &to,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier, int steps = 4)
{
    hoverAt(widget, from, modifiers);
    pressAt(widget, from, modifiers);
    for (int i = 1; i <= steps; ++i)
        moveTo(widget, from + (to - from) * (qreal(i) / steps), Qt::LeftButton, modifiers);
    releaseAt(widget, to, modifiers);
}

// The event sequence of a double click: click, double click, release.
inline void doubleClickAt(QWidget *widget, const QPointF &pos)
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

#endif // SUPPORT_INPUT_H
