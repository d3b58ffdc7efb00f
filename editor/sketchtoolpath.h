#ifndef SKETCHTOOLPATH_H
#define SKETCHTOOLPATH_H

#include "editor/sketchtool.h"

#include <QPointer>

class SketchCommand;
class SketchShape;

// Draws a free path point by point. The first left press starts an open,
// unfilled path of two points, recorded at once as one "addPath" command:
// the first point and the floating point, which follows the pointer. Each
// further left press on the floating point fixes it and adds a new floating
// point. While Ctrl is held new points are curve points. A release on the
// first point, once three points are fixed, closes the path; a right-button
// release ends it open (a path that never left its first point is taken
// back instead).
//
// Cancelling (Escape, Undo or Redo while the tool is current, a delete)
// takes the path back out with its add command, but only while that command
// is still the top of the undo stack; when other edits have been recorded
// since, the path is ended open as it stands, so no other edit is ever
// undone by it.
//
// The path belongs to its layer and to the add command, never to the tool.
class SketchToolPath : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolPath(SketchView *view);

    QCursor cursor() const override;

    // The path being drawn; null while idle.
    SketchShape *newShape() const { return m_newShape.data(); }
    // New points are curve points.
    bool isCurveMode() const { return m_curveMode; }
    // Shows the tool's cursor again when the mode changes.
    void setCurveMode(bool on);

    void mousePressEvent(QMouseEvent *event) override;
    // True while a path is being drawn: the floating point moved.
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Ctrl turns curve mode on; any key release turns it off. Either way the
    // floating point follows.
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void cancel() override;
    // The first point's handle, ringed while a release there would close
    // the path.
    void paint(QPainter *painter) override;

private:
    // The path still lives: it exists and is in its layer (its add command
    // has not been undone).
    bool isDrawing() const;
    // The press or release position in the path's own coordinates.
    QPointF pathPos(const QMouseEvent *event) const;
    // Leaves the path in the document, open or closed as it is now.
    void finish();
    // Makes the floating point a curve or a corner point.
    void setFloatingCurve(bool curve);

    QPointer<SketchShape> m_newShape;
    bool m_curveMode = false;
    // The command that added the path; compared, never dereferenced.
    SketchCommand *m_addCommand = nullptr;
};

#endif // SKETCHTOOLPATH_H
