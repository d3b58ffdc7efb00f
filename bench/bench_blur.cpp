// The shape blur on a 1000 x 1000 ARGB picture, 10 passes: the scan-line
// version in the model against the straightforward per-pixel definition
// (25 QImage::pixel reads and one setPixel for every pixel).
#include "model/skinbrush.h"

#include <QImage>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const int BlurSide = 1000;
const int BlurPasses = 10;

QImage randomPicture()
{
    QRandomGenerator random(2024);
    QImage image(BlurSide, BlurSide, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = random.generate();
    }
    return image;
}

QImage perPixelBlurOnce(const QImage &source)
{
    static const int weights[5][5] = {
        {0, 0, 1, 0, 0}, {0, 1, 3, 1, 0}, {1, 3, 7, 3, 1}, {0, 1, 3, 1, 0}, {0, 0, 1, 0, 0}};
    QImage result = source.copy();
    const int w = source.width();
    const int h = source.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int a = 0, r = 0, g = 0, b = 0;
            for (int dy = -2; dy <= 2; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    const int weight = weights[dy + 2][dx + 2];
                    const QRgb p = source.pixel(qBound(0, x + dx, w - 1), qBound(0, y + dy, h - 1));
                    a += weight * qAlpha(p);
                    r += weight * qRed(p);
                    g += weight * qGreen(p);
                    b += weight * qBlue(p);
                }
            }
            result.setPixel(x, y, qRgba(qBound(0, r / 27, 255), qBound(0, g / 27, 255),
                                        qBound(0, b / 27, 255), qBound(0, a / 27, 255)));
        }
    }
    return result;
}

void BM_BlurScanLines(benchmark::State &state)
{
    const QImage picture = randomPicture();
    for (auto _ : state) {
        std::unique_ptr<QImage> blurred(blurImage(picture, BlurPasses));
        benchmark::DoNotOptimize(blurred->constBits());
    }
    state.SetItemsProcessed(state.iterations() * qint64(BlurSide) * BlurSide * BlurPasses);
}

void BM_BlurPerPixel(benchmark::State &state)
{
    const QImage picture = randomPicture();
    for (auto _ : state) {
        QImage blurred = picture;
        for (int i = 0; i < BlurPasses; ++i)
            blurred = perPixelBlurOnce(blurred);
        benchmark::DoNotOptimize(blurred.constBits());
    }
    state.SetItemsProcessed(state.iterations() * qint64(BlurSide) * BlurSide * BlurPasses);
}

} // namespace

BENCHMARK(BM_BlurScanLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlurPerPixel)->Unit(benchmark::kMillisecond);
