#ifndef SKETCHSHAPE_H
#define SKETCHSHAPE_H

#include "model/sketchstroke.h"
#include "model/sketchtextalign.h"
#include "model/skinbrush.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

class QDomElement;
class QImage;
class QPainter;
class SketchDocument;
class SketchDocumentView;
class SketchLayer;
class SketchPoint;

// What a shape's point list stands for.
enum SketchShapeBehavior : int
{
    SketchShapePath = 0,   // a free path of any number of points
    SketchShapeBox = 1,    // four corners: rectangle, ellipse, text, image
    SketchShapeBubble = 2  // four corners and a three-point tail
};

// What a hit test found and what a drag moves: the whole shape (codes 0 to 2)
// or the handle of point code - SketchHandleFirstPoint.
enum SketchHandle : int
{
    SketchHandleNone = 0,
    SketchHandleOutline = 1,
    SketchHandleInside = 2,
    SketchHandleFirstPoint = 3
};

// One drawn object of a layer: a list of points plus a behaviour, with a
// fill, a stroke, a text with its font and alignment, opacity, blur, curve
// tension and a rotation about a rotate point. The points lie in the shape's
// own coordinates (before its rotation and the transforms of its enclosing
// groups); the document view maps them to the screen.
//
// A shape may carry frames: alternative complete states of itself, each
// stored with its bounding top-left at the origin, of which the shape shows
// number frameIndex() moved to its own place.
//
// Ownership: a shape owns its points, its frames and its cached blur image.
// Its QObject parent is its one owner: the layer for a top-level shape, the
// group for a member of a group, the owning shape for a frame. The layer and
// the group pointers themselves are not owning.
//
// The flattened outline and its path are computed once and kept until the
// points, the closed flag, the tension or the stroke change. Every setter of
// this class drops them, and so does taking the modifiable point list or
// stroke; code that keeps a point and changes it later must call
// invalidateOutline() itself.
//
// What the shape shows is summed up in its revision, which every change of
// its look takes to a number no shape had before: the points (the same rule
// as for the outline), the fill, the stroke, the text with its font, colour
// and alignment, opacity, blur, the rotation, the frame shown and a blurred
// picture made anew. A change of a member is a change of its groups. The
// selection, the handles, the lock, the name and the caches that painting
// fills for itself (outline, bounds, the first blurred picture) change no
// revision. Pictures of shapes (a layer's thumbnail) are kept for as long as
// the revisions of what they show stay the same.
class SketchShape : public QObject
{
    Q_OBJECT

public:
    // A new top-level shape of the layer (also its QObject parent), not yet
    // in the layer's shape list; the layer may be null.
    explicit SketchShape(SketchLayer *layer);
    ~SketchShape() override;

    // Set for the whole of the destructor.
    bool isDestroying() const { return m_destroying; }
    // Changes with every change of what the shape shows (see the class
    // comment); a new shape starts at a number of its own.
    quint64 revision() const { return m_revision; }

    // --- Identity and place -------------------------------------------------

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    // Type name and element tag: "Shape" (a group answers "Group").
    virtual QString typeName() const;
    virtual bool isGroup() const;

    SketchLayer *layer() const { return m_layer; }
    // Moves the shape and its frames to a layer. A top-level shape becomes a
    // child of the layer; members of a group and frames keep their owner.
    virtual void setLayer(SketchLayer *layer);
    SketchDocument *document() const;
    SketchDocumentView *view() const;

    // The enclosing group (a SketchGroup), null at top level. Setting a group
    // makes it the QObject parent; clearing it hands the shape back to its
    // layer.
    SketchShape *group() const { return m_group; }
    void setGroup(SketchShape *group);
    // The outermost enclosing group; null for a shape in no group.
    SketchShape *topLevelGroup() const;
    // Position in the layer's shape list; -1 without a layer or when absent.
    int index() const;

    // --- Points -------------------------------------------------------------

    int behavior() const { return m_behavior; }
    void setBehavior(int behavior);
    // The owned point list. Taking the modifiable list counts as a change of
    // the points (see the class comment).
    QList<SketchPoint *> &points();
    const QList<SketchPoint *> &points() const { return m_points; }
    int pointCount() const { return m_points.size(); }
    float pointX(int index) const;
    float pointY(int index) const;
    int curvePointCount() const;
    // Frees and removes every point.
    void clearPoints();
    // Drops the cached outline after a point was changed in place.
    void invalidateOutline();
    // Moves every point by (dx, dy) in the shape's own coordinates.
    void translate(float dx, float dy);

    bool isClosed() const { return m_closed; }
    void setClosed(bool closed);

    // Point runs: the outline is cut at the corner points into runs of
    // consecutive positions; a run of two is a straight piece, a longer one a
    // curve through its points.
    QList<int> cornerIndices() const;
    QList<QList<QPointF>> pointRuns() const;
    QList<QPointF> pointPositions() const;
    QList<QPointF> pointRange(int start, int count) const;

    // --- Style --------------------------------------------------------------

    const SkinBrush &fill() const { return m_fill; }
    // The modifiable fill counts as no change: whoever turns it changes the
    // shape's points too.
    SkinBrush &fill() { return m_fill; }
    // A fill or stroke change of a named shape reaches the shapes of that
    // name in every frame of the nearest frame owner.
    virtual void setFill(const SkinBrush &fill);
    const SketchStroke &stroke() const { return m_stroke; }
    // Taking the modifiable stroke counts as a change of its width, which
    // the hit tests depend on.
    SketchStroke &stroke();
    virtual void setStroke(const SketchStroke &stroke);

    QString text() const { return m_text; }
    void setText(const QString &text);
    const QFont &font() const { return m_font; }
    virtual void setFont(const QFont &font);
    const QColor &fontColor() const { return m_fontColor; }
    virtual void setFontColor(const QColor &color);
    // A SketchTextAlign code, or any other value as stored.
    int align() const { return m_align; }
    void setAlign(int align);

    // Opacity [0, 1], also held by the fill and the stroke's brush.
    float opacity() const { return m_opacity; }
    virtual void setOpacity(float opacity);
    // Curve tension [0, 1] of the runs of curve points.
    float tension() const { return m_tension; }
    virtual void setTension(float tension);
    // Number of blur passes, never negative.
    int blur() const { return m_blur; }
    virtual int setBlur(int blur);

    // --- State --------------------------------------------------------------

    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool selected);
    bool isLocked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }
    // The handle being dragged (SketchHandle codes); not range checked.
    int activeHandle() const { return m_activeHandle; }
    void setActiveHandle(int handle) { m_activeHandle = handle; }
    // Side of a bubble's tail: 2 top, 3 right, 4 bottom, 5 left (0..5).
    int direction() const { return m_direction; }
    void setDirection(int direction);

    // --- Rotation -----------------------------------------------------------

    // Fraction of a full turn: 0, or strictly between 0 and 1.
    float rotateAngle() const { return m_rotateAngle; }
    // Painted turned about the rotation point: an angle strictly between 0
    // and a whole turn.
    bool isTurned() const { return m_rotateAngle > 0.0f && m_rotateAngle < 1.0f; }
    // Own coordinates to where they are painted: the turn about the rotation
    // point, put before the transform of what holds the shape. The identity
    // when not turned.
    QTransform rotation() const;
    void setRotateAngle(float angle);
    // Centre of the rotation, in the shape's own unrotated coordinates.
    QPointF rotatePoint() const { return m_rotatePoint; }
    void setRotatePoint(const QPointF &point);
    // Moves the rotation centre while the shape stays where it is drawn.
    void moveRotatePoint(const QPointF &centre);
    void centerRotatePoint();
    // Turns the points themselves by angle (fraction of a turn) about centre;
    // the rotate angle becomes 0.
    virtual void applyRotation(float angle, const QPointF &centre);
    // Antialiasing is needed for groups, rotations off the right angles and
    // curves.
    virtual bool needsAntialiasing() const;

    // --- Frames -------------------------------------------------------------

    // The owned frames. Add frames through appendFrame, which makes this
    // shape their owner and moves them to its layer.
    QList<SketchShape *> &frames() { return m_frames; }
    const QList<SketchShape *> &frames() const { return m_frames; }
    void appendFrame(SketchShape *frame);
    // Deletes every frame and empties the list.
    void clearFrames();
    // The index of the shown frame, always within the frame list (0 without
    // frames), whatever a file said.
    int frameIndex() const;
    // The frame being shown, null without frames.
    SketchShape *currentFrame() const;
    // Shows another frame (clamped to the list) in the place of the current
    // state; the rotation is kept.
    void setFrameIndex(int index);
    // Stores the shape's present state in its current frame, normalised to
    // the origin of its own coordinates.
    void syncCurrentFrame();
    // Where this frame's top-left lies inside its group.
    QPointF innerPosition() const { return m_innerPosition; }
    void setInnerPosition(const QPointF &position) { m_innerPosition = position; }
    // The shapes of that name: this one, a group's members, the frames.
    virtual QList<SketchShape *> findShape(const QString &name);

    // --- Copies -------------------------------------------------------------

    // A new shape of the same type and layer with this shape's state; in no
    // layer list and no group; owned by the caller.
    SketchShape *clone(bool withFrames);
    // Copies this shape's state into the target (a deep copy).
    virtual void copyTo(SketchShape *target, bool withFrames);

    // --- XML ----------------------------------------------------------------

    // The shape element: only values that differ from the defaults.
    virtual void writeXml(QDomElement &element);
    virtual void readXml(const QDomElement &element);
    // The style part alone: fill, stroke, font, font colour, align, opacity
    // and blur.
    virtual void writeStyleXml(QDomElement &element);
    virtual void readStyleXml(const QDomElement &element);

    // --- Geometry -----------------------------------------------------------

    // The flattened outline: sharp at corner points, smooth through curve
    // points.
    virtual QPolygonF outline() const;
    virtual QPainterPath path() const;
    virtual QRectF boundingRect() const;
    QPointF center() const;
    // Where the text goes: the box of a bubble, else the bounding rectangle.
    virtual QRectF textRect() const;
    // A rectangle over which this shape's painting leaves only opaque pixels
    // of its own, whatever lies below; empty when the fill can be seen
    // through, is an image, or the shape is blurred or a group. A repaint
    // skips what lies wholly under it.
    virtual QRectF opaqueInterior() const;
    // The box of the first four points when rect is not empty; the frame
    // tool's target outline.
    QRectF boxRect(const QRectF &rect) const;

    // Mapping between the view and the shape's own coordinates, through the
    // view's shape transform; unchanged without a view.
    QPointF mapFromView(const QPointF &point) const;
    QPointF mapFromView(float x, float y) const;
    QPointF mapToView(const QPointF &point) const;
    QPointF mapToView(float x, float y) const;
    // A drag amount in view coordinates turned into the shape's own.
    void mapDeltaFromView(float &dx, float &dy) const;
    // A handle square that keeps its size on screen.
    QRectF handleRect(const QPointF &centre, float halfSize) const;
    QRectF handleRect(const SketchPoint *point, float halfSize) const;

    // --- Hit tests ----------------------------------------------------------

    // Handle code at a point in the shape's own coordinates.
    virtual int hitTest(float x, float y);
    // Rubber-band test, rect in the shape's own coordinates.
    virtual bool hitTestRect(const QRectF &rect);
    // Index k of the outline piece from point k to point k + 1 under the
    // point after an outline hit; -1 when there is none.
    virtual int segmentAt(float x, float y);
    virtual bool hasEditablePoints() const;
    // The shape under the selection: this shape when selected, else null.
    virtual SketchShape *selectedShape();

    // --- Editing ------------------------------------------------------------

    // Converts the active point to a curve or corner point, or inserts one
    // on the outline after an outline hit; null when nothing was done.
    virtual SketchPoint *insertPoint(float x, float y, bool curve);
    // Drags the active handle by an amount in view coordinates.
    virtual void moveHandle(float dx, float dy);
    // The corner rules of boxes and bubbles used by moveHandle.
    void resizeBox(float dx, float dy);
    void resizeBubble(float dx, float dy);
    // Scales the points from box to box grown by (dw, dh) in view
    // coordinates, about the box's top-left; never below 5 units.
    virtual void resize(QRectF box, float dw, float dh);
    // The same with the growth already in the shape's own units.
    virtual void resizeInShapeUnits(const QRectF &box, float dw, float dh);
    // Mirror about the shape's own centre line, or about an axis.
    virtual void flipHorizontal();
    virtual void flipVertical();
    virtual void flipHorizontal(float axisX);
    virtual void flipVertical(float axisY);
    // Removes the active point, or takes the shape out of its layer's list.
    virtual void removeActive();

    // --- Painting -----------------------------------------------------------

    // Paints the shape in its own coordinates (the painter already holds the
    // shape transform): blurred picture or content and text, then the handles
    // of a selected shape.
    virtual void paint(QPainter *painter, float zoom, bool showHandles);
    // Fills every cache that painting would fill on first use (the bounds,
    // the blurred picture, decoded picture fills), so that paint() then
    // only reads the shape and several threads may paint it at once. The
    // outline itself is kept from now on when the paint in progress asks
    // for it (keepOutline: it will come again soon, as the view's magnified
    // repaint does) or the shape is selected; otherwise painting builds it
    // for the moment.
    virtual void prepareToPaint(bool keepOutline);
    // Whether the shape holds its outline between uses (see OutlineCache):
    // only while selected, after a paint that kept it or once hit-tested
    // near the point.
    bool keepsOutline() const { return m_outline.shapeKept; }
    virtual void paintContent(QPainter *painter, float zoom);
    virtual void paintHandles(QPainter *painter);
    virtual void paintPointHandle(QPainter *painter, SketchPoint *point, bool active, bool ring);
    virtual void paintText(QPainter *painter, QRectF rect, const QString &text);

    // The cached blurred rendering (owned), built on demand.
    bool needsBlurImage() const;
    QImage *cachedBlurImage() const { return m_blurImage; }
    void setCachedBlurImage(QImage *image);
    // Renders the cached image again; call after any change of the look.
    void updateBlurImage();
    // A new blurred rendering owned by the caller; null when the shape is
    // too large to render off-screen.
    QImage *renderBlurImage();
    void paintBlurImage(QPainter *painter);

    // --- Status texts -------------------------------------------------------

    virtual QString rectStatusText();
    virtual QString pointStatusText(int index);

protected:
    // The shapes this shape holds: none for a plain shape, the members for a
    // group. findShape searches them.
    virtual QList<SketchShape *> memberShapes() const;

    // Counts the nesting of child shape lists being read (frames in frames,
    // groups in groups) so that a hostile file cannot exhaust the stack:
    // children deeper than MaxReadNesting levels are skipped.
    static const int MaxReadNesting = 64;
    class ReadNesting
    {
    public:
        ReadNesting();
        ~ReadNesting();
        ReadNesting(const ReadNesting &) = delete;
        ReadNesting &operator=(const ReadNesting &) = delete;
        bool allowsChildren() const;
    };

private:
    // Takes the revision to a new number, and those of the enclosing groups.
    void noteChange();

    // What the hit tests and painting derive from the outline. The first
    // members are what a hit test of a shape far from the point reads. The
    // outline itself (points and path, the bulk of the cache) is kept only
    // where it is worth its memory: for a shape hit-tested near the point,
    // selected (keepsOutlineShape) or painted by a paint that keeps outlines
    // (prepareToPaint). Elsewhere painting builds it for the moment, so that
    // painting a page leaves about a hundred bytes per shape behind,
    // whatever the view's zoom.
    struct OutlineCache
    {
        bool valid = false;
        // At least two points: anything to hit at all.
        bool hittable = false;
        // outline and path hold the outline.
        bool shapeKept = false;
        // The box around the outline and every point, widened enough for any
        // handle and outline tolerance at any zoom.
        float left = 0.0f;
        float top = 0.0f;
        float right = 0.0f;
        float bottom = 0.0f;
        QRectF bounds; // of the outline
        QRectF area;   // of the outline and every point
        QPolygonF outline;
        QPainterPath path;
        // Found on first use: a rectangle inside the outline.
        bool interiorKnown = false;
        QRectF interior;
    };

    // The bounds and boxes; the outline only when already kept.
    const OutlineCache &outlineCache() const;
    // The same with the outline and its path, kept from now on.
    const OutlineCache &outlineShapeCache() const;
    bool keepsOutlineShape() const;
    // A path of this paint's own, in scratch: from the kept outline, else
    // built afresh.
    const QPainterPath &paintPath(QPainterPath *scratch) const;
    QPolygonF buildOutline() const;
    float viewZoom() const;
    float outlineTolerance(bool inView, float zoom) const;
    bool isLayerLocked() const;
    int bubbleTailDirection(const QPointF &tip, const QRectF &box) const;
    void layOutBubble(int direction, const QRectF &box, const QPointF &tip);
    void flipImageFill(bool horizontal);
    void spreadToNamesakes(bool fill);
    void readFrames(const QDomElement &element);
    void writeFrames(QDomElement &element);
    void paintVerticalText(QPainter *painter, const QRectF &rect, const QString &text);

    bool m_destroying = false;
    // The cache, the revision and the layer come first, with the virtual
    // table pointer: scanning a page of shapes then touches one cache line
    // per shape.
    mutable OutlineCache m_outline;
    quint64 m_revision = 0;
    SketchLayer *m_layer = nullptr;
    QString m_name;
    SketchShape *m_group = nullptr;
    int m_behavior = SketchShapePath;
    SkinBrush m_fill;
    SketchStroke m_stroke;
    QList<SketchPoint *> m_points;
    bool m_closed = true;
    bool m_selected = false;
    bool m_locked = false;
    QString m_text;
    QFont m_font;
    QColor m_fontColor = Qt::black;
    int m_align = SketchTextAlignCenter;
    float m_opacity = 1.0f;
    int m_activeHandle = SketchHandleNone;
    float m_rotateAngle = 0.0f;
    QPointF m_rotatePoint;
    float m_tension = 0.5f;
    int m_direction = 0;
    int m_blur = 0;
    QImage *m_blurImage = nullptr;
    QList<SketchShape *> m_frames;
    int m_frameIndex = 0;
    QPointF m_innerPosition;
};

// The shape factory: "Shape" makes a SketchShape, "Group" a SketchGroup, any
// other name (compared case-sensitively) nothing. The new shape belongs to
// the caller.
SketchShape *createSketchShape(const QString &typeName, SketchLayer *layer);

// A number of the status texts: fixed notation, one digit after the point.
QString statusNumber(qreal value);

#endif // SKETCHSHAPE_H
