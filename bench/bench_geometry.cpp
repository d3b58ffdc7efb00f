// What a shape hit test costs: flattening a smooth outline and searching it.
#include "model/geometry.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QList<QPointF> ringOfPoints(int count)
{
    QList<QPointF> points;
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / count;
        points.append(QPointF(200.0 + 150.0 * std::cos(angle), 200.0 + 100.0 * std::sin(angle)));
    }
    return points;
}

void BM_FlattenClosedCurve(benchmark::State& state)
{
    const QList<QPointF> points = ringOfPoints(int(state.range(0)));
    for (auto _ : state) {
        TensionCurve curve(points, true, 0.5f, 0.05f);
        benchmark::DoNotOptimize(curve.points().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FlattenClosedCurve)->Arg(4)->Arg(16)->Arg(64);

// A miss searches every piece: the worst case of a hit test.
void BM_FlattenAndSegmentAtMiss(benchmark::State& state)
{
    const QList<QPointF> points = ringOfPoints(int(state.range(0)));
    for (auto _ : state) {
        TensionCurve curve(points, true, 0.5f, 0.1f);
        benchmark::DoNotOptimize(curve.segmentAt(200.0f, 200.0f));
    }
}
BENCHMARK(BM_FlattenAndSegmentAtMiss)->Arg(4)->Arg(16)->Arg(64);

void BM_PointNearPolyline(benchmark::State& state)
{
    const TensionCurve curve(ringOfPoints(int(state.range(0))), true, 0.5f, 0.05f);
    const QPolygonF outline = curve.points();
    for (auto _ : state)
        benchmark::DoNotOptimize(isPointNearPolyline(QPointF(200, 200), outline, 2.0f));
    state.SetItemsProcessed(state.iterations() * outline.size());
}
BENCHMARK(BM_PointNearPolyline)->Arg(16);

void BM_SegmentRectCrossing(benchmark::State& state)
{
    const FloatSegment segment(-10, 5, 50, 30);
    const QRectF rect(0, 0, 40, 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(intersectSegmentRect(segment, rect).size());
}
BENCHMARK(BM_SegmentRectCrossing);

} // namespace
