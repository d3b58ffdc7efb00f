#include "editor/sketchdocumentview.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchtool.h"
#include "editor/sketchtoolbubble.h"
#include "editor/sketchtoolconnect.h"
#include "editor/sketchtoolcutoff.h"
#include "editor/sketchtoolellipse.h"
#include "editor/sketchtoolframe.h"
#include "editor/sketchtoolnone.h"
#include "editor/sketchtoolpath.h"
#include "editor/sketchtoolpickcolor.h"
#include "editor/sketchtoolpoint.h"
#include "editor/sketchtoolrect.h"
#include "editor/sketchtoolresize.h"
#include "editor/sketchtoolrotate.h"
#include "editor/sketchtoolselect.h"
#include "editor/sketchtoolslice.h"
#include "editor/sketchtooltext.h"
#include "editor/sketchtoolzoom.h"
#include "commands/sketchcommand.h"
#include "editor/movepreview.h"
#include "editor/pagerenderer.h"
#include "editor/paintculling.h"
#include "editor/visibleshapes.h"
#include "model/coordinates.h"
#include "model/filehelpers.h"
#include "model/imagehelpers.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QStyleOption>
#include <QTextEdit>
#include <QThreadPool>
#include <QWheelEvent>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The scroll range reaches this far beyond the paper's right and bottom.
constexpr int kScrollMargin = 50;
constexpr int kHorizontalPageStep = 100;
constexpr int kVerticalPageStep = 200;
// One wheel notch scrolls this far, whatever the wheel's delta.
constexpr int kWheelStep = 50;
constexpr int kGridSpacing = 25;
constexpr int kShadowSize = 5;
// Up to this many shapes to paint, a drag repaints the page on every move.
constexpr int kLivePaintLimit = 150;
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
// The in-place editor is never smaller than this.
constexpr int kMinimumEditorWidth = 150;
constexpr int kMinimumEditorHeight = 80;

QPointF roundedPos(const QPointF &pos)
{
    return QPointF(qRound(pos.x()), qRound(pos.y()));
}

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

SketchDocumentView::SketchDocumentView(QWidget *parent)
    : SketchView(parent),
      m_currentToolType(SketchToolTypeSelect)
{
    ++SketchGlobals::DocumentViewCount;
    // Every pixel is the view's own: a scroll moves them.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_document = new SketchDocument(this);
    m_currentLayer = m_document->layers().isEmpty() ? nullptr : m_document->layers().first();

    m_hScrollBar = new QScrollBar(Qt::Horizontal, this);
    m_hScrollBar->hide();
    m_vScrollBar = new QScrollBar(Qt::Vertical, this);
    m_vScrollBar->hide();
    m_scrollCorner = new QWidget(this);
    m_scrollCorner->setObjectName(QStringLiteral("ScrollCorner"));
    m_scrollCorner->hide();
    connect(m_hScrollBar, &QScrollBar::valueChanged, this, &SketchDocumentView::hScrollBarValueChanged);
    connect(m_vScrollBar, &QScrollBar::valueChanged, this, &SketchDocumentView::vScrollBarValueChanged);

    createTools();
}

SketchDocumentView::~SketchDocumentView()
{
    --SketchGlobals::DocumentViewCount;
    // The tools go while the document is still there: a gesture in
    // progress gives its shapes back their state as its tool goes.
    const QList<SketchTool *> tools = m_tools.values();
    m_tools.clear();
    qDeleteAll(tools);
}

void SketchDocumentView::createTools()
{
    m_tools.insert(SketchToolTypeNone, new SketchToolNone(this));
    m_tools.insert(SketchToolTypeSelect, new SketchToolSelect(this));
    m_tools.insert(SketchToolTypeRect, new SketchToolRect(this));
    m_tools.insert(SketchToolTypeEllipse, new SketchToolEllipse(this));
    m_tools.insert(SketchToolTypeBubble, new SketchToolBubble(this));
    m_tools.insert(SketchToolTypePath, new SketchToolPath(this));
    m_tools.insert(SketchToolTypeCornerPoint, new SketchToolPoint(this, false));
    m_tools.insert(SketchToolTypeSmoothPoint, new SketchToolPoint(this, true));
    m_tools.insert(SketchToolTypeCutoff, new SketchToolCutoff(this));
    m_tools.insert(SketchToolTypeConnect, new SketchToolConnect(this));
    m_tools.insert(SketchToolTypeRotate, new SketchToolRotate(this));
    m_tools.insert(SketchToolTypeZoomIn, new SketchToolZoom(this, true));
    m_tools.insert(SketchToolTypeZoomOut, new SketchToolZoom(this, false));
    m_tools.insert(SketchToolTypePickColor, new SketchToolPickColor(this, 0));
    m_tools.insert(SketchToolTypePickFillColor, new SketchToolPickColor(this, 1));
    m_tools.insert(SketchToolTypePickStrokeColor, new SketchToolPickColor(this, 2));
    m_tools.insert(SketchToolTypeSlice, new SketchToolSlice(this));
    m_tools.insert(SketchToolTypeText, new SketchToolText(this));
    m_tools.insert(SketchToolTypeResize, new SketchToolResize(this));
    m_tools.insert(SketchToolTypeFrame, new SketchToolFrame(this));
    for (SketchTool *tool : qAsConst(m_tools))
        connect(tool, &SketchTool::completed, this, &SketchDocumentView::actionCompleted);
}

// --- Document ----------------------------------------------------------------

QList<SketchLayer *> &SketchDocumentView::layers()
{
    return m_document->layers();
}

SketchLayer *SketchDocumentView::currentLayer() const
{
    return m_currentLayer.data();
}

void SketchDocumentView::setCurrentLayer(SketchLayer *layer, bool notify)
{
    if (layer == m_currentLayer)
        return;
    m_currentLayer = layer;
    if (notify)
        emit currentLayerChanged();
}

SketchDocument *SketchDocumentView::sourceDocument() const
{
    return m_sourceDocument.data();
}

void SketchDocumentView::setSourceDocument(SketchDocument *document)
{
    m_sourceDocument = document;
}

SketchGroup *SketchDocumentView::editedGroup() const
{
    return m_editedGroup.data();
}

void SketchDocumentView::setEditedGroup(SketchGroup *group)
{
    m_editedGroup = group;
}

QSize SketchDocumentView::paperSize() const
{
    return m_document->paperSize();
}

void SketchDocumentView::setPaperSize(const QSize &size)
{
    if (size == m_document->paperSize())
        return;
    m_document->setPaperSize(size);
    updateScrollBars();
    update();
}

SkinBrush SketchDocumentView::paperColor() const
{
    return m_document->paperColor();
}

void SketchDocumentView::setPaperColor(const SkinBrush &brush)
{
    if (brush == paperColor())
        return;
    m_document->setPaperColor(brush);
    update();
}

SketchStroke SketchDocumentView::paperBorder() const
{
    return m_document->paperBorder();
}

void SketchDocumentView::setPaperBorder(const SketchStroke &border)
{
    if (border == paperBorder())
        return;
    m_document->setPaperBorder(border);
    update();
}

QString SketchDocumentView::workId() const
{
    return m_document->workId();
}

void SketchDocumentView::setWorkId(const QString &text)
{
    m_document->setWorkId(text);
}

QString SketchDocumentView::workTitle() const
{
    return m_document->workTitle();
}

void SketchDocumentView::setWorkTitle(const QString &text)
{
    m_document->setWorkTitle(text);
}

QString SketchDocumentView::workTags() const
{
    return m_document->workTags();
}

void SketchDocumentView::setWorkTags(const QString &text)
{
    m_document->setWorkTags(text);
}

// --- Files -------------------------------------------------------------------

QString SketchDocumentView::fileSuffix() const
{
    return SketchGlobals::documentSuffix;
}

QString SketchDocumentView::fileFilter() const
{
    return tr("Storyloom Files(*%1)").arg(SketchGlobals::documentSuffix);
}

bool SketchDocumentView::saveFile(const QString &fileName)
{
    if (!m_document->saveToFile(fileName))
        return false;
    setFileName(fileName);
    return true;
}

bool SketchDocumentView::openFile(const QString &fileName)
{
    // The history has to go before the document's objects are replaced (the
    // commands point into them), yet a file that cannot be read must leave
    // the view, history included, as it was: it goes once the file has been
    // read whole.
    const bool read = m_document->loadFromFile(fileName, [this, &fileName]() {
        // The editor's shape goes with the old document: its text is stored
        // while the shape is still there.
        endTextEdit(true);
        SketchView::openFile(fileName);
    });
    if (!read)
        return false;
    setFileName(fileName);
    setCurrentLayer(layers().isEmpty() ? nullptr : layers().last(), false);
    updateScrollBars();
    setCurrentTool(SketchToolTypeSelect, true);
    update();
    return true;
}

void SketchDocumentView::print(QPaintDevice *device)
{
    QPainter painter(device);
    if (!painter.isActive())
        return;
    // The printout is in paper units whatever the zoom and scrolling on
    // screen: the view part of each shape transform is taken out again.
    const QTransform toPaper = viewTransform().inverted();
    for (SketchShape *shape : m_document->visibleShapes()) {
        painter.setTransform(shapeTransform(shape) * toPaper);
        painter.setRenderHint(QPainter::Antialiasing, shape->needsAntialiasing());
        shape->paint(&painter, 1.0f, false);
    }
}

// --- Document queries ----------------------------------------------------------

QList<SketchShape *> SketchDocumentView::shapes() const
{
    return m_document->shapes();
}

QList<SketchShape *> SketchDocumentView::shapesFromTop() const
{
    return m_document->shapesFromTop();
}

int SketchDocumentView::shapeCount() const
{
    return m_document->shapeCount();
}

QList<SketchShape *> SketchDocumentView::selectedShapes() const
{
    return m_document->selectedShapes();
}

int SketchDocumentView::selectedShapeCount() const
{
    return m_document->selectedShapeCount();
}

int SketchDocumentView::selectedUnlockedShapeCount() const
{
    return m_document->selectedUnlockedShapeCount();
}

QList<SketchShape *> SketchDocumentView::editableSelectedShapes() const
{
    return m_document->editableSelectedShapes();
}

QList<SketchShape *> SketchDocumentView::editableSelectedShapesOfType(const QString &typeName) const
{
    return m_document->editableSelectedShapesOfType(typeName);
}

QList<SketchShape *> SketchDocumentView::editableSelectedInnerShapes() const
{
    return m_document->editableSelectedInnerShapes();
}

QList<SketchShape *> SketchDocumentView::selectedInnerShapes() const
{
    return m_document->selectedInnerShapes();
}

QList<SketchGroup *> SketchDocumentView::selectedGroups() const
{
    return m_document->selectedGroups();
}

int SketchDocumentView::selectedGroupCount() const
{
    return m_document->selectedGroupCount();
}

QList<SketchGroup *> SketchDocumentView::selectedUnlockedGroups() const
{
    return m_document->selectedUnlockedGroups();
}

int SketchDocumentView::selectedUnlockedGroupCount() const
{
    return m_document->selectedUnlockedGroupCount();
}

QList<SketchGroup *> SketchDocumentView::editableSelectedGroups() const
{
    return m_document->editableSelectedGroups();
}

QList<SketchShape *> SketchDocumentView::selectedBasicShapes() const
{
    return m_document->selectedBasicShapes();
}

int SketchDocumentView::selectedBasicShapeCount() const
{
    return m_document->selectedBasicShapeCount();
}

QList<SketchShape *> SketchDocumentView::selectedUnlockedBasicShapes() const
{
    return m_document->selectedUnlockedBasicShapes();
}

int SketchDocumentView::selectedUnlockedBasicShapeCount() const
{
    return m_document->selectedUnlockedBasicShapeCount();
}

QList<SketchSlice *> SketchDocumentView::slices() const
{
    return m_document->slices();
}

QList<SketchSlice *> SketchDocumentView::sortedSlices() const
{
    return m_document->sortedSlices();
}

QList<SketchSlice *> SketchDocumentView::selectedSlices(bool withAutoSlices) const
{
    return m_document->selectedSlices(withAutoSlices);
}

QPixmap SketchDocumentView::renderToPixmap(bool drawBorder, const QString &imageFormat)
{
    return m_document->renderToPixmap(drawBorder, imageFormat);
}

QPixmap SketchDocumentView::renderLayerToPixmap(int layerIndex, bool drawBorder, const QString &imageFormat)
{
    return m_document->renderLayerToPixmap(layerIndex, drawBorder, imageFormat);
}

// --- Selection and what the main window may offer ------------------------------

bool SketchDocumentView::canCopy() const
{
    return selectedUnlockedShapeCount() > 0;
}

bool SketchDocumentView::canCut() const
{
    return selectedUnlockedShapeCount() > 0;
}

bool SketchDocumentView::canEditText() const
{
    return selectedShapeCount() == 1;
}

bool SketchDocumentView::canEditName() const
{
    return selectedShapeCount() == 1;
}

bool SketchDocumentView::canSelectAll() const
{
    return hasUsableLayer() && selectedShapeCount() < shapeCount();
}

bool SketchDocumentView::canSelectAllOfCurrentLayer() const
{
    const SketchLayer *layer = currentLayer();
    return hasUsableLayer() && layer->selectedCount() < layer->shapes().size();
}

bool SketchDocumentView::canUnGroup() const
{
    return selectedUnlockedGroupCount() > 0;
}

bool SketchDocumentView::canLock() const
{
    return selectedUnlockedShapeCount() > 0;
}

bool SketchDocumentView::canFlip() const
{
    return selectedUnlockedShapeCount() > 0;
}

bool SketchDocumentView::canAlignSelection() const
{
    return selectedUnlockedShapeCount() > 1;
}

bool SketchDocumentView::canPlaceSelection() const
{
    const SketchLayer *layer = currentLayer();
    if (!layer)
        return false;
    const int selected = layer->selectedCount();
    return selected > 0 && selected < layer->shapes().size();
}

bool SketchDocumentView::canCopyFormat() const
{
    return selectedShapeCount() == 1;
}

bool SketchDocumentView::canPasteFormat() const
{
    if (selectedShapeCount() == 0 || m_currentToolType == SketchToolTypeSlice || !hasUsableLayer())
        return false;
    return QApplication::clipboard()->text().startsWith(QLatin1String("<StoryloomClipboardFormat"));
}

bool SketchDocumentView::canInsertImage() const
{
    return m_currentToolType != SketchToolTypeSlice && hasUsableLayer();
}

bool SketchDocumentView::isOnLockedLayer(const SketchShape *shape)
{
    const SketchShape *outermost = shape->topLevelGroup();
    const SketchLayer *layer = (outermost ? outermost : shape)->layer();
    return layer && layer->isLocked();
}

void SketchDocumentView::changeShapeFrame(SketchShape *shape, int index)
{
    if (!shape || shape->frames().isEmpty() || index < 0 || index >= shape->frames().size()
        || isOnLockedLayer(shape))
        return;
    const bool selected = shape->isSelected();
    SketchShape *outermost = shape->topLevelGroup();
    auto *command = new SketchCommandUpdate(this, outermost ? outermost : shape);
    shape->setFrameIndex(index);
    if (selected) {
        for (SketchShape *level = shape; level; level = level->group()) {
            level->setActiveHandle(SketchHandleInside);
            level->setSelected(true);
        }
    }
    commandManager()->push(command, QStringLiteral("changeShapeFrame"));
}

// --- In-place text editing ------------------------------------------------------

void SketchDocumentView::setTextEditMode(int mode)
{
    m_textEditMode = mode > 0 ? 1 : 0;
}

SketchShape *SketchDocumentView::textEditShape() const
{
    return m_textEditShape.data();
}

void SketchDocumentView::beginTextEdit(SketchShape *shape)
{
    if (m_currentToolType == SketchToolTypeSlice)
        return;
    if (m_textEditMode == 0) {
        if (!shape || !shape->isClosed()) {
            m_textEditShape = nullptr;
            return;
        }
    } else if (!shape) {
        return;
    }
    m_textEditShape = shape;

    QRect area = pixelRect(shapeTransform(shape).mapRect(QRectF(pixelRect(shape->textRect()))));
    area.setWidth(qMax(area.width(), kMinimumEditorWidth));
    area.setHeight(qMax(area.height(), kMinimumEditorHeight));
    QTextEdit *editor = textEditor();
    editor->setPlainText(m_textEditMode == 0 ? shape->text() : shape->name());
    editor->setGeometry(area);
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

// --- Tools ---------------------------------------------------------------------

void SketchDocumentView::setCurrentTool(int type, bool notify)
{
    if (notify)
        emit actionChanging();
    // The resize tool hides every handle.
    const bool handlesToggled = (type == SketchToolTypeResize) != (m_currentToolType == SketchToolTypeResize);
    m_currentToolType = type;
    setFocus(Qt::OtherFocusReason);
    setCursor(toolCursor());
    m_hScrollBar->setCursor(Qt::ArrowCursor);
    m_vScrollBar->setCursor(Qt::ArrowCursor);
    m_scrollCorner->setCursor(Qt::ArrowCursor);
    endTextEdit(false);
    if (notify) {
        if (handlesToggled)
            update();
        else
            repaintChanges();
        emit actionChanged();
    }
}

bool SketchDocumentView::takeBackGesture()
{
    SketchTool *tool = currentTool();
    if (m_currentToolType != SketchToolTypeSelect) {
        if (tool)
            tool->cancel();
        return true;
    }
    if (tool)
        tool->takeBackGesture();
    return false;
}

QCursor SketchDocumentView::toolCursor() const
{
    const SketchLayer *layer = currentLayer();
    if (layer && (layer->isLocked() || !layer->isVisible()))
        return QCursor(Qt::ForbiddenCursor);
    const SketchTool *tool = currentTool();
    return tool ? tool->cursor() : QCursor(Qt::ArrowCursor);
}

void SketchDocumentView::actionCompleted()
{
    setCurrentTool(SketchToolTypeSelect, true);
    if (SketchTool *select = currentTool())
        select->reset();
    emit sketchChanged();
}

void SketchDocumentView::moveSelection(int dx, int dy)
{
    SketchTool *tool = currentTool();
    if (tool && tool->moveSelection(dx, dy))
        repaintChanges();
}

bool SketchDocumentView::hasUsableLayer() const
{
    const SketchLayer *layer = currentLayer();
    return layer && !layer->isLocked() && layer->isVisible();
}

bool SketchDocumentView::isHoverTool(int type) const
{
    switch (type) {
    case SketchToolTypeSelect:
    case SketchToolTypeCornerPoint:
    case SketchToolTypeSmoothPoint:
    case SketchToolTypeCutoff:
    case SketchToolTypeConnect:
        return true;
    default:
        return false;
    }
}

// --- Display ---------------------------------------------------------------------

void SketchDocumentView::setGridVisible(bool visible)
{
    if (visible == m_gridVisible)
        return;
    m_gridVisible = visible;
    update();
}

void SketchDocumentView::setAutoSliceVisible(bool visible)
{
    if (visible == m_autoSliceVisible)
        return;
    m_autoSliceVisible = visible;
    update();
}

// --- Zoom, scrolling and coordinates ---------------------------------------------

void SketchDocumentView::setZoom(float zoom)
{
    const float before = SketchView::zoom();
    SketchView::setZoom(zoom);
    if (SketchView::zoom() == before)
        return;
    // Everything shown is at another scale now.
    m_picture.invalidate();
    m_shown.forgetAreas();
    updateScrollBars();
}

void SketchDocumentView::setScrollX(int x, bool updateBar)
{
    x = qMin(x, 0);
    if (x == m_scrollX)
        return;
    m_scrollX = x;
    m_picture.invalidate();
    if (updateBar && !m_hScrollBar->isHidden()) {
        // The bar follows the offset without its signal writing back.
        m_hScrollBarFollows = false;
        m_hScrollBar->setValue(-x);
        m_hScrollBarFollows = true;
    }
}

void SketchDocumentView::setScrollY(int y, bool updateBar)
{
    y = qMin(y, 0);
    if (y == m_scrollY)
        return;
    m_scrollY = y;
    m_picture.invalidate();
    if (updateBar && !m_vScrollBar->isHidden()) {
        m_vScrollBarFollows = false;
        m_vScrollBar->setValue(-y);
        m_vScrollBarFollows = true;
    }
}

void SketchDocumentView::hScrollBarValueChanged(int value)
{
    if (m_hScrollBarFollows)
        scrollPageTo(-value, m_scrollY);
}

void SketchDocumentView::vScrollBarValueChanged(int value)
{
    if (m_vScrollBarFollows)
        scrollPageTo(m_scrollX, -value);
}

void SketchDocumentView::updateScrollBars()
{
    const QSize paper = paperSize();
    const double z = zoom();
    const int contentWidth = truncatedPixel(z * paper.width() + kScrollMargin);
    const int contentHeight = truncatedPixel(kScrollMargin + z * paper.height());

    if (width() < contentWidth) {
        m_hScrollBar->show();
        m_hScrollBar->setMaximum(contentWidth - width());
        m_hScrollBar->setPageStep(kHorizontalPageStep);
    } else {
        m_hScrollBar->hide();
        m_hScrollBar->setValue(0);
    }
    if (height() < contentHeight) {
        m_vScrollBar->show();
        m_vScrollBar->setMaximum(contentHeight - height());
        m_vScrollBar->setPageStep(kVerticalPageStep);
    } else {
        m_vScrollBar->hide();
        m_vScrollBar->setValue(0);
    }

    const bool both = !m_hScrollBar->isHidden() && !m_vScrollBar->isHidden();
    const int barHeight = m_hScrollBar->sizeHint().height();
    const int barWidth = m_vScrollBar->sizeHint().width();
    m_hScrollBar->setGeometry(0, height() - barHeight, width() - (both ? barWidth : 0), barHeight);
    m_vScrollBar->setGeometry(width() - barWidth, 0, barWidth, height() - (both ? barHeight : 0));
    m_scrollCorner->setGeometry(width() - barWidth, height() - barHeight, barWidth, barHeight);
    m_scrollCorner->setVisible(both);
}

QTransform SketchDocumentView::viewTransform() const
{
    const qreal z = zoom();
    return QTransform(z, 0.0, 0.0, z, m_scrollX, m_scrollY);
}

QPointF SketchDocumentView::mapToDocument(const QPointF &point) const
{
    const qreal z = zoom();
    return QPointF((point.x() - m_scrollX) / z, (point.y() - m_scrollY) / z);
}

QPointF SketchDocumentView::mapFromDocument(const QPointF &point) const
{
    const qreal z = zoom();
    return QPointF(m_scrollX + point.x() * z, m_scrollY + point.y() * z);
}

QTransform SketchDocumentView::shapeTransform(SketchShape *shape) const
{
    if (!shape)
        return viewTransform();
    QTransform transform;
    if (SketchShape *group = shape->group()) {
        // Members are stored relative to the top-left of their group's box.
        transform = shapeTransform(group);
        const QPointF origin = group->boundingRect().topLeft();
        transform.translate(origin.x(), origin.y());
    } else {
        transform = viewTransform();
    }
    return shape->rotation() * transform;
}

// --- Input -------------------------------------------------------------------

void SketchDocumentView::mousePressEvent(QMouseEvent *event)
{
    SketchView::mousePressEvent(event);
    m_toolPressed = false;
    m_lastPressPos = roundedPos(event->localPos());
    QTextEdit *editor = textEditor();
    if (event->button() == Qt::RightButton && !editor->isHidden()
        && editor->rect().contains(editor->mapFromGlobal(QCursor::pos())))
        return;
    setFocus(Qt::OtherFocusReason);
    m_pressedButton = event->button();
    if (!m_scrollCorner->isHidden() && m_scrollCorner->geometry().contains(m_lastPressPos.toPoint()))
        return;
    if (hasUsableLayer()) {
        m_armed = true;
        m_toolPressed = true;
        if (SketchTool *tool = currentTool())
            tool->mousePressEvent(event);
        repaintChanges();
    }
    if (event->button() == Qt::RightButton && contextMenu()
        && (m_currentToolType == SketchToolTypeNone || m_currentToolType == SketchToolTypeSelect))
        popupMenuInScreen(contextMenu(), QCursor::pos());
}

void SketchDocumentView::mouseReleaseEvent(QMouseEvent *event)
{
    SketchView::mouseReleaseEvent(event);
    m_pressedButton = Qt::NoButton;
    // A release belongs to the tool only when the tool saw its press: one
    // that started on the scroll corner, say, must not finish a gesture.
    const bool pressed = m_toolPressed;
    m_toolPressed = false;
    if (!pressed || !hasUsableLayer() || !m_armed)
        return;
    if (SketchTool *tool = currentTool())
        tool->mouseReleaseEvent(event);
    repaintChanges();
}

void SketchDocumentView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The QWidget handler treats the second click as a press (through
    // mousePressEvent above), so the tool sees a press before the double
    // click, and the release after it matches that press.
    SketchView::mouseDoubleClickEvent(event);
    if (!m_toolPressed || !hasUsableLayer() || !m_armed)
        return;
    if (SketchTool *tool = currentTool())
        tool->mouseDoubleClickEvent(event);
    repaintChanges();
}

void SketchDocumentView::mouseMoveEvent(QMouseEvent *event)
{
    SketchView::mouseMoveEvent(event);
    if (!hasUsableLayer())
        return;
    if (isHoverTool(m_currentToolType))
        m_armed = true;
    else if (!m_armed)
        return;
    SketchTool *tool = currentTool();
    if (tool && tool->mouseMoveEvent(event))
        repaintChanges();
}

void SketchDocumentView::wheelEvent(QWheelEvent *event)
{
    SketchView::wheelEvent(event);
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta == 0)
            return;
        const int type = delta > 0 ? SketchToolTypeZoomIn : SketchToolTypeZoomOut;
        if (auto *zoomTool = qobject_cast<SketchToolZoom *>(m_tools.value(type)))
            zoomTool->zoomStep(roundedPos(event->position()));
        update();
        return;
    }
    QScrollBar *bar = nullptr;
    if (!m_vScrollBar->isHidden())
        bar = m_vScrollBar;
    else if (!m_hScrollBar->isHidden())
        bar = m_hScrollBar;
    if (bar)
        bar->setValue(bar->value() + (delta > 0 ? -kWheelStep : kWheelStep));
}

void SketchDocumentView::keyPressEvent(QKeyEvent *event)
{
    SketchView::keyPressEvent(event);
    m_keyboardModifiers = event->modifiers();
    if (SketchTool *tool = currentTool())
        tool->keyPressEvent(event);
}

void SketchDocumentView::keyReleaseEvent(QKeyEvent *event)
{
    SketchView::keyReleaseEvent(event);
    m_keyboardModifiers = event->modifiers();
    if (SketchTool *tool = currentTool())
        tool->keyReleaseEvent(event);
}

void SketchDocumentView::resizeEvent(QResizeEvent *event)
{
    SketchView::resizeEvent(event);
    updateScrollBars();
    m_document->updateSliceGrid();
}

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
    QVector<PageRenderer::Entry> entries;
    entries.reserve(visible.size());
    for (const VisibleShapes::Entry &entry : visible)
        entries.append({entry.shape, entry.transform, entry.visibleArea});
    PageRenderer::Style style;
    style.antialiasingAsShapeAsks = true;
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
    paintVisibleShapes(painter, area, visible);
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
        QtConcurrent::blockingMap(bands, paintBand);
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

void SketchDocumentView::paintShapes(QPainter *painter, const QRect &exposed, const QList<SketchShape *> &shapes)
{
    paintVisibleShapes(painter, exposed, visibleShapes(exposed, shapes));
}

void SketchDocumentView::paintVisibleShapes(QPainter *painter, const QRect &exposed,
                                            const QVector<VisibleShapes::Entry> &visible)
{
    // Each shape is clipped to what it can still change, so the parts under
    // opaque shapes above cost no stroking or filling.
    for (const VisibleShapes::Entry &entry : visible) {
        painter->resetTransform();
        painter->setClipRect(entry.visibleArea);
        painter->setTransform(entry.transform);
        painter->setRenderHint(QPainter::Antialiasing, entry.shape->needsAntialiasing());
        entry.shape->paint(painter, 1.0f, false);
        painter->setRenderHint(QPainter::Antialiasing, false);
    }
    painter->resetTransform();
    painter->setClipRect(exposed);
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

// --- Moving many shapes --------------------------------------------------------

void SketchDocumentView::beginMovePreview(const QList<SketchShape *> &moving)
{
    m_movePreview.reset();
    if (moving.isEmpty())
        return;
    for (const SketchShape *shape : moving) {
        // Only whole shapes of a layer move as one picture.
        if (!shape || shape->group() || shape->activeHandle() > SketchHandleInside)
            return;
    }
    // A page that paints quickly is painted on every move, exactly.
    if (paintedShapeCount() <= kLivePaintLimit)
        return;
    m_movePreview = std::make_unique<MovePreview>(this, moving);
    // The preview shows everything until the drag ends, which paints the
    // whole page again.
    m_picture.release();
}

void SketchDocumentView::endMovePreview()
{
    if (!m_movePreview)
        return;
    m_movePreview.reset();
    update();
}
