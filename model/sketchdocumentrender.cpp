// SketchDocument: rendering the page, a layer, some shapes and the slices to
// pictures for the image exports, through the page renderer.
#include "model/sketchdocument.h"

#include "model/coordinates.h"
#include "model/pagerenderer.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

#include <QPainter>

namespace {

const QString PngFormat = QStringLiteral("PNG");

// "PNG" for ".png", "png" and "PNG".
QString normalizedFormat(const QString &format)
{
    return (format.startsWith(QLatin1Char('.')) ? format.mid(1) : format).toUpper();
}

// Where a shape is drawn on the page: its box under its own rotation, in
// whole pixels even for a shape far off the page.
QRect drawnRect(const SketchShape *shape)
{
    return pixelRect(shape->rotation().mapRect(shape->boundingRect()));
}

} // namespace

// A page-sized picture with its background; a null picture for an empty
// paper. Premultiplied, as the raster painter paints fastest into that.
QImage SketchDocument::makePage(bool pngBackground) const
{
    if (m_paperSize.width() <= 0 || m_paperSize.height() <= 0)
        return QImage();
    QImage page(m_paperSize, QImage::Format_ARGB32_Premultiplied);
    if (page.isNull())
        return page;
    page.fill(Qt::transparent);
    QPainter painter(&page);
    paintBackground(&painter, QRectF(page.rect()), pngBackground);
    return page;
}

// PNG keeps whatever the paper brush leaves transparent; the other formats
// have no alpha, so a transparent paper becomes white there.
void SketchDocument::paintBackground(QPainter *painter, const QRectF &page, bool pngBackground) const
{
    if (!pngBackground && m_paperColor.isTransparent())
        painter->fillRect(page, Qt::white);
    else
        m_paperColor.fillRect(painter, page);
}

QPixmap SketchDocument::renderToPixmap(bool drawBorder, const QString &imageFormat)
{
    return QPixmap::fromImage(renderToImage(drawBorder, imageFormat));
}

QImage SketchDocument::renderToImage(bool drawBorder, const QString &imageFormat)
{
    return renderToImage(drawBorder, imageFormat, PageRenderer());
}

QImage SketchDocument::renderToImage(bool drawBorder, const QString &imageFormat, const PageRenderer &renderer)
{
    return renderFitted(visibleShapes(), drawBorder, imageFormat, renderer);
}

QPixmap SketchDocument::renderLayerToPixmap(int layerIndex, bool drawBorder, const QString &imageFormat)
{
    return QPixmap::fromImage(renderLayerToImage(layerIndex, drawBorder, imageFormat, PageRenderer()));
}

QImage SketchDocument::renderLayerToImage(int layerIndex, bool drawBorder, const QString &imageFormat,
                                          const PageRenderer &renderer)
{
    const bool inList = layerIndex >= 0 && layerIndex < m_layers.size();
    return renderFitted(inList ? m_layers.at(layerIndex)->shapes() : QList<SketchShape *>(), drawBorder,
                        imageFormat, renderer);
}

// The paper with its background and border, and the shapes fitted into it.
QImage SketchDocument::renderFitted(const QList<SketchShape *> &shapes, bool drawBorder,
                                    const QString &imageFormat, const PageRenderer &renderer)
{
    QImage page = makePage(normalizedFormat(imageFormat) == PngFormat);
    if (page.isNull())
        return page;
    const QRectF area(page.rect());
    if (drawBorder && !m_paperBorder.isInvisible()) {
        QPainter painter(&page);
        m_paperBorder.drawBorder(&painter, area, 1.0f);
    }
    QTransform fitted;
    float scale = 1.0f;
    if (!shapes.isEmpty() && fittedTransform(area, &fitted, &scale))
        renderer.paint(&page, shapes, fitted, scale);
    return page;
}

QPixmap SketchDocument::renderShapesToPixmap(const QList<SketchShape *> &shapes, bool drawBorder,
                                            const QString &imageFormat)
{
    return QPixmap::fromImage(renderShapesToImage(shapes, drawBorder, PageRenderer(), imageFormat == PngFormat));
}

QImage SketchDocument::renderShapesToImage(const QList<SketchShape *> &shapes, bool drawBorder,
                                           const PageRenderer &renderer, bool pngBackground)
{
    QImage page = makePage(pngBackground);
    if (page.isNull())
        return page;
    if (drawBorder) {
        QPainter painter(&page);
        QRectF edge(0.0, 0.0, page.width() - 1, page.height() - 1);
        m_paperBorder.strokeRect(&painter, edge, 1.0f);
    }
    if (shapes.isEmpty())
        return page;
    // At page scale, so that the cut below frames the shapes exactly.
    renderer.paint(&page, shapes, QTransform(), 1.0f);

    QRect crop;
    for (const SketchShape *shape : shapes)
        crop = crop.united(drawnRect(shape));
    crop = QRect(QPoint(crop.left() - 2, crop.top() - 2), QPoint(crop.right() + 2, crop.bottom() + 2));
    // Shapes that lie wholly off the page leave nothing to cut; copying an
    // empty rectangle would give the whole page instead.
    const QRect onPage = crop.intersected(page.rect());
    return onPage.isEmpty() ? QImage() : page.copy(onPage);
}

QList<QPixmap> SketchDocument::slicePixmaps()
{
    QList<QPixmap> images;
    const QImage page = renderToImage(false, PngFormat);
    if (page.isNull())
        return images;
    if (!m_sliceGrid)
        updateSliceGrid();
    bool any = false;
    const QList<SketchSlice *> slices = sortedSlices();
    for (const SketchSlice *slice : slices) {
        const QRect onPage = slice->rect().intersected(page.rect());
        // A slice with no area on the page keeps its place in the numbering.
        images.append(onPage.isEmpty() ? QPixmap() : QPixmap::fromImage(page.copy(onPage)));
        any = any || !onPage.isEmpty();
    }
    if (!any) {
        images.clear();
        images.append(QPixmap::fromImage(page));
    }
    return images;
}
