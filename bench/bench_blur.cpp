// The shape blur on a 1000 x 1000 ARGB picture, 10 passes: the scan-line
// version in the model against the straightforward per-pixel definition
// (25 QImage::pixel reads and one setPixel for every pixel).
#include "model/skinbrush.h"
#include "tests/support/referenceblur.h"

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
            blurred = referenceBlurOnce(blurred);
        benchmark::DoNotOptimize(blurred.constBits());
    }
    state.SetItemsProcessed(state.iterations() * qint64(BlurSide) * BlurSide * BlurPasses);
}

} // namespace

BENCHMARK(BM_BlurScanLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlurPerPixel)->Unit(benchmark::kMillisecond);
