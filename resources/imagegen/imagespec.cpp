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

} // namespace imagegen
