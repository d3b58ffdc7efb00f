// SketchDocumentView: painting the page from its kept picture, repainting
// only what changed, and scrolling by moving the pixels painted.
#include "editor/sketchdocumentview.h"

#include "commands/sketchcommand.h"
#include "editor/movepreview.h"
#include "editor/sketchtool.h"
#include "model/coordinates.h"
#include "model/imagehelpers.h"
#include "model/pagerenderer.h"
#include "model/paintculling.h"
#include "model/sharedtasks.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/visibleshapes.h"

#include <QEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QStyleOption>
#include <QTextEdit>
#include <QThreadPool>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kGridSpacing = 25;
constexpr int kShadowSize = 5;
// Beyond this many changed shapes, their areas are not worth finding: the
// whole view is repainted.
constexpr int kMostShapesRepaintedApart = 2000;
// Beyond this many areas to repaint, the box round them is repainted.
constexpr int kMostRepaintedAreas = 64;
// Each pass of a repaint walks every shape of the page: the parts of a
// region are painted in at most this many, and two parts go into one pass
// where that paints few pixels more than the two.
constexpr int kMostPaintPasses = 8;
constexpr qint64 kPixelsWorthAPass = 4096;
// A band of a repaint is at least this many rows high.
constexpr int kMinBandRows = 32;
// The theme's frame round the view is this wide at most.
constexpr int kPinnedMargin = 2;
// How far a handle reaches from its point on screen, its pen included.
constexpr qreal kHandleReach = 8.0;
// Fewer handles than this are drawn by one thread.
constexpr int kMinHandlesInBands = 64;

qint64 pixelCount(const QRect &rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

// The rectangles a region is painted in.
// The handles are drawn round the points and keep their size on screen.
QRect handleReach(const SketchShape *shape, const QTransform &transform)
{
    const QList<SketchPoint *> &points = shape->points();
    if (points.isEmpty())
        return QRect();
    qreal left = points.first()->x();
    qreal right = left;
    qreal top = points.first()->y();
    qreal bottom = top;
    for (const SketchPoint *point : points) {
        left = qMin(left, qreal(point->x()));
        right = qMax(right, qreal(point->x()));
        top = qMin(top, qreal(point->y()));
        bottom = qMax(bottom, qreal(point->y()));
    }
    const QRectF box = transform.mapRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
    return coveringPixelRect(box.adjusted(-kHandleReach, -kHandleReach, kHandleReach, kHandleReach));
}

// The bands of a repaint are rows of its area: a thin strip cut into bands
// would have each shape in it stroked once for every band.
PageRenderer bandedRenderer(const QRect &area, const QVector<PageRenderer::Entry> &entries)
{
    const PageRenderer automatic;
    if (!automatic.paintsInBands(area.size(), entries.size(), PageRenderer::reachedPixels(area, entries)))
        return PageRenderer(1, true);
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    return PageRenderer(qBound(1, area.height() / kMinBandRows, threads), true);
}

QVector<QRect> paintPasses(const QRegion &region)
{
    QVector<QRect> passes(region.begin(), region.end());
    for (;;) {
        int first = -1;
        int second = -1;
        qint64 leastGrowth = 0;
        for (int i = 0; i < passes.size(); ++i) {
            for (int j = i + 1; j < passes.size(); ++j) {
                const qint64 growth = pixelCount(passes.at(i) | passes.at(j)) - pixelCount(passes.at(i))
                    - pixelCount(passes.at(j));
                if (first < 0 || growth < leastGrowth) {
                    first = i;
                    second = j;
                    leastGrowth = growth;
                }
            }
        }
        if (first < 0)
            break;
        const qint64 worth = qMax(kPixelsWorthAPass, (pixelCount(passes.at(first)) + pixelCount(passes.at(second))) / 4);
        if (passes.size() <= kMostPaintPasses && leastGrowth > worth)
            break;
        passes[first] |= passes.at(second);
        passes.remove(second);
    }
    return passes;
}

} // namespace

// --- Events that change what is shown -----------------------------------------

void SketchDocumentView::changeEvent(QEvent *event)
{
    SketchView::changeEvent(event);
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
        m_picture.invalidate();
        update();
        break;
    default:
        break;
    }
}

void SketchDocumentView::focusInEvent(QFocusEvent *event)
{
    // What the view shows does not depend on its focus: the repaint that
    // QWidget makes of it is left out.
    event->accept();
}

void SketchDocumentView::focusOutEvent(QFocusEvent *event)
{
    event->accept();
}

void SketchDocumentView::hideEvent(QHideEvent *event)
{
    SketchView::hideEvent(event);
    m_picture.release();
    m_keepPicture = false;
}

// --- Painting ----------------------------------------------------------------

void SketchDocumentView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRegion exposed = event->region();
    if (m_movePreview && !m_movePreview->fits()) {
        // The preview's pictures showed the whole view: all of it goes.
        m_movePreview.reset();
        update();
    }
    const bool keepPicture = m_keepPicture;
    m_keepPicture = false;
    if (m_movePreview) {
        painter.setClipRegion(exposed);
        m_movePreview->paint(&painter);
        paintHandles(&painter, selectionHandles(exposed.boundingRect()));
    } else {
        const PageSetting setting = pageSetting();
        const bool whole = coversView(exposed);
        if ((whole && !keepPicture) || !(setting == m_pictureSetting)) {
            startAfresh();
            // What lies outside the exposed region shows the old setting.
            if (!whole)
                update();
        } else if (whole) {
            // The handles and the overlay are all drawn as they are now.
            m_shown.resetSelection(paintOrder());
            m_shownToolArea = QRect();
        }
        m_pictureSetting = setting;
        if (QImage *picture = pagePicture()) {
            const QRegion outdated = m_picture.outdatedPart(exposed);
            for (const QRect &area : paintPasses(outdated))
                paintIntoPicture(picture, area, outdated);
            m_picture.validate(outdated);
            showPicture(&painter, *picture, exposed);
        } else {
            for (const QRect &area : paintPasses(exposed))
                paintDirectly(&painter, area, exposed);
            painter.setClipRegion(exposed);
            paintHandles(&painter, selectionHandles(exposed.boundingRect()));
        }
    }
    painter.resetTransform();
    painter.setClipRegion(exposed);
    if (SketchTool *tool = currentTool()) {
        tool->paint(&painter);
        m_shownToolArea |= tool->overlayArea();
    }
}

QImage *SketchDocumentView::pagePicture()
{
    // The bands paint one image pixel per view pixel.
    if (devicePixelRatioF() != 1.0) {
        m_picture.release();
        return nullptr;
    }
    return m_picture.prepare(size(), logicalDpiX(), logicalDpiY());
}

void SketchDocumentView::paintIntoPicture(QImage *picture, const QRect &area, const QRegion &painted)
{
    {
        QPainter backdrop(picture);
        backdrop.setClipRect(area);
        paintBackdrop(&backdrop, area);
    }
    const QVector<VisibleShapes::Entry> visible = visibleShapes(area, paintOrder());
    recordPainted(visible, painted);
    const QVector<PageRenderer::Entry> entries = PageRenderer::entriesOf(visible);
    PageRenderer::Style style;
    style.antialiasingAsShapeAsks = true;
    style.keepsOutlines = keepsOutlinesWhenPainting();
    bandedRenderer(area, entries).paint(picture, entries, style);
    QPainter border(picture);
    border.setClipRect(area);
    paintPaperBorder(&border);
}

void SketchDocumentView::paintDirectly(QPainter *painter, const QRect &area, const QRegion &painted)
{
    painter->save();
    painter->setClipRect(area);
    paintBackdrop(painter, area);
    const QVector<VisibleShapes::Entry> visible = visibleShapes(area, paintOrder());
    recordPainted(visible, painted);
    paintVisibleShapes(painter, visible);
    paintPaperBorder(painter);
    painter->restore();
}

void SketchDocumentView::showPicture(QPainter *painter, const QImage &picture, const QRegion &exposed)
{
    const QVector<VisibleShapes::Entry> handles = selectionHandles(exposed.boundingRect());
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    if (handles.isEmpty()) {
        for (const QRect &area : exposed)
            painter->drawImage(area.topLeft(), picture, area);
    } else {
        // The handles go over a copy of the exposed part of the picture,
        // which stays the page alone.
        QImage shown(picture.size(), picture.format());
        shown.setDotsPerMeterX(picture.dotsPerMeterX());
        shown.setDotsPerMeterY(picture.dotsPerMeterY());
        const int bytesPerPixel = picture.depth() / 8;
        for (const QRect &area : exposed) {
            const QRect part = area & picture.rect();
            for (int y = part.top(); y <= part.bottom(); ++y)
                std::memcpy(shown.scanLine(y) + part.left() * bytesPerPixel,
                            picture.constScanLine(y) + part.left() * bytesPerPixel,
                            size_t(part.width()) * size_t(bytesPerPixel));
        }
        paintHandlesInBands(&shown, exposed, handles);
        for (const QRect &area : exposed)
            painter->drawImage(area.topLeft(), shown, area);
    }
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QVector<VisibleShapes::Entry> SketchDocumentView::selectionHandles(const QRect &area)
{
    QVector<VisibleShapes::Entry> handles;
    const QTransform view = viewTransform();
    for (SketchShape *shape : paintOrder()) {
        if (!shape->isSelected())
            continue;
        const QTransform transform = shape->isTurned() ? shapeTransform(shape) : view;
        const QRect reach = handleReach(shape, transform);
        if (!reach.intersects(area))
            continue;
        handles.append({shape, transform, reach & area, reach});
        m_shown.recordDrawnOver(shape, reach.translated(-m_scrollX, -m_scrollY));
    }
    return handles;
}

void SketchDocumentView::paintHandles(QPainter *painter, const QVector<VisibleShapes::Entry> &handles) const
{
    painter->save();
    for (const VisibleShapes::Entry &entry : handles) {
        painter->setTransform(entry.transform);
        entry.shape->paintHandles(painter);
    }
    painter->restore();
}

void SketchDocumentView::paintHandlesInBands(QImage *picture, const QRegion &exposed,
                                             const QVector<VisibleShapes::Entry> &handles) const
{
    // Detached here, once: each band paints its own rows of these pixels.
    uchar *bits = picture->bits();
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    const int count = handles.size() < kMinHandlesInBands ? 1 : qBound(1, picture->height() / kMinBandRows, threads);
    // Bands of about as many handles each: the paper may fill only part of
    // the view.
    std::vector<int> middles;
    middles.reserve(size_t(handles.size()));
    for (const VisibleShapes::Entry &entry : handles)
        middles.push_back(qBound(0, entry.reach.center().y(), picture->height()));
    std::sort(middles.begin(), middles.end());
    QVector<QRect> bands;
    int top = 0;
    for (int band = 1; band <= count; ++band) {
        const int bottom = band == count ? picture->height() : middles[middles.size() * size_t(band) / size_t(count)];
        if (bottom > top)
            bands.append(QRect(0, top, picture->width(), bottom - top));
        top = qMax(top, bottom);
    }
    const auto paintBand = [&](const QRect &rows) {
        QImage band(bits, picture->width(), picture->height(), picture->bytesPerLine(), picture->format());
        QPainter painter(&band);
        painter.setClipRegion(exposed & rows);
        for (const VisibleShapes::Entry &entry : handles) {
            if (!entry.reach.intersects(rows))
                continue;
            painter.setTransform(entry.transform);
            entry.shape->paintHandles(&painter);
        }
    };
    if (bands.size() == 1)
        paintBand(bands.first());
    else
        SharedTasks::run(QThreadPool::globalInstance(), bands.size(), [&](int index) { paintBand(bands.at(index)); });
}

void SketchDocumentView::recordPainted(const QVector<VisibleShapes::Entry> &visible, const QRegion &painted)
{
    // Kept in page pixels, which a scroll leaves as they are.
    const QPoint toPage(-m_scrollX, -m_scrollY);
    const QRegion exposed = painted.translated(toPage);
    for (const VisibleShapes::Entry &entry : visible)
        m_shown.recordPainted(entry.shape, entry.reach.translated(toPage), exposed);
}

void SketchDocumentView::startAfresh()
{
    m_picture.invalidate();
    m_shown.forgetAreas();
    m_shown.resetSelection(paintOrder());
    m_shownToolArea = QRect();
}

bool SketchDocumentView::coversView(const QRegion &region) const
{
    QRegion covered = region;
    for (QObject *child : children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !widget->isWindow() && widget->isVisible())
            covered += widget->geometry();
    }
    return (QRegion(rect()) - covered).isEmpty();
}

bool SketchDocumentView::PageSetting::operator==(const PageSetting &other) const
{
    return size == other.size && zoom == other.zoom && scrollX == other.scrollX && scrollY == other.scrollY
        && grid == other.grid && handlesHidden == other.handlesHidden && paper == other.paper
        && paperColor == other.paperColor && paperBorder == other.paperBorder && layers == other.layers;
}

SketchDocumentView::PageSetting SketchDocumentView::pageSetting() const
{
    PageSetting setting;
    setting.size = size();
    setting.zoom = zoom();
    setting.scrollX = m_scrollX;
    setting.scrollY = m_scrollY;
    setting.grid = m_gridVisible;
    setting.handlesHidden = m_currentToolType == SketchToolTypeResize;
    setting.paper = paperSize();
    setting.paperColor = paperColor();
    setting.paperBorder = paperBorder();
    for (const SketchLayer *layer : m_document->layers())
        setting.layers.append({layer, layer->isVisible()});
    return setting;
}

QRect SketchDocumentView::visiblePaperRect() const
{
    const QSize paper = paperSize();
    const qreal z = zoom();
    return QRect(0, 0, roundedPixel(m_scrollX + paper.width() * z), roundedPixel(m_scrollY + paper.height() * z));
}

void SketchDocumentView::paintBackdrop(QPainter *painter, const QRect &exposed)
{
    // The view paints every pixel itself (its pixels are moved on scrolls):
    // its own background goes first, then the theme's style sheet colours
    // the area around the paper.
    painter->fillRect(exposed, palette().brush(backgroundRole()));
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, painter, this);

    const QRect visiblePaper = visiblePaperRect();
    drawDropShadow(painter, visiblePaper, kShadowSize);
    if (visiblePaper.isEmpty())
        return;
    paintPaper(painter, visiblePaper);
    if (m_gridVisible)
        paintGrid(painter, visiblePaper, exposed);
}

void SketchDocumentView::paintPaperBorder(QPainter *painter)
{
    const QRect visiblePaper = visiblePaperRect();
    painter->resetTransform();
    if (!visiblePaper.isEmpty())
        paperBorder().drawBorder(painter, QRectF(visiblePaper), 1.0f);
}

void SketchDocumentView::paintPaper(QPainter *painter, const QRect &paper)
{
    const SkinBrush color = paperColor();
    if (color.isTransparent())
        SkinBrush::whiteBrush().fillRect(painter, QRectF(paper));
    else
        color.fillRect(painter, QRectF(paper));
}

void SketchDocumentView::paintGrid(QPainter *painter, const QRect &paper, const QRect &exposed)
{
    painter->setPen(Qt::lightGray);
    const int right = qMin(paper.width(), exposed.right() + 1);
    const int bottom = qMin(paper.height(), exposed.bottom() + 1);
    for (int x = kGridSpacing; x < right; x += kGridSpacing) {
        if (x >= exposed.left())
            painter->drawLine(x, paper.top(), x, paper.bottom());
    }
    for (int y = kGridSpacing; y < bottom; y += kGridSpacing) {
        if (y >= exposed.top())
            painter->drawLine(paper.left(), y, paper.right(), y);
    }
}

QList<SketchShape *> SketchDocumentView::paintOrder() const
{
    QList<SketchShape *> shapes;
    for (const SketchLayer *layer : m_document->layers()) {
        if (layer->isVisible())
            shapes.append(layer->shapes());
    }
    return shapes;
}

QVector<VisibleShapes::Entry> SketchDocumentView::visibleShapes(const QRect &area,
                                                                const QList<SketchShape *> &shapes) const
{
    VisibleShapes visible(area);
    // Most shapes sit straight on their layer, under the view's own
    // transform: made once, it is not built anew for each of them.
    const QTransform view = viewTransform();
    for (SketchShape *shape : shapes)
        visible.offer(shape, shape->group() || shape->isTurned() ? shapeTransform(shape) : view);
    return visible.unhidden();
}

int SketchDocumentView::paintedShapeCount() const
{
    return visibleShapes(rect(), paintOrder()).size();
}

// Magnified, the view shows few shapes and repaints them again and again
// as it scrolls: their outlines are worth keeping then.
bool SketchDocumentView::keepsOutlinesWhenPainting() const
{
    return zoom() > 1.0f;
}

void SketchDocumentView::paintShapes(QPainter *painter, const QRect &exposed, const QList<SketchShape *> &shapes)
{
    paintVisibleShapes(painter, visibleShapes(exposed, shapes));
}

void SketchDocumentView::paintVisibleShapes(QPainter *painter, const QVector<VisibleShapes::Entry> &visible)
{
    // Each shape is clipped to what it can still change, so the parts under
    // opaque shapes above cost no stroking or filling.
    PageRenderer::Style style;
    style.antialiasingAsShapeAsks = true;
    style.keepsOutlines = keepsOutlinesWhenPainting();
    PageRenderer::paintThrough(painter, PageRenderer::entriesOf(visible), style);
}

// --- Repainting what changed ------------------------------------------------------

void SketchDocumentView::onSelectionChanged()
{
    repaintChanges();
    SketchView::onSelectionChanged();
}

void SketchDocumentView::repaintChanges()
{
    // The preview's pictures show the whole view, cheaply.
    if (m_movePreview) {
        update();
        return;
    }
    QList<SketchShape *> handles;
    QList<SketchShape *> members;
    QVector<QRect> gone;
    m_shown.takeSelectionChanges(paintOrder(), &handles, &members, &gone);
    for (QRect &area : gone)
        area.translate(m_scrollX, m_scrollY);
    repaintPageAreas(gone);
    // Members show their handles inside their group, on the page.
    repaintShapes(members);
    // The shapes' own handles are drawn over the page, which stays as it
    // is.
    QVector<QRect> overlays;
    if (handles.size() > kMostShapesRepaintedApart)
        overlays.append(rect());
    else
        appendShapeAreas(handles, &overlays);
    // A tool that paints anywhere may have changed anything, now or since
    // it was last shown.
    const SketchTool *tool = currentTool();
    const QRect toolArea = tool ? tool->overlayArea() : QRect();
    const bool toolMayEdit = toolArea.contains(rect()) || m_shownToolArea.contains(rect());
    overlays << m_shownToolArea << toolArea;
    m_shownToolArea = toolArea;
    if (toolMayEdit)
        repaintAll();
    else
        repaintOverlayAreas(overlays);
}

void SketchDocumentView::repaintShapes(const QList<SketchShape *> &shapes)
{
    if (shapes.isEmpty())
        return;
    if (m_movePreview || shapes.size() > kMostShapesRepaintedApart) {
        repaintAll();
        return;
    }
    QVector<QRect> areas;
    appendShapeAreas(shapes, &areas);
    repaintPageAreas(areas);
}

void SketchDocumentView::repaintHistoryStep(const SketchCommand *command)
{
    QList<SketchShape *> shapes;
    if (command && command->collectChangedShapes(&shapes))
        repaintShapes(shapes);
    else
        repaintAll();
}

void SketchDocumentView::repaintAll()
{
    m_picture.invalidate();
    update();
}

void SketchDocumentView::appendShapeAreas(const QList<SketchShape *> &shapes, QVector<QRect> *areas) const
{
    QSet<const SketchShape *> done;
    for (SketchShape *shape : shapes) {
        SketchShape *outermost = shape->topLevelGroup();
        if (outermost)
            shape = outermost;
        if (done.contains(shape))
            continue;
        done.insert(shape);
        areas->append(shownArea(shape));
        areas->append(presentArea(shape));
    }
}

QRect SketchDocumentView::shownArea(const SketchShape *shape) const
{
    return m_shown.paintedArea(shape).translated(m_scrollX, m_scrollY);
}

QRect SketchDocumentView::presentArea(SketchShape *shape) const
{
    return coveringPixelRect(shapePaintBounds(shape, shapeTransform(shape)) & QRectF(rect()));
}

bool SketchDocumentView::gatherAreas(const QVector<QRect> &areas, QVector<QRect> *parts) const
{
    const QRect view = rect();
    qint64 pixels = 0;
    QRect bounds;
    for (const QRect &area : areas) {
        const QRect part = area & view;
        if (part.isEmpty())
            continue;
        parts->append(part);
        bounds |= part;
        pixels += pixelCount(part);
    }
    if (parts->size() > kMostRepaintedAreas) {
        *parts = {bounds};
        pixels = pixelCount(bounds);
    }
    // Beyond this, one repaint of everything costs less than the pieces.
    return pixels * 2 <= pixelCount(view);
}

void SketchDocumentView::repaintPageAreas(const QVector<QRect> &areas)
{
    QVector<QRect> parts;
    if (!gatherAreas(areas, &parts)) {
        repaintAll();
        return;
    }
    for (const QRect &part : qAsConst(parts)) {
        m_picture.invalidate(part);
        update(part);
    }
}

void SketchDocumentView::repaintOverlayAreas(const QVector<QRect> &areas)
{
    QVector<QRect> parts;
    if (!gatherAreas(areas, &parts)) {
        // The whole view, from the picture as far as it is up to date.
        m_keepPicture = true;
        update();
        return;
    }
    for (const QRect &part : qAsConst(parts))
        update(part);
}

// --- Scrolling ---------------------------------------------------------------------

void SketchDocumentView::scrollPageTo(int x, int y)
{
    const int dx = x - m_scrollX;
    const int dy = y - m_scrollY;
    if (dx == 0 && dy == 0)
        return;
    const bool moves = scrollsPixels(dx, dy);
    m_scrollX = x;
    m_scrollY = y;
    if (!moves) {
        repaintAll();
        return;
    }
    m_picture.scroll(dx, dy);
    m_pictureSetting.scrollX = x;
    m_pictureSetting.scrollY = y;
    const QRect viewport = pageViewport();
    scroll(dx, dy, viewport);
    // What stays in its place on the view while the page moves is painted
    // again where it is and where the moved pixels took a copy of it.
    for (const QRect &pinned : pinnedStrips(viewport, dx, dy)) {
        for (const QRect &strip : {pinned, pinned.translated(dx, dy)}) {
            m_picture.invalidate(strip);
            update(strip);
        }
    }
    // So is the tool's overlay, drawn in view pixels.
    update(m_shownToolArea);
    update(m_shownToolArea.translated(dx, dy));
}

QVector<QRect> SketchDocumentView::pinnedStrips(const QRect &viewport, int dx, int dy) const
{
    // The paper's border and shadow start at the view's top-left corner
    // where the paper reaches past it; the theme's frame runs round the
    // view. Along the way the page moves, each of them is the same
    // everywhere.
    const int reach = qMax(paperBorder().width(), 0) + kShadowSize + kPinnedMargin;
    QVector<QRect> strips;
    if (dy != 0) {
        strips.append(QRect(viewport.left(), viewport.top(), viewport.width(), reach));
        if (m_hScrollBar->isHidden())
            strips.append(QRect(viewport.left(), viewport.bottom() - kPinnedMargin + 1, viewport.width(), kPinnedMargin));
    }
    if (dx != 0) {
        strips.append(QRect(viewport.left(), viewport.top(), reach, viewport.height()));
        if (m_vScrollBar->isHidden())
            strips.append(QRect(viewport.right() - kPinnedMargin + 1, viewport.top(), kPinnedMargin, viewport.height()));
    }
    return strips;
}

bool SketchDocumentView::scrollsPixels(int dx, int dy) const
{
    if (m_picture.isNull() || m_movePreview || m_gridVisible || !textEditor()->isHidden())
        return false;
    if (qAbs(dx) >= width() || qAbs(dy) >= height())
        return false;
    // A gradient or picture spans the visible paper, which a scroll changes.
    const SkinBrush paper = paperColor();
    if (!paper.isTransparent() && paper.type() != SkinBrushSolid)
        return false;
    if (paperBorder().brush().type() != SkinBrushSolid)
        return false;
    const SketchTool *tool = currentTool();
    return !tool || !tool->overlayArea().contains(rect());
}

QRect SketchDocumentView::pageViewport() const
{
    QRect viewport = rect();
    if (!m_vScrollBar->isHidden())
        viewport.setRight(m_vScrollBar->geometry().left() - 1);
    if (!m_hScrollBar->isHidden())
        viewport.setBottom(m_hScrollBar->geometry().top() - 1);
    return viewport;
}
