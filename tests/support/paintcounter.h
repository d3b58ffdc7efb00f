#ifndef SUPPORT_PAINTCOUNTER_H
#define SUPPORT_PAINTCOUNTER_H

#include <QEvent>
#include <QObject>

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QObject *target) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

#endif // SUPPORT_PAINTCOUNTER_H
