#ifndef SKETCHGROUP_H
#define SKETCHGROUP_H

#include "model/sketchshape.h"

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QSizeF>

class SketchDocument;

// A shape made of other shapes that is selected, moved, resized, flipped,
// painted and stored as one. Its own points are the four corners of the box
// around its members (top-left, top-right, bottom-right, bottom-left; only
// the bottom-right one can be dragged), and the members live in the box's
// coordinates: their points are relative to the box's top-left corner.
// Groups nest.
//
// Ownership: a member's QObject parent is the group once it is attached, read
// or cloned into it, so the group frees those members; members handed back to
// their layers (detachShapes) belong to the layers again. A member keeps the
// layer it came from.
class SketchGroup : public SketchShape
{
    Q_OBJECT

public:
    // An empty group of the layer (also its QObject parent); no points until
    // attachShapes runs.
    explicit SketchGroup(SketchLayer *layer);
    ~SketchGroup() override;

    QString typeName() const override;
    bool isGroup() const override;

    // --- Members ------------------------------------------------------------

    // The members, bottom first; callers assign, append and clear it, then
    // call attachShapes.
    QList<SketchShape *> &shapes() { return m_shapes; }
    const QList<SketchShape *> &shapes() const { return m_shapes; }

    // Makes the member list the group's content: bakes every member's
    // rotation into its points, turns the members into free paths, moves them
    // into the group's coordinates, takes them out of their layers' lists and
    // fits the box around them. The members keep their place on the page.
    void attachShapes();
    // Hands the members back to their layers: page coordinates, selected,
    // appended to their layers' lists. A rotation of the group is baked into
    // them so that the page looks the same. The member list stays, so that a
    // later attachShapes can take the same members again.
    void detachShapes();

    // The box around every member's outline under the member's own rotation,
    // in the group's coordinates, and its size.
    QPolygonF shapesBoundingPolygon() const;
    QSizeF shapesSize() const;
    // Clones of the members (with frames) appended to the document's first
    // layer: "Edit Group" fills its tab with them. Nothing without a layer.
    void copyShapesTo(SketchDocument *document) const;

    // The member under a view position, searching nested groups; null when
    // nothing is hit.
    SketchShape *shapeAt(const QPointF &position);

    // --- Shape behaviour ----------------------------------------------------

    // Style changes reach the members too, unless the group has frames.
    void setLayer(SketchLayer *layer) override;
    void setFill(const SkinBrush &fill) override;
    void setStroke(const SketchStroke &stroke) override;
    void setFont(const QFont &font) override;
    void setFontColor(const QColor &color) override;
    void setOpacity(float opacity) override;
    void setTension(float tension) override;
    // Deselecting a group deselects everything inside it.
    void setSelected(bool selected) override;

    void applyRotation(float angle, const QPointF &centre) override;

    void copyTo(SketchShape *target, bool withFrames) override;
    void writeXml(QDomElement &element) override;
    void readXml(const QDomElement &element) override;

    int hitTest(float x, float y) override;
    bool hitTestRect(const QRectF &rect) override;
    bool hasEditablePoints() const override;
    // The selected member (searching nested groups), or the group itself.
    SketchShape *selectedShape() override;

    // Groups have no editable points: nothing is inserted.
    SketchPoint *insertPoint(float x, float y, bool curve) override;
    // The bottom-right corner scales the group, keeping its proportions;
    // the other handles move it.
    void moveHandle(float dx, float dy) override;
    // Scales the box and every member with it.
    void resizeInShapeUnits(const QRectF &box, float dw, float dh) override;
    void flipHorizontal(float axisX) override;
    void flipVertical(float axisY) override;
    using SketchShape::flipHorizontal;
    using SketchShape::flipVertical;
    // A group never loses a corner.
    void removeActive() override;

    void paint(QPainter *painter, float zoom, bool showHandles) override;
    void prepareToPaint(bool keepOutline) override;
    void paintContent(QPainter *painter, float zoom) override;

    QString pointStatusText(int index) override;

protected:
    QList<SketchShape *> memberShapes() const override;

private:
    // Member coordinates of a point of the group's own coordinates.
    QPointF toMemberCoordinates(const QPointF &point) const;
    // Turns a member's points by angle about centre and makes the rotation
    // part of its look: its own rotation first, then this one; boxes become
    // free paths and linear fills turn with the points.
    static void bakeRotation(SketchShape *member, float angle, const QPointF &centre);
    // Replaces the group's points by the four corners of the box.
    void setBox(const QRectF &box);
    void translateMembers(float dx, float dy);

    QList<SketchShape *> m_shapes;
};

#endif // SKETCHGROUP_H
