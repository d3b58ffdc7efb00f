// SketchDocument: rendering the page, a layer, some shapes and the slices to
// pixmaps for the image exports.
#include "model/sketchdocument.h"

#include "model/coordinates.h"
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

// A page-sized pixmap with its background, and a painter to go on with; a
// null pixmap for an empty paper.
QPixmap SketchDocument::makePage(bool pngBackground)
{
    if (m_paperSize.width() <= 0 || m_paperSize.height() <= 0)
        return QPixmap();
    QPixmap page(m_paperSize);
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
    QPixmap page = makePage(normalizedFormat(imageFormat) == PngFormat);
    if (page.isNull())
        return page;
    const QRectF area(page.rect());
    QPainter painter(&page);
    if (drawBorder && !m_paperBorder.isInvisible())
        m_paperBorder.drawBorder(&painter, area, 1.0f);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintThumbnail(&painter, area);
    painter.end();
    return page;
}

QPixmap SketchDocument::renderLayerToPixmap(int layerIndex, bool drawBorder, const QString &imageFormat)
{
    QPixmap page = makePage(normalizedFormat(imageFormat) == PngFormat);
    if (page.isNull())
        return page;
    const QRectF area(page.rect());
    QPainter painter(&page);
    if (drawBorder && !m_paperBorder.isInvisible())
        m_paperBorder.drawBorder(&painter, area, 1.0f);
    if (layerIndex >= 0 && layerIndex < m_layers.size()) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        paintShapesInRect(&painter, m_layers.at(layerIndex)->shapes(), area);
    }
    painter.end();
    return page;
}

QPixmap SketchDocument::renderShapesToPixmap(const QList<SketchShape *> &shapes, bool drawBorder,
                                            const QString &imageFormat)
{
    QPixmap page = makePage(imageFormat == PngFormat);
    if (page.isNull())
        return page;
    QPainter painter(&page);
    if (drawBorder) {
        QRectF edge(0.0, 0.0, page.width() - 1, page.height() - 1);
        m_paperBorder.strokeRect(&painter, edge, 1.0f);
    }
    if (shapes.isEmpty()) {
        painter.end();
        return page;
    }
    // At page scale, so that the cut below frames the shapes exactly.
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintShapes(&painter, shapes, QTransform(), 1.0f);
    painter.end();

    QRect crop;
    for (const SketchShape *shape : shapes)
        crop = crop.united(drawnRect(shape));
    crop = QRect(QPoint(crop.left() - 2, crop.top() - 2), QPoint(crop.right() + 2, crop.bottom() + 2));
    // Shapes that lie wholly off the page leave nothing to cut; copying an
    // empty rectangle would give the whole page instead.
    const QRect onPage = crop.intersected(page.rect());
    return onPage.isEmpty() ? QPixmap() : page.copy(onPage);
}

QList<QPixmap> SketchDocument::slicePixmaps()
{
    QList<QPixmap> images;
    const QPixmap page = renderToPixmap(false, PngFormat);
    if (page.isNull())
        return images;
    if (!m_sliceGrid)
        updateSliceGrid();
    bool any = false;
    const QList<SketchSlice *> slices = sortedSlices();
    for (const SketchSlice *slice : slices) {
        const QRect onPage = slice->rect().intersected(page.rect());
        // A slice with no area on the page keeps its place in the numbering.
        images.append(onPage.isEmpty() ? QPixmap() : page.copy(onPage));
        any = any || !onPage.isEmpty();
    }
    if (!any) {
        images.clear();
        images.append(page);
    }
    return images;
}
