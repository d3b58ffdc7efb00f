#ifndef SKINFIXTURE_H
#define SKINFIXTURE_H

// Input and pixel helpers of the skinned-window tests: mouse events with the
// buttons held spelled out (the drags of the window frame), a stand-in user
// for modal loops that fails fast instead of hanging, and colour counts of
// grabbed pictures.

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace skintest {

// A mouse event at `pos` in the widget, its global position taken from the
// widget's place at this moment.
inline void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// A move without buttons: what sets the frame's hover region.
inline void hover(QWidget *widget, const QPoint &pos)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

inline void press(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, button, button);
}

inline void release(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// Hover, press, release on one point: a click as the frame sees it.
inline void click(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    hover(widget, pos);
    press(widget, pos, button);
    release(widget, pos, button);
}

// Hover on `from`, press, move by `offset` with the left button held, release.
// Global positions are fixed before the window moves under the mouse, as a
// real pointer's would be.
inline void drag(QWidget *widget, const QPoint &from, const QPoint &offset)
{
    hover(widget, from);
    const QPoint globalFrom = widget->mapToGlobal(from);
    {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(from), QPointF(globalFrom), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    const QPoint to = from + offset;
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(to), QPointF(globalFrom + offset), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    // The window has moved or grown under the pointer: the release lands
    // where the pointer is now, in the window's new coordinates.
    const QPoint local = widget->mapFromGlobal(globalFrom + offset);
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(local), QPointF(globalFrom + offset), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Runs `act` on the active modal widget as soon as a nested loop shows one.
// After about two seconds without one it closes every top-level window it
// can find, so a test that expected a modal loop fails instead of hanging.
inline void whenModal(const std::function<void(QWidget *)> &act, int triesLeft = 200)
{
    QTimer::singleShot(10, [act, triesLeft] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            act(modal);
        } else if (triesLeft > 0) {
            whenModal(act, triesLeft - 1);
        } else {
            for (QWidget *window : QApplication::topLevelWidgets())
                window->close();
        }
    });
}

// Where a menu moved to `target` and shown ends up: the window system may
// add a frame to a popup's position, so menu positions are compared with a
// plain menu placed the same way.
inline QPoint shownMenuPos(const QPoint &target)
{
    QMenu reference;
    reference.addAction(QStringLiteral("x"));
    reference.move(target);
    reference.show();
    return reference.geometry().topLeft();
}

// How many pixels of the picture have exactly this colour.
inline int countColour(const QImage &image, const QColor &colour, const QRect &area = QRect())
{
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    const QRect r = area.isNull() ? rgb.rect() : area & rgb.rect();
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            count += rgb.pixel(x, y) == colour.rgba();
    }
    return count;
}

// How many pixels lie within `distance` of the colour (the sum of the three
// channel differences): antialiased text has few pixels of its exact colour.
inline int countNear(const QImage &image, const QColor &colour, int distance, const QRect &area)
{
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    const QRect r = area & rgb.rect();
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            count += qAbs(qRed(p) - colour.red()) + qAbs(qGreen(p) - colour.green()) + qAbs(qBlue(p) - colour.blue())
                     <= distance;
        }
    }
    return count;
}

inline QColor pixelAt(const QImage &image, int x, int y)
{
    return QColor::fromRgba(image.convertToFormat(QImage::Format_ARGB32).pixel(x, y));
}

} // namespace skintest

#endif // SKINFIXTURE_H
