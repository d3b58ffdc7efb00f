#ifndef GRIDFIXTURE_H
#define GRIDFIXTURE_H

// Grids filled with short texts, input sent to a grid as the window system
// would, a recorder of the grid's signals in the order they arrive
// (connected by signature strings, as the panels connect), and a delegate
// that notes drag starts instead of running a drag.

#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingriditemdelegate.h"
#include "skin/controls/skingridmouseevent.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridselection.h"
#include "skin/controls/skingridview.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QObject>
#include <QStringList>
#include <QWheelEvent>

#include <functional>

Q_DECLARE_METATYPE(QDropEvent *)

namespace gridfixture {

inline void registerGridTypes()
{
    qRegisterMetaType<SkinGridCell *>("SkinGridCell*");
    qRegisterMetaType<SkinGridMouseEvent *>("SkinGridMouseEvent*");
    qRegisterMetaType<QDropEvent *>("QDropEvent*");
}

// Columns of the given width, no headers unless asked for, and the texts
// in linear order (an empty text still makes its cell).
inline void fill(SkinGridView *grid, int columns, int rows, const QStringList &texts = {}, int width = 40)
{
    for (int c = 0; c < columns; ++c)
        grid->addColumn(QString("C%1").arg(c), width, Qt::AlignLeft | Qt::AlignVCenter);
    for (int r = 0; r < rows; ++r)
        grid->addRow();
    for (int i = 0; i < texts.size() && i < grid->cellCount(); ++i)
        grid->setCellText(i % columns, i / columns, texts.at(i));
}

inline void hideHeaders(SkinGridView *grid)
{
    grid->setColumnHeaderVisible(false);
    grid->setRowHeaderVisible(false);
}

// The text of every position in linear order, missing cells as "".
inline QStringList texts(const SkinGridView *grid)
{
    QStringList all;
    for (int i = 0; i < grid->cellCount(); ++i)
        all.append(grid->cellText(i % grid->columnCount(), i / grid->columnCount()));
    return all;
}

inline QString joined(const SkinGridView *grid)
{
    return texts(grid).join(QLatin1Char(','));
}

// The centre of a cell (or header cell) in widget coordinates.
inline QPoint centreOf(const SkinGridView *grid, int column, int row)
{
    return grid->cellRect(column, row).center();
}

inline void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos, button, button, modifiers);
}

inline void release(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

// No buttons: a hover.
inline void moveTo(QWidget *widget, const QPoint &pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    sendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

inline void click(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    press(widget, pos, button, modifiers);
    release(widget, pos, button);
}

// Press, release, double click, release.
inline void doubleClick(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
{
    click(widget, pos, button);
    sendMouse(widget, QEvent::MouseButtonDblClick, pos, button, button);
    release(widget, pos, button);
}

// One notch is 120; positive turns away from the user (up).
inline void wheel(QWidget *widget, const QPoint &pos, int delta, Qt::Orientation orientation = Qt::Vertical)
{
    const QPoint angle = orientation == Qt::Vertical ? QPoint(0, delta) : QPoint(delta, 0);
    QWheelEvent event(QPointF(pos), QPointF(widget->mapToGlobal(pos)), QPoint(), angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

inline void key(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent pressEvent(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &pressEvent);
    QKeyEvent releaseEvent(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(widget, &releaseEvent);
}

inline QString where(const SkinGridCell *cell)
{
    return cell ? QString("%1,%2").arg(cell->column()).arg(cell->row()) : QString("null");
}

// Every signal of a grid as one line of text, in arrival order. Press
// receivers may mark the press handled or suppress the context menu.
class GridRecorder : public QObject
{
    Q_OBJECT

public:
    explicit GridRecorder(SkinGridView *grid)
    {
        connect(grid, SIGNAL(selectionChanged()), SLOT(onSelectionChanged()));
        connect(grid, SIGNAL(cellTextChanged(SkinGridCell*)), SLOT(onCellTextChanged(SkinGridCell*)));
        connect(grid, SIGNAL(cellMousePressing(SkinGridMouseEvent*)), SLOT(onPressing(SkinGridMouseEvent*)));
        connect(grid, SIGNAL(cellMousePressed(SkinGridMouseEvent*)), SLOT(onPressed(SkinGridMouseEvent*)));
        connect(grid, SIGNAL(cellDoubleClicked(SkinGridCell*)), SLOT(onDoubleClicked(SkinGridCell*)));
        connect(grid, SIGNAL(cellClicked(SkinGridCell*)), SLOT(onClicked(SkinGridCell*)));
        connect(grid, SIGNAL(cellMouseEnter(SkinGridCell*)), SLOT(onEnter(SkinGridCell*)));
        connect(grid, SIGNAL(cellMouseLeave(SkinGridCell*)), SLOT(onLeave(SkinGridCell*)));
        connect(grid, SIGNAL(hoverCellChanged(SkinGridCell*,SkinGridCell*)),
                SLOT(onHover(SkinGridCell*,SkinGridCell*)));
        connect(grid, SIGNAL(cellDraging()), SLOT(onDraging()));
        connect(grid, SIGNAL(cellDraged()), SLOT(onDraged()));
        connect(grid, SIGNAL(cellDroped()), SLOT(onDroped()));
        connect(grid, SIGNAL(cellDragLeave()), SLOT(onDragLeave()));
        connect(grid, SIGNAL(gridDroped(QDropEvent*)), SLOT(onGridDroped(QDropEvent*)));
    }

    QStringList log;
    bool handlePresses = false;
    bool suppressMenus = false;
    // Called from inside a signal, for tests that look at the grid then.
    std::function<void()> onDrop;

    QString take()
    {
        const QString all = log.join(QLatin1Char(' '));
        log.clear();
        return all;
    }

private slots:
    void onSelectionChanged() { log << "selection"; }
    void onCellTextChanged(SkinGridCell *cell) { log << "text:" + where(cell); }
    void onPressing(SkinGridMouseEvent *event)
    {
        log << QString("pressing:%1,%2").arg(event->column()).arg(event->row());
        if (handlePresses)
            event->setHandled();
        if (suppressMenus)
            event->setContextMenuSuppressed();
    }
    void onPressed(SkinGridMouseEvent *event) { log << QString("pressed:%1,%2").arg(event->column()).arg(event->row()); }
    void onDoubleClicked(SkinGridCell *cell) { log << "double:" + where(cell); }
    void onClicked(SkinGridCell *cell) { log << "clicked:" + where(cell); }
    void onEnter(SkinGridCell *cell) { log << "enter:" + where(cell); }
    void onLeave(SkinGridCell *cell) { log << "leave:" + where(cell); }
    void onHover(SkinGridCell *previous, SkinGridCell *current) { log << "hover:" + where(previous) + ">" + where(current); }
    void onDraging() { log << "draging"; }
    void onDraged() { log << "draged"; }
    void onDroped()
    {
        log << "droped";
        if (onDrop)
            onDrop();
    }
    void onDragLeave() { log << "dragleave"; }
    void onGridDroped(QDropEvent *event) { log << "griddroped:" + event->mimeData()->text(); }
};

// Notes each drag start and marks the grid dragging as the real start does,
// without running a drag (which would wait for the window system).
class NotingDelegate : public SkinGridItemDelegate
{
public:
    QStringList starts;

    void startDrag(SkinGridView *view, int column, int row, bool emitSignals) override
    {
        starts << QString("%1,%2,%3").arg(column).arg(row).arg(emitSignals);
        view->setDragging(true);
        view->setDragColumn(column);
        view->setDragRow(row);
        view->setDropColumn(column);
        view->setDropRow(row);
    }
};

} // namespace gridfixture

#endif // GRIDFIXTURE_H
