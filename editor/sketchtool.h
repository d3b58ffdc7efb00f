#ifndef SKETCHTOOL_H
#define SKETCHTOOL_H

#include "commands/sketchpendingcommand.h"
#include "editor/sketchtooltype.h"

#include <QCursor>
#include <QObject>
#include <QPointF>
#include <QRect>

class QKeyEvent;
class QMouseEvent;
class QPainter;
class SketchDocumentView;
class SketchShape;
class SketchView;

// The base of every editing tool of a document view. The view owns one tool
// of each type and forwards its mouse and key events to the current one; a
// tool changes the document only through commands. The positions it records
// are widget pixels rounded to whole numbers (halves up).
//
// A tool that has finished, or has been left, emits completed(); the view
// then makes the select tool current again and resets it. Setting another
// tool calls nothing on the old one.
//
// A tool's gesture records its edit in the pending command (gesture()),
// which the tool owns until the release pushes it; cancel(), the view
// before the history moves (takeBackGesture) and the tool's destruction
// take it back.
class SketchTool : public QObject
{
    Q_OBJECT

public:
    // The view is also the tool's QObject parent.
    explicit SketchTool(SketchView *view);
    ~SketchTool() override;

    SketchView *view() const { return m_view; }
    // The view as a document view; every tool table belongs to one, so this
    // is null only for a tool made on some other page.
    SketchDocumentView *documentView() const;
    // The last press; the last press or move; the last left press or move
    // with only the left button held.
    QPointF pressPos() const { return m_pressPos; }
    void setPressPos(const QPointF &pos) { m_pressPos = pos; }
    QPointF currentPos() const { return m_currentPos; }
    void setCurrentPos(const QPointF &pos) { m_currentPos = pos; }
    QPointF dragPos() const { return m_dragPos; }

    virtual QCursor cursor() const;
    // Forgets the recorded positions.
    virtual void reset();
    virtual void mousePressEvent(QMouseEvent *event);
    // True asks the view to repaint.
    virtual bool mouseMoveEvent(QMouseEvent *event);
    virtual void mouseReleaseEvent(QMouseEvent *event);
    virtual void mouseDoubleClickEvent(QMouseEvent *event);
    // Escape cancels the tool.
    virtual void keyPressEvent(QKeyEvent *event);
    virtual void keyReleaseEvent(QKeyEvent *event);
    // Abandons the current action, taking back the gesture's pending
    // command, and reports the tool finished.
    virtual void cancel();
    // Takes back the gesture in progress without leaving the tool: the
    // history is about to move under it. Does nothing without one.
    virtual void takeBackGesture();
    // The tool's overlay, in widget coordinates.
    virtual void paint(QPainter *painter);
    // Widget pixels that paint() may draw on now: the view repaints them as
    // they were and as they are after each event it hands the tool. The
    // whole view unless a tool says less, since a tool may also change
    // shapes anywhere while it works.
    virtual QRect overlayArea() const;
    // The arrow keys: moves the editable selection by widget pixels as one
    // "moveSelection" command. False, recording nothing, when nothing moves.
    virtual bool moveSelection(int dx, int dy);

    // Read-outs for the overlays, in widget coordinates: a gray label with
    // its top-left at (x, y); the selected shape's rectangle centred 10
    // pixels below it; the active point 10 pixels right of and 20 above it.
    // The last two show only while the left button is down.
    void drawLabel(QPainter *painter, const QString &text, float x, float y);
    void drawRectStatus(QPainter *painter, SketchShape *shape);
    void drawPointStatus(QPainter *painter, SketchShape *shape);
    // Where drawRectStatus and drawPointStatus would draw now; empty where
    // they would draw nothing.
    QRect rectStatusArea(SketchShape *shape) const;
    QRect pointStatusArea(SketchShape *shape) const;

signals:
    void completed();

protected:
    SketchPendingCommand &gesture() { return m_gesture; }
    const SketchPendingCommand &gesture() const { return m_gesture; }

protected:
    // For a tool that marks what a press would do: the widget pixels of the
    // marker (a rectangle in the shape's own coordinates, null for none, its
    // pen reaching `reach` pixels beyond it) while no button is held; the
    // whole view while one is, since the press changes the shape under it.
    QRect hoverOverlayArea(SketchShape *shape, const QRectF *marker, int reach) const;

private:
    // The text and top-left corner of a read-out; false when none shows.
    using Status = bool (SketchTool::*)(SketchShape *shape, QString *text, QPointF *corner) const;
    bool rectStatus(SketchShape *shape, QString *text, QPointF *corner) const;
    bool pointStatus(SketchShape *shape, QString *text, QPointF *corner) const;
    void drawStatus(Status status, QPainter *painter, SketchShape *shape);
    QRect statusArea(Status status, SketchShape *shape) const;
    QRectF labelRect(const QString &text, float x, float y) const;

    SketchView *m_view = nullptr;
    SketchPendingCommand m_gesture;
    QPointF m_pressPos;
    QPointF m_currentPos;
    QPointF m_dragPos;
};

#endif // SKETCHTOOL_H
