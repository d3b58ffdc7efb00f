#ifndef SKETCHTOOLROTATE_H
#define SKETCHTOOLROTATE_H

#include "editor/sketchtool.h"

#include <QPointer>

#include <memory>

class SketchCommandUpdate;
class SketchPoint;
class SketchShape;

// Turns one shape, the target, about its rotation centre. A round handle sits
// 100 paper units from the centre in the direction of the shape's angle;
// dragging it turns the shape live, and the release rounds the angle to whole
// degrees and records the drag as one "rotate" step. A drag that starts on a
// shape but on neither marker moves the target instead, recorded in the same
// step.
//
// Whoever makes the tool current calls reset(), which takes the first
// editable selected shape as the target. The tool works in paper units.
//
// Owned: the handle point; the drag's command is the tool's pending command
// (SketchTool::gesture). The target is watched, not owned.
class SketchToolRotate : public SketchTool
{
    Q_OBJECT

public:
    // What a drag moves (mode()).
    enum Mode : int
    {
        RotateModeCancelled = -1, // after cancel()
        RotateModeBody = 0,       // the target itself
        RotateModeCentre = 1,     // the rotation centre's marker
        RotateModeHandle = 2      // the round handle
    };

    explicit SketchToolRotate(SketchView *view);
    ~SketchToolRotate() override;

    QCursor cursor() const override;
    void reset() override;
    void mousePressEvent(QMouseEvent *event) override;
    bool mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Gives the target back its state from before the press and ends the
    // tool.
    void cancel() override;
    void takeBackGesture() override;
    void paint(QPainter *painter) override;
    // Moves the handle by paper units and turns the target after it, as one
    // "rotate" step (or as part of the drag in progress).
    bool moveSelection(int dx, int dy) override;

    SketchShape *target() const { return m_target; }
    // A Mode value.
    int mode() const { return m_mode; }
    // The handle in paper units; null when there is none.
    const SketchPoint *handle() const { return m_handle.get(); }

private:
    void setTarget(SketchShape *shape);
    // The handle's direction from the target's centre, as a fraction of a
    // turn in [0, 1).
    float handleAngle() const;
    bool updateHover(int x, int y);
    bool isEditable(const SketchShape *shape) const;
    // The hit area of a marker around a point in paper units.
    QRectF markerRect(const QPointF &centre) const;
    QPointF toPaper(int x, int y) const;

    QPointer<SketchShape> m_target;
    int m_mode = RotateModeBody;
    std::unique_ptr<SketchPoint> m_handle;
    bool m_bodyMoved = false;
    bool m_handleHovered = false;
};

#endif // SKETCHTOOLROTATE_H
