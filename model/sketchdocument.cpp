// SketchDocument: life, queries, slices, painting, copies and the write-back
// of an edited group. The file is in sketchdocumentfile.cpp, the image
// renders in sketchdocumentrender.cpp.
#include "model/sketchdocument.h"

#include "editor/sketchdocumentview.h"
#include "model/pagerenderer.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"
#include "model/sketchslicegrid.h"

#include <QPainter>

namespace {

// Margin kept free around the paper when it is fitted into a rectangle.
constexpr qreal kFitMargin = 3.0;

bool anyShape(const SketchShape *)
{
    return true;
}

bool isSelectedShape(const SketchShape *shape)
{
    return shape->isSelected();
}

bool isSelectedUnlocked(const SketchShape *shape)
{
    return shape->isSelected() && !shape->isLocked();
}

bool isSelectedGroup(const SketchShape *shape)
{
    return shape->isSelected() && shape->isGroup();
}

bool isSelectedUnlockedGroup(const SketchShape *shape)
{
    return isSelectedUnlocked(shape) && shape->isGroup();
}

bool isSelectedBasic(const SketchShape *shape)
{
    return shape->isSelected() && !shape->isGroup();
}

bool isSelectedUnlockedBasic(const SketchShape *shape)
{
    return isSelectedUnlocked(shape) && !shape->isGroup();
}

QList<SketchShape *> innerShapes(const QList<SketchShape *> &shapes)
{
    QList<SketchShape *> inner;
    inner.reserve(shapes.size());
    for (SketchShape *shape : shapes)
        inner.append(shape->selectedShape());
    return inner;
}

QList<SketchGroup *> asGroups(const QList<SketchShape *> &shapes)
{
    QList<SketchGroup *> groups;
    for (SketchShape *shape : shapes) {
        if (shape && shape->isGroup())
            groups.append(static_cast<SketchGroup *>(shape));
    }
    return groups;
}

} // namespace

// --- Life --------------------------------------------------------------------

SketchDocument::SketchDocument(SketchDocumentView *view)
    : QObject(view),
      m_view(view),
      m_paperSize(SketchGlobals::defaultPaperSize),
      m_paperBorder(Qt::black, 1, SketchStrokeSquare)
{
    ++SketchGlobals::DocumentCount;
    m_layers.append(new SketchLayer(this, tr("Layer%1").arg(QStringLiteral("1"))));
}

SketchDocument::~SketchDocument()
{
    --SketchGlobals::DocumentCount;
    delete m_cachedImage;
    m_cachedImage = nullptr;
    delete m_sliceGrid;
    m_sliceGrid = nullptr;
    clearSlices();
    // The layers, and with them their shapes, go with the QObject base.
}

void SketchDocument::clearLayers()
{
    const QList<SketchLayer *> layers = m_layers;
    m_layers.clear();
    qDeleteAll(layers);
}

// --- Shape queries -----------------------------------------------------------

QList<SketchShape *> SketchDocument::collectShapes(bool visibleLayersOnly, bool unlockedLayersOnly,
                                                   bool (*take)(const SketchShape *)) const
{
    QList<SketchShape *> found;
    for (const SketchLayer *layer : m_layers) {
        if ((visibleLayersOnly && !layer->isVisible()) || (unlockedLayersOnly && layer->isLocked()))
            continue;
        for (SketchShape *shape : layer->shapes()) {
            if (take(shape))
                found.append(shape);
        }
    }
    return found;
}

int SketchDocument::countShapes(bool visibleLayersOnly, bool (*take)(const SketchShape *)) const
{
    int count = 0;
    for (const SketchLayer *layer : m_layers) {
        if (visibleLayersOnly && !layer->isVisible())
            continue;
        for (const SketchShape *shape : layer->shapes()) {
            if (take(shape))
                ++count;
        }
    }
    return count;
}

QList<SketchShape *> SketchDocument::shapes() const
{
    return collectShapes(false, false, anyShape);
}

int SketchDocument::shapeCount() const
{
    int count = 0;
    for (const SketchLayer *layer : m_layers)
        count += layer->shapes().size();
    return count;
}

bool SketchDocument::isEmpty() const
{
    return shapeCount() == 0;
}

QList<SketchShape *> SketchDocument::visibleShapes() const
{
    return collectShapes(true, false, anyShape);
}

QList<SketchShape *> SketchDocument::shapesFromTop() const
{
    QList<SketchShape *> found;
    for (int i = m_layers.size() - 1; i >= 0; --i)
        found += m_layers.at(i)->shapesFromTop();
    return found;
}

QList<SketchShape *> SketchDocument::selectedShapes() const
{
    return collectShapes(false, false, isSelectedShape);
}

int SketchDocument::selectedShapeCount() const
{
    return countShapes(false, isSelectedShape);
}

int SketchDocument::selectedUnlockedShapeCount() const
{
    return countShapes(true, isSelectedUnlocked);
}

QList<SketchShape *> SketchDocument::editableSelectedShapes() const
{
    return collectShapes(true, true, isSelectedUnlocked);
}

QList<SketchShape *> SketchDocument::editableSelectedShapesOfType(const QString &typeName) const
{
    QList<SketchShape *> found;
    const QList<SketchShape *> editable = editableSelectedShapes();
    for (SketchShape *shape : editable) {
        if (shape->typeName() == typeName)
            found.append(shape);
    }
    return found;
}

QList<SketchShape *> SketchDocument::editableSelectedInnerShapes() const
{
    return innerShapes(editableSelectedShapes());
}

QList<SketchShape *> SketchDocument::selectedInnerShapes() const
{
    return innerShapes(selectedShapes());
}

QList<SketchGroup *> SketchDocument::selectedGroups() const
{
    return asGroups(collectShapes(false, false, isSelectedGroup));
}

int SketchDocument::selectedGroupCount() const
{
    return countShapes(false, isSelectedGroup);
}

QList<SketchGroup *> SketchDocument::selectedUnlockedGroups() const
{
    return asGroups(collectShapes(true, false, isSelectedUnlockedGroup));
}

int SketchDocument::selectedUnlockedGroupCount() const
{
    return countShapes(true, isSelectedUnlockedGroup);
}

QList<SketchGroup *> SketchDocument::editableSelectedGroups() const
{
    return asGroups(editableSelectedInnerShapes());
}

QList<SketchShape *> SketchDocument::selectedBasicShapes() const
{
    return collectShapes(false, false, isSelectedBasic);
}

int SketchDocument::selectedBasicShapeCount() const
{
    return countShapes(false, isSelectedBasic);
}

QList<SketchShape *> SketchDocument::selectedUnlockedBasicShapes() const
{
    return collectShapes(true, false, isSelectedUnlockedBasic);
}

int SketchDocument::selectedUnlockedBasicShapeCount() const
{
    return countShapes(true, isSelectedUnlockedBasic);
}

// --- Slices ------------------------------------------------------------------

void SketchDocument::clearSlices()
{
    const QList<SketchSlice *> slices = m_slices + m_autoSlices;
    m_slices.clear();
    m_autoSlices.clear();
    qDeleteAll(slices);
}

QList<SketchSlice *> SketchDocument::selectedSlices(bool withAutoSlices) const
{
    QList<SketchSlice *> selected;
    for (SketchSlice *slice : m_slices) {
        if (slice->isSelected())
            selected.append(slice);
    }
    if (withAutoSlices) {
        for (SketchSlice *slice : m_autoSlices) {
            if (slice->isSelected())
                selected.append(slice);
        }
    }
    return selected;
}

QList<SketchSlice *> SketchDocument::sortedSlices() const
{
    QList<SketchSlice *> sorted;
    const QList<SketchSlice *> all = m_slices + m_autoSlices;
    sorted.reserve(all.size());
    for (SketchSlice *slice : all) {
        int at = 0;
        while (at < sorted.size() && sorted.at(at)->number() < slice->number())
            ++at;
        sorted.insert(at, slice);
    }
    return sorted;
}

void SketchDocument::updateSliceGrid()
{
    delete m_sliceGrid;
    m_sliceGrid = nullptr;
    const QList<SketchSlice *> oldAutoSlices = m_autoSlices;
    m_autoSlices.clear();
    qDeleteAll(oldAutoSlices);
    m_sliceGrid = SketchSliceGrid::build(m_paperSize, m_slices, this, &m_autoSlices);
}

// --- Painting ----------------------------------------------------------------

void SketchDocument::paint(QPainter *painter, bool showHandles)
{
    const QList<SketchShape *> shapes = visibleShapes();
    const QVector<PageRenderer::Entry> entries = m_view
        ? PageRenderer::placed(shapes, [this](SketchShape *shape) { return m_view->shapeTransform(shape); })
        : PageRenderer::placed(shapes, QTransform());
    PageRenderer::Style style;
    style.showHandles = showHandles;
    style.antialiasingAsShapeAsks = true;
    PageRenderer::paintThrough(painter, entries, style);
}

void SketchDocument::paintShapes(QPainter *painter, const QList<SketchShape *> &shapes, const QTransform &base,
                                 float zoom)
{
    PageRenderer::Style style;
    style.zoom = zoom;
    PageRenderer::paintThrough(painter, PageRenderer::placed(shapes, base), style);
}

void SketchDocument::paintShapesInRect(QPainter *painter, const QList<SketchShape *> &shapes, const QRectF &target)
{
    QTransform fitted;
    float scale = 1.0f;
    if (!shapes.isEmpty() && fittedTransform(target, &fitted, &scale))
        paintShapes(painter, shapes, fitted, scale);
}

bool SketchDocument::fittedTransform(const QRectF &target, QTransform *transform, float *scale) const
{
    if (!(target.width() > 0.0 && target.height() > 0.0) || m_paperSize.width() <= 0 || m_paperSize.height() <= 0
        || m_layers.isEmpty()) {
        return false;
    }
    const qreal w = target.width() - 2.0 * kFitMargin;
    const qreal h = target.height() - 2.0 * kFitMargin;
    *scale = float(qMin(w / m_paperSize.width(), h / m_paperSize.height()));
    const qreal tx = target.x() + kFitMargin + (w - m_paperSize.width() * qreal(*scale)) * 0.5;
    const qreal ty = target.y() + kFitMargin + (h - m_paperSize.height() * qreal(*scale)) * 0.5;
    *transform = QTransform(*scale, 0.0, 0.0, *scale, tx, ty);
    return true;
}

void SketchDocument::paintThumbnail(QPainter *painter, const QRectF &target)
{
    paintShapesInRect(painter, visibleShapes(), target);
}

void SketchDocument::buildCachedImage(const QSize &size, bool drawBorder)
{
    delete m_cachedImage;
    m_cachedImage = nullptr;
    if (size.width() < 1 || size.height() < 1)
        return;
    m_cachedImage = new QPixmap(size);
    if (m_cachedImage->isNull())
        return;
    const QRectF area(QPointF(0.0, 0.0), QSizeF(size));
    QPainter painter(m_cachedImage);
    m_paperColor.fillRect(&painter, area);
    painter.drawRect(QRectF(0.0, 0.0, size.width() - 2, size.height() - 2));
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintThumbnail(&painter, area);
    if (drawBorder) {
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_cachedImage->rect());
    }
}

void SketchDocument::clearCachedImage()
{
    buildCachedImage(QSize(-1, -1), false);
}

// --- Copies and group editing ------------------------------------------------

void SketchDocument::copyTo(SketchDocument *target) const
{
    if (!target || target == this)
        return;
    target->clearLayers();
    target->m_paperColor = m_paperColor;
    target->m_paperBorder = m_paperBorder;
    target->m_paperSize = m_paperSize;

    // The target's own slices are replaced; it owned them, and nothing else
    // holds a slice that is still in a document's list.
    const QList<SketchSlice *> oldSlices = target->m_slices;
    target->m_slices.clear();
    qDeleteAll(oldSlices);
    for (const SketchSlice *slice : m_slices) {
        SketchSlice *copy = new SketchSlice(target);
        slice->copyTo(copy);
        target->m_slices.append(copy);
    }

    for (const SketchLayer *layer : m_layers) {
        SketchLayer *copy = new SketchLayer(target);
        layer->copyTo(copy);
        target->m_layers.append(copy);
    }
}

SketchDocument *SketchDocument::clone() const
{
    if (!m_view)
        return nullptr;
    SketchDocument *copy = new SketchDocument(m_view);
    copyTo(copy);
    return copy;
}

void SketchDocument::writeShapesToGroup(SketchGroup *group) const
{
    if (!group)
        return;
    const QRectF oldBox = group->boundingRect();
    const float angle = group->rotateAngle();
    const QPointF pivot = group->rotatePoint();

    // The former members leave the list but stay children of the group: the
    // update command that recorded the group may still refer to them.
    group->shapes().clear();
    const QList<SketchShape *> edited = shapes();
    for (SketchShape *shape : edited) {
        SketchShape *copy = shape->clone(true);
        if (!copy)
            continue;
        copy->setGroup(group);
        copy->setLayer(group->layer());
        copy->setSelected(false);
        copy->setActiveHandle(SketchHandleNone);
        group->shapes().append(copy);
    }
    group->attachShapes();

    // The box keeps its top-left corner. The move is made in the group's own
    // coordinates, so neither the zoom nor any rotation of the view that
    // shows the group changes it.
    const QRectF newBox = group->boundingRect();
    group->translate(float(oldBox.left() - newBox.left()), float(oldBox.top() - newBox.top()));
    // The tab edits the members unrotated; the group turns them as before.
    if (angle != 0.0f) {
        group->setRotateAngle(angle);
        group->setRotatePoint(pivot);
    }
}
