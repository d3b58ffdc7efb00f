#include "support/polygons.h"

#include "model/polylinestroker.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

namespace {

constexpr QSize kPicture(160, 120);

// Closed: the first corner again at the end.
QPolygonF ellipse(const QPointF &centre, qreal rx, qreal ry, int corners)
{
    QPolygonF polygon = ellipsePolygon(centre, rx, ry, corners);
    polygon << polygon.first();
    return polygon;
}

// A seeded wander over the picture with pieces from a third of a pixel to
// thirty pixels long, turning anywhere from straight on to straight back.
QPolygonF wander(quint32 seed, int points, bool closed)
{
    QRandomGenerator random(seed);
    QPolygonF polygon;
    polygon << QPointF(40 + random.bounded(80.0), 30 + random.bounded(60.0));
    qreal heading = random.bounded(2 * M_PI);
    for (int i = 1; i < points; ++i) {
        heading += random.bounded(2 * M_PI) - M_PI;
        const qreal step = 0.3 + random.bounded(30.0);
        QPointF next = polygon.last() + step * QPointF(std::cos(heading), std::sin(heading));
        next.rx() = qBound(25.0, next.x(), 135.0);
        next.ry() = qBound(25.0, next.y(), 95.0);
        polygon << next;
    }
    if (closed)
        polygon << polygon.first();
    return polygon;
}

QPainterPath lines(const QVector<QPolygonF> &subpaths)
{
    QPainterPath path;
    for (const QPolygonF &polygon : subpaths)
        path.addPolygon(polygon);
    return path;
}

QPen pen(qreal width, Qt::PenCapStyle cap = Qt::RoundCap, Qt::PenJoinStyle join = Qt::RoundJoin)
{
    return QPen(Qt::black, width, Qt::SolidLine, cap, join);
}

qreal cross(const QPointF &a, const QPointF &b)
{
    return a.x() * b.y() - a.y() * b.x();
}

QPointF unit(const QPointF &v)
{
    return v / std::hypot(v.x(), v.y());
}

// What the pen covers, worked out piece by piece rather than traced: the
// rectangle along each piece (run on by half the width at a square cap),
// discs at round caps and joins, and the mitre or bevel wedge on the outer
// side of every other corner, with a mitre beyond the pen's limit cut off.
class PenRegion
{
public:
    PenRegion(const QVector<QPolygonF> &subpaths, const QPen &pen)
        : m_pen(pen)
        , m_radius(pen.widthF() / 2)
    {
        for (const QPolygonF &polygon : subpaths)
            addSubpath(polygon);
    }

    bool contains(const QPointF &p) const
    {
        for (const Piece &piece : m_pieces) {
            const QPointF v = p - piece.from;
            const qreal along = QPointF::dotProduct(v, piece.direction);
            if (along >= -piece.before && along <= piece.length + piece.after
                && std::abs(cross(piece.direction, v)) <= m_radius)
                return true;
        }
        for (const QPointF &disc : m_discs) {
            if (std::hypot(p.x() - disc.x(), p.y() - disc.y()) <= m_radius)
                return true;
        }
        for (const QPolygonF &wedge : m_wedges) {
            if (wedge.containsPoint(p, Qt::OddEvenFill))
                return true;
        }
        return false;
    }

    // How far from the path the pen can reach at most.
    qreal reach() const
    {
        return std::max(m_radius * std::sqrt(2.0), std::hypot(m_radius, m_pen.widthF() * m_pen.miterLimit()));
    }

private:
    struct Piece
    {
        QPointF from;
        QPointF direction;
        qreal length;
        qreal before;
        qreal after;
    };

    void addSubpath(const QPolygonF &polygon)
    {
        QPolygonF points;
        for (const QPointF &p : polygon) {
            if (points.isEmpty() || p != points.last())
                points << p;
        }
        const bool closed = points.size() >= 3 && points.first() == points.last();
        const int last = points.size() - 1;
        const qreal capRun = m_pen.capStyle() == Qt::SquareCap ? m_radius : 0;
        for (int i = 0; i < last; ++i) {
            const QPointF d = points.at(i + 1) - points.at(i);
            m_pieces.append({points.at(i), unit(d), std::hypot(d.x(), d.y()), !closed && i == 0 ? capRun : 0,
                             !closed && i == last - 1 ? capRun : 0});
        }
        if (!closed && m_pen.capStyle() == Qt::RoundCap)
            m_discs << points.first() << points.last();
        for (int i = closed ? 0 : 1; i < last; ++i) {
            const QPointF &before = points.at(i == 0 ? last - 1 : i - 1);
            addCorner(points.at(i), unit(points.at(i) - before), unit(points.at(i + 1) - points.at(i)));
        }
    }

    void addCorner(const QPointF &corner, const QPointF &a, const QPointF &b)
    {
        if (m_pen.joinStyle() == Qt::RoundJoin) {
            m_discs << corner;
            return;
        }
        const qreal turn = cross(a, b);
        for (const qreal side : {-1.0, 1.0}) {
            // The outer side only; both sides of a U-turn.
            if (turn * side > 0 || (turn == 0 && QPointF::dotProduct(a, b) > 0))
                continue;
            const QPointF in = corner + side * m_radius * QPointF(-a.y(), a.x());
            const QPointF out = corner + side * m_radius * QPointF(-b.y(), b.x());
            QPolygonF wedge;
            wedge << corner << in;
            if (m_pen.joinStyle() == Qt::MiterJoin) {
                const qreal limit = m_pen.widthF() * m_pen.miterLimit();
                const qreal cosine = QPointF::dotProduct(a, b);
                if (1 + cosine > 1e-12 && m_radius * std::sqrt(2 / (1 + cosine)) <= limit)
                    wedge << corner + (in - corner + out - corner) / (1 + cosine);
                else
                    wedge << in + a * limit << out - b * limit;
            }
            wedge << out;
            m_wedges << wedge;
        }
    }

    QPen m_pen;
    qreal m_radius;
    QVector<Piece> m_pieces;
    QPolygonF m_discs;
    QVector<QPolygonF> m_wedges;
};

qreal distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const qreal length2 = QPointF::dotProduct(ab, ab);
    const qreal t = length2 > 0 ? qBound(0.0, QPointF::dotProduct(p - a, ab) / length2, 1.0) : 0.0;
    const QPointF q = a + t * ab;
    return std::hypot(p.x() - q.x(), p.y() - q.y());
}

qreal distanceToPath(const QPointF &p, const QVector<QPolygonF> &subpaths)
{
    qreal best = 1e9;
    for (const QPolygonF &polygon : subpaths) {
        for (int i = 0; i + 1 < polygon.size(); ++i)
            best = std::min(best, distanceToSegment(p, polygon.at(i), polygon.at(i + 1)));
    }
    return best;
}

// The part of a picture pixel the pen covers, sampled on a 12 x 12 grid.
qreal coverage(int x, int y, const PenRegion &region, const QTransform &toPath)
{
    constexpr int kSamples = 12;
    int inside = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            if (region.contains(toPath.map(QPointF(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples))))
                ++inside;
        }
    }
    return qreal(inside) / (kSamples * kSamples);
}

QImage blank()
{
    QImage image(kPicture, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QImage painterStroke(const QPainterPath &path, const QPen &pen, const QTransform &transform)
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(transform);
    painter.setPen(pen);
    painter.drawPath(path);
    return image;
}

QImage ownStroke(const QPainterPath &path, const QPen &pen, const QTransform &transform)
{
    QImage image = blank();
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    const qreal scale = std::sqrt(std::abs(transform.determinant()));
    if (!PolylineStroker(pen, 1.0 / 64 / scale).stroke(path, &outline))
        return QImage();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(transform);
    painter.fillPath(outline, Qt::black);
    return image;
}

} // namespace

Q_DECLARE_METATYPE(QPainterPath)

class TestPolylineStroker : public QObject
{
    Q_OBJECT

private slots:
    void canStroke_data();
    void canStroke();
    void coversThePensRegion_data();
    void coversThePensRegion();
    void refusesWhatItCannotStroke_data();
    void refusesWhatItCannotStroke();
};

void TestPolylineStroker::canStroke_data()
{
    QTest::addColumn<QPen>("pen");
    QTest::addColumn<bool>("strokes");

    QTest::newRow("round") << pen(3) << true;
    QTest::newRow("square and mitre") << pen(3, Qt::SquareCap, Qt::MiterJoin) << true;
    QTest::newRow("flat and bevel") << pen(3, Qt::FlatCap, Qt::BevelJoin) << true;
    QPen dashed = pen(3);
    dashed.setStyle(Qt::DashLine);
    QTest::newRow("dashed") << dashed << false;
    QPen cosmetic = pen(3);
    cosmetic.setCosmetic(true);
    QTest::newRow("cosmetic") << cosmetic << false;
    QTest::newRow("hairline") << pen(0) << false;
    QTest::newRow("SVG mitre") << pen(3, Qt::FlatCap, Qt::SvgMiterJoin) << false;
}

void TestPolylineStroker::canStroke()
{
    QFETCH(QPen, pen);
    QFETCH(bool, strokes);
    QCOMPARE(PolylineStroker::canStroke(pen), strokes);
}

void TestPolylineStroker::coversThePensRegion_data()
{
    QTest::addColumn<QVector<QPolygonF>>("subpaths");
    QTest::addColumn<QPen>("pen");
    QTest::addColumn<QTransform>("transform");

    const QTransform none;
    const QPolygonF zigzag = polygonOf({{10, 100}, {40, 20}, {70, 100}, {100, 20}, {150, 60}});
    const QPolygonF spikes = polygonOf({{10, 110}, {30, 10}, {40, 110}, {60, 10}, {70, 110}});
    const QPolygonF rectangle = polygonOf({{20, 20}, {140, 20}, {140, 100}, {20, 100}, {20, 20}});
    QTest::newRow("flattened ellipse, thin") << QVector<QPolygonF>{ellipse({80, 60}, 60, 35, 48)} << pen(2) << none;
    QTest::newRow("flattened ellipse, wide") << QVector<QPolygonF>{ellipse({80, 60}, 50, 25, 48)} << pen(11) << none;
    QTest::newRow("open zigzag with sharp corners") << QVector<QPolygonF>{zigzag} << pen(7) << none;
    QTest::newRow("spikes of ten degrees") << QVector<QPolygonF>{spikes} << pen(4) << none;
    QTest::newRow("U-turn") << QVector<QPolygonF>{polygonOf({{20, 60}, {140, 60}, {50, 60}})} << pen(9) << none;
    QTest::newRow("closed rectangle") << QVector<QPolygonF>{rectangle} << pen(5) << none;
    QTest::newRow("single piece") << QVector<QPolygonF>{polygonOf({{30, 30}, {130, 90}})} << pen(6) << none;
    // The flattening repeats the first point of every curve piece.
    QTest::newRow("repeated points")
        << QVector<QPolygonF>{polygonOf({{20, 20}, {20, 20}, {80, 40}, {80, 40}, {140, 20}, {140, 100}, {140, 100}})}
        << pen(5) << none;
    QTest::newRow("short pieces under a wide pen")
        << QVector<QPolygonF>{polygonOf({{60, 60}, {60.5, 60.2}, {60.7, 60.9}, {60.3, 61.3}, {61, 61.1}, {100, 70}})}
        << pen(24) << none;
    QTest::newRow("two subpaths")
        << QVector<QPolygonF>{polygonOf({{10, 10}, {70, 50}, {10, 90}}), ellipse({115, 60}, 30, 40, 24)} << pen(5)
        << none;
    QPolygonF nearlyClosed = ellipse({80, 60}, 50, 40, 12);
    nearlyClosed.last() += QPointF(1e-13, 0);
    QTest::newRow("closing point off by a rounding") << QVector<QPolygonF>{nearlyClosed} << pen(8) << none;
    QTest::newRow("magnified and turned")
        << QVector<QPolygonF>{polygonOf({{4, 4}, {20, 6}, {12, 18}, {30, 20}})} << pen(1.5)
        << QTransform().translate(30, -10).rotate(25).scale(4, 4);

    const QPen square = pen(6, Qt::SquareCap, Qt::MiterJoin);
    QTest::newRow("square caps and mitres") << QVector<QPolygonF>{zigzag} << square << none;
    QTest::newRow("mitres cut at the limit") << QVector<QPolygonF>{spikes} << square << none;
    QTest::newRow("mitred U-turn") << QVector<QPolygonF>{polygonOf({{20, 60}, {140, 60}, {50, 60}})} << square << none;
    QTest::newRow("mitred rectangle") << QVector<QPolygonF>{rectangle} << square << none;
    QTest::newRow("mitred ellipse") << QVector<QPolygonF>{ellipse({80, 60}, 50, 25, 48)} << square << none;
    QTest::newRow("flat caps and bevels")
        << QVector<QPolygonF>{zigzag} << pen(8, Qt::FlatCap, Qt::BevelJoin) << none;

    for (quint32 seed = 1; seed <= 6; ++seed) {
        static const QPen pens[] = {pen(3), pen(14), pen(5, Qt::SquareCap, Qt::MiterJoin),
                                    pen(9, Qt::FlatCap, Qt::BevelJoin)};
        QTest::addRow("wander %u", seed)
            << QVector<QPolygonF>{wander(seed, 12, seed % 2 == 0)} << pens[seed % 4] << none;
    }
}

// The outline is filled where the pen reaches: pixels it covers whole are
// black, pixels it does not reach untouched, and the pixels on its edge are
// shaded by how much of them it covers about as closely as the painter's
// own stroke shades them. Both shade the inner edge of a corner a little too
// dark where the two pieces overlap; on a wide pen over short pieces the
// painter sometimes rounds that overlap off where this goes through the
// corner, so a level and a half more on average is allowed.
void TestPolylineStroker::coversThePensRegion()
{
    QFETCH(QVector<QPolygonF>, subpaths);
    QFETCH(QPen, pen);
    QFETCH(QTransform, transform);

    const QPainterPath path = lines(subpaths);
    const QImage own = ownStroke(path, pen, transform);
    QVERIFY(!own.isNull());
    const QImage theirs = painterStroke(path, pen, transform);
    const PenRegion region(subpaths, pen);
    const QTransform toPath = transform.inverted();
    const qreal scale = std::sqrt(std::abs(transform.determinant()));
    // Half a pixel's diagonal, in the path's units.
    const qreal margin = 0.75 / scale;

    int edgePixels = 0;
    qreal ownError = 0;
    qreal theirError = 0;
    for (int y = 0; y < own.height(); ++y) {
        for (int x = 0; x < own.width(); ++x) {
            const int value = qRed(own.pixel(x, y));
            const QPointF centre = toPath.map(QPointF(x + 0.5, y + 0.5));
            if (distanceToPath(centre, subpaths) > region.reach() + margin) {
                if (value != 255)
                    QFAIL(qPrintable(QStringLiteral("paint beyond the pen at (%1, %2): %3").arg(x).arg(y).arg(value)));
                continue;
            }
            // The sampling can miss a sliver of a pixel, not a gap.
            const qreal covered = coverage(x, y, region, toPath);
            if (covered == 1 && value > 16)
                QFAIL(qPrintable(QStringLiteral("a gap at (%1, %2): %3").arg(x).arg(y).arg(value)));
            if (covered == 0 && value < 239)
                QFAIL(qPrintable(QStringLiteral("paint beyond the pen at (%1, %2): %3").arg(x).arg(y).arg(value)));
            if (covered == 0 || covered == 1)
                continue;
            const int ideal = qRound(255 * (1 - covered));
            ++edgePixels;
            ownError += std::abs(value - ideal);
            theirError += std::abs(qRed(theirs.pixel(x, y)) - ideal);
        }
    }
    // Straight edges along pixel borders leave no edge pixels at all.
    ownError /= qMax(edgePixels, 1);
    theirError /= qMax(edgePixels, 1);
    QVERIFY2(ownError <= theirError + 1.5,
             qPrintable(QStringLiteral("mean shading error %1 against the painter's %2").arg(ownError).arg(theirError)));
}

void TestPolylineStroker::refusesWhatItCannotStroke_data()
{
    QTest::addColumn<QPainterPath>("path");

    QPainterPath curve(QPointF(10, 10));
    curve.cubicTo(20, 0, 40, 20, 50, 10);
    QTest::newRow("curve") << curve;
    QPainterPath dot(QPointF(10, 10));
    dot.lineTo(10, 10);
    QTest::newRow("piece of no length") << dot;
    QPainterPath both = lines({polygonOf({{0, 0}, {30, 30}})});
    both.moveTo(50, 50);
    both.lineTo(50, 50 + 1e-14);
    QTest::newRow("good subpath then one of no length") << both;
}

void TestPolylineStroker::refusesWhatItCannotStroke()
{
    QFETCH(QPainterPath, path);
    QPainterPath outline;
    outline.addRect(0, 0, 5, 5);
    const QPainterPath before = outline;
    QVERIFY(!PolylineStroker(pen(4), 0.01).stroke(path, &outline));
    QCOMPARE(outline, before);
}

QTEST_MAIN(TestPolylineStroker)
#include "tst_polylinestroker.moc"
