#ifndef CONTROLEVENTS_H
#define CONTROLEVENTS_H

// Input and picture helpers for the tests of the small skinned controls.

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

// Sends a mouse event at a position that may lie between pixels, which the
// QTest helpers cannot express. `buttons` are the buttons held after the event.
inline void sendMouse(QWidget *widget, QEvent::Type type, const QPointF &pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos.toPoint()), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void pressAt(QWidget *widget, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, button, button);
}

inline void moveTo(QWidget *widget, const QPointF &pos, Qt::MouseButtons held)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, held);
}

inline void releaseAt(QWidget *widget, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// A double-click event alone, without the press that comes before it.
inline void doubleClickAt(QWidget *widget, const QPointF &pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonDblClick, pos, button, button);
}

inline void sendKey(QWidget *widget, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(widget, &event);
}

// The widget as painted, one device pixel per widget pixel.
inline QImage paintedImage(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

#endif // CONTROLEVENTS_H
