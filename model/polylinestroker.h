#ifndef POLYLINESTROKER_H
#define POLYLINESTROKER_H

#include <QPainterPath>
#include <QPen>

// The region a solid pen covers along a path of straight lines, as a path to
// fill with the non-zero rule: a rectangle along every piece, a wedge (round,
// mitred or bevelled) on the outer side of every corner and a cap (flat,
// square or round) at both ends of every open subpath. That is the region
// the raster engine's own stroker fills, traced the same way round (so that
// the rasteriser rounds its edge pixels alike), but found without the angles
// that stroker works out at every corner: the flattened curves of a crowded
// page have a corner every few pixels, and stroking them was most of the
// page's paint.
//
// Arcs are cubic curves, as the raster engine's are; the arc of a round
// corner so shallow that it lies within the tolerance of its chord is the
// chord. A mitre longer than the pen's mitre limit is cut off the way the
// raster engine cuts it. A subpath is closed when its last point is its
// first. Holds no state between strokes; a failed stroke leaves the outline
// as it was.
class PolylineStroker
{
public:
    // Whether the pen is one this class strokes: solid, not cosmetic, of a
    // width above 0, with a flat, square or round cap and a mitre, bevel or
    // round join.
    static bool canStroke(const QPen &pen);

    // tolerance: how far, in the path's own units, a chord may lie inside
    // the arc of a round corner it stands in for.
    PolylineStroker(const QPen &pen, qreal tolerance);

    // Appends the outline of the stroke along lines to outline. False, with
    // the outline untouched, when lines has curves or a subpath with no
    // length: the painter's stroker has rules of its own for those.
    bool stroke(const QPainterPath &lines, QPainterPath *outline) const;

private:
    struct Vector
    {
        qreal x;
        qreal y;
    };

    // One side of a subpath of at least two distinct points, walked from
    // its first point: the offset pieces with their joins, then, for an
    // open subpath, the cap at its last point. startsLoop: whether the side
    // begins a subpath of the outline or carries on the current one.
    void addSide(const Vector *points, int count, bool closed, bool startsLoop, QPainterPath *outline) const;
    // in and out: the unit directions of the pieces before and after.
    void addJoin(const Vector &corner, const Vector &in, const Vector &out, QPainterPath *outline) const;
    // From the offset on this side of the last piece, ending on the offset
    // on the other side.
    void addCap(const Vector &end, const Vector &direction, QPainterPath *outline) const;
    // The arc round centre from the offset along the unit normal from to
    // that along to, the short way; on a U-turn it passes ahead.
    void addArc(const Vector &centre, const Vector &from, const Vector &to, const Vector &ahead,
                QPainterPath *outline) const;
    // One cubic for an arc of at most a quarter turn.
    void addQuarterArc(const Vector &centre, const Vector &from, const Vector &to, QPainterPath *outline) const;

    qreal m_radius;
    // How far a mitre may reach from its corner.
    qreal m_miterLength;
    Qt::PenCapStyle m_cap;
    Qt::PenJoinStyle m_join;
    // A round corner whose directions have at least this cosine is joined
    // by a chord.
    qreal m_chordCosine;
};

#endif // POLYLINESTROKER_H
