#include "imagespec.h"

#include <algorithm>

namespace {

std::vector<ImageSetFunction>& registeredSets()
{
    static std::vector<ImageSetFunction> sets;
    return sets;
}

} // namespace

ImageSetRegistration::ImageSetRegistration(ImageSetFunction set)
{
    registeredSets().push_back(set);
}

std::vector<ImageSpec> allImageSpecs()
{
    std::vector<ImageSpec> all;
    for (ImageSetFunction set : registeredSets()) {
        std::vector<ImageSpec> specs = set();
        all.insert(all.end(), specs.begin(), specs.end());
    }
    // Static registration order depends on the link order; the preview sheet
    // should not.
    std::stable_sort(all.begin(), all.end(),
                     [](const ImageSpec& a, const ImageSpec& b) { return a.path < b.path; });
    return all;
}

namespace imagegen {

const QColor ink(20, 20, 20);
const QColor paper(255, 255, 255);
const QColor steel(205, 212, 220);
const QColor glyph(128, 128, 128);

QPointF px(qreal x, qreal y) { return QPointF(x + 0.5, y + 0.5); }

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(points)));
    path.closeSubpath();
    return path;
}

void outlined(QPainter& p, const QPainterPath& path, const QColor& fill, qreal width)
{
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void haloLine(QPainter& p, const QPainterPath& path, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(paper, width + 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

void inkPixel(QPainter& p, QPoint at)
{
    p.fillRect(QRect(at, QSize(1, 1)), ink);
}

void crispGlyph(QPainter& target, QSize size, const QColor& colour,
                const std::function<void(QPainter&)>& drawing)
{
    QImage scratch(size, QImage::Format_ARGB32);
    scratch.fill(Qt::transparent);
    {
        QPainter p(&scratch);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        drawing(p);
    }
    for (int y = 0; y < scratch.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(scratch.scanLine(y));
        for (int x = 0; x < scratch.width(); ++x)
            line[x] = qAlpha(line[x]) >= 128 ? colour.rgba() : qRgba(0, 0, 0, 0);
    }
    target.drawImage(0, 0, scratch);
}

void fill(QPainter& p, int x, int y, int w, int h)
{
    p.fillRect(QRect(x, y, w, h), glyph);
}

void clear(QPainter& p, int x, int y, int w, int h)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.fillRect(QRect(x, y, w, h), Qt::transparent);
    p.restore();
}

void area(QPainter& p, const QPainterPath& path)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(glyph);
    p.drawPath(path);
    p.restore();
}

void frame(QPainter& p, int x, int y, int w, int h)
{
    fill(p, x, y, w, 1);
    fill(p, x, y + h - 1, w, 1);
    fill(p, x, y, 1, h);
    fill(p, x + w - 1, y, 1, h);
}

} // namespace imagegen
