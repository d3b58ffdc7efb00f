#include "model/visibleshapes.h"

#include "model/coordinates.h"
#include "model/occlusiongrid.h"
#include "model/paintculling.h"
#include "model/sketchshape.h"

namespace {

// The shape's whole reach and the part of it not hidden, empty for a shape
// wholly hidden.
QRect visibleArea(const VisibleShapes::Entry &entry, const OcclusionGrid &grid, QRect *reach)
{
    // The outline bounds cost no text layout; without a text or members
    // they hold everything the shape paints.
    const QRectF outlineBounds = shapeOutlineBounds(entry.shape, entry.transform);
    const QRect outline = grid.uncoveredBounds(outlineBounds);
    if (!outline.isEmpty() && entry.shape->text().isEmpty() && !entry.shape->isGroup()) {
        *reach = coveringPixelRect(outlineBounds);
        return outline;
    }
    const QRectF paintBounds = shapePaintBounds(entry.shape, entry.transform);
    *reach = coveringPixelRect(paintBounds);
    return grid.uncoveredBounds(paintBounds);
}

void markOpaque(const VisibleShapes::Entry &entry, OcclusionGrid &grid)
{
    // A turned rectangle would need a polygon test; it simply hides nothing.
    if (entry.transform.type() > QTransform::TxScale)
        return;
    const QRectF interior = entry.shape->opaqueInterior();
    if (interior.isEmpty())
        return;
    // Pixels along the edge are only partly covered when antialiased.
    grid.markOpaque(entry.transform.mapRect(interior).adjusted(1.0, 1.0, -1.0, -1.0));
}

} // namespace

VisibleShapes::VisibleShapes(const QRect &exposed)
    : m_exposed(exposed)
{
}

void VisibleShapes::offer(SketchShape *shape, const QTransform &transform)
{
    if (shapeMayPaintIn(shape, transform, QRectF(m_exposed)))
        m_entries.append({shape, transform, QRect(), QRect()});
}

QVector<VisibleShapes::Entry> VisibleShapes::unhidden() const
{
    OcclusionGrid grid(m_exposed);
    QVector<QRect> areas(m_entries.size());
    QVector<QRect> reaches(m_entries.size());
    for (int i = m_entries.size() - 1; i >= 0 && !grid.isFull(); --i) {
        areas[i] = visibleArea(m_entries.at(i), grid, &reaches[i]);
        if (!areas.at(i).isEmpty())
            markOpaque(m_entries.at(i), grid);
    }
    QVector<Entry> result;
    for (int i = 0; i < m_entries.size(); ++i) {
        if (!areas.at(i).isEmpty())
            result.append({m_entries.at(i).shape, m_entries.at(i).transform, areas.at(i), reaches.at(i)});
    }
    return result;
}
