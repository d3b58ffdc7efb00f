#pragma once

// Plane geometry for hit tests, rubber-band selection, smooth outlines and
// rotations. Coordinates are stored in single precision; every function
// computes in double precision and rounds a float result once, on return.

#include "model/floatellipse.h"
#include "model/floatsegment.h"
#include "model/lineequation.h"
#include "model/tensioncurve.h"

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

// One coordinate of the cardinal curve between p1 (t = 0) and p2 (t = 1)
// with the neighbours p0 and p3 and the tension s; s = 0.5 is Catmull-Rom.
float cardinalValue(float p0, float p1, float p2, float p3, float s, float t);

// Distances and angles.
float pointDistance(const QPointF& a, const QPointF& b);
// The foot of the perpendicular from p on the line; p itself when the line
// is degenerate (a and b both 0).
QPointF perpendicularFoot(const QPointF& p, const LineEquation& line);
// The distance from p to the nearest point of the segment.
float pointSegmentDistance(const QPointF& p, const FloatSegment& segment);
// The angle at a between a->b and a->c in degrees, 0 to 180; 0 when a
// coincides with b or c.
float angleAtPoint(const QPointF& a, const QPointF& b, const QPointF& c);

// Hit tests. A point is near a segment when its perpendicular foot lies
// between the two ends and it is within tolerance of the segment; a segment
// whose ends coincide is near nothing.
bool isPointNearSegment(const QPointF& p, const FloatSegment& segment, float tolerance);
// Near any piece from points[i] to points[i + 1]; false for fewer than 2 points.
bool isPointNearPolyline(const QPointF& p, const QList<QPointF>& points, float tolerance);
bool isPointNearPolyline(const QPointF& p, const QPolygonF& polygon, float tolerance);
// Near the curve's flattened polyline within 2 units.
bool isPointNearCurve(const QPointF& p, const TensionCurve& curve);
// Inside the closed bounding box of the segment; false for a segment whose
// ends coincide.
bool isPointInSegmentBounds(const QPointF& p, const FloatSegment& segment);
bool isPointInEllipse(const QPointF& p, const FloatEllipse& ellipse);
bool isPointOnEllipse(const QPointF& p, const FloatEllipse& ellipse);

// Intersections. Parallel or degenerate lines meet nowhere.
QList<QPointF> intersectLines(const LineEquation& l1, const LineEquation& l2);
QList<QPointF> intersectLineSegment(const LineEquation& line, const FloatSegment& segment);
// The sides top, right, bottom, left, in that order.
QList<QPointF> intersectLineRect(const LineEquation& line, const QRectF& rect);
QList<QPointF> intersectSegments(const FloatSegment& s1, const FloatSegment& s2);
// A crossing at a vertex shared by two pieces is reported once.
QList<QPointF> intersectSegmentPolyline(const FloatSegment& segment, const QList<QPointF>& points);
QList<QPointF> intersectSegmentRect(const FloatSegment& segment, const QRectF& rect);
QList<QPointF> intersectLineEllipse(const LineEquation& line, const FloatEllipse& ellipse);
QList<QPointF> intersectSegmentEllipse(const FloatSegment& segment, const FloatEllipse& ellipse);
// Real roots of a*t^2 + b*t + c = 0; two roots come larger-first when a > 0.
QList<float> solveQuadratic(float a, float b, float c);

// Rotation about a centre, scaled by scale; the point itself when degrees is
// 0 and scale is 1.
QPointF rotatePointAround(const QPointF& point, const QPointF& centre, float degrees, float scale);
// Top-left, top-right, bottom-right, bottom-left, each rotated.
QList<QPointF> rotatedRectCorners(const QRectF& rect, const QPointF& centre, float degrees, float scale);

// Rectangles normalised to non-negative width and height, corners rounded to
// single precision first.
QRectF rectFromPoints(const QPointF& a, const QPointF& b);
QRectF rectFromFloats(float x1, float y1, float x2, float y2);
QRectF normalizedRect(const QRectF& rect);
// The ellipse through the rectangle's corners, radii rounded up to whole units.
FloatEllipse ellipseAroundRect(const QRectF& rect);

// A rectangle inside the polygon as filled with the odd-even rule, centred
// on its centroid and grown towards its bounding box as far as a few
// halvings find; empty when none is found (a polygon of fewer than 3
// points, no area, a centroid outside).
QRectF rectInsidePolygon(const QPolygonF& polygon);

// (b - a) x (c - a) and (b - a) . (c - a).
float crossProduct(const QPointF& a, const QPointF& b, const QPointF& c);
float dotProduct(const QPointF& a, const QPointF& b, const QPointF& c);

// x modulo n keeping the fraction and the sign of x: 370.5 mod 360 is 10.5,
// -370.5 mod 360 is -10.5. A modulus of 0 leaves x unchanged.
float floatModulo(float x, int n);
