#include "editor/sketchdocumentview.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/movepreview.h"
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
#include "model/coordinates.h"
#include "model/filehelpers.h"
#include "model/pagerenderer.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchslice.h"
#include "model/visibleshapes.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QFocusEvent>
#include <QScrollBar>
#include <QTextEdit>
#include <QWheelEvent>

namespace {

// The scroll range reaches this far beyond the paper's right and bottom.
constexpr int kScrollMargin = 50;
constexpr int kHorizontalPageStep = 100;
constexpr int kVerticalPageStep = 200;
// One wheel notch scrolls this far, whatever the wheel's delta.
constexpr int kWheelStep = 50;
// Up to this many shapes to paint, a drag repaints the page on every move.
constexpr int kLivePaintLimit = 150;
// The in-place editor is never smaller than this.
constexpr int kMinimumEditorWidth = 150;
constexpr int kMinimumEditorHeight = 80;

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
    m_fileStamp = FileStamp::ofPath(fileName);
    return true;
}

bool SketchDocumentView::openFile(const QString &fileName)
{
    // The history has to go before the document's objects are replaced (the
    // commands point into them), yet a file that cannot be read must leave
    // the view, history included, as it was: it goes once the file has been
    // read whole.
    FileStamp stamp;
    const bool read = m_document->loadFromFile(fileName, &stamp, [this, &fileName]() {
        // The editor's shape goes with the old document: its text is stored
        // while the shape is still there.
        endTextEdit(true);
        SketchView::openFile(fileName);
    });
    if (!read)
        return false;
    setFileName(fileName);
    m_fileStamp = stamp;
    setCurrentLayer(layers().isEmpty() ? nullptr : layers().last(), false);
    updateScrollBars();
    setCurrentTool(SketchToolTypeSelect, true);
    update();
    return true;
}

bool SketchDocumentView::isFileChangedElsewhere(const QString &fileName) const
{
    const QString own = this->fileName();
    if (own.isEmpty() || fileName.isEmpty())
        return false;
    const QFileInfo asked(fileName);
    const QFileInfo mine(own);
    const bool sameName = QDir::cleanPath(asked.absoluteFilePath()) == QDir::cleanPath(mine.absoluteFilePath())
        || (!asked.canonicalFilePath().isEmpty() && asked.canonicalFilePath() == mine.canonicalFilePath());
    // A folder in the file's place cannot be overwritten, only reported.
    if (!sameName || !asked.isFile())
        return false;
    const FileStamp now = FileStamp::ofPath(fileName);
    return !now.isNull() && now != m_fileStamp;
}

void SketchDocumentView::print(QPaintDevice *device)
{
    QPainter painter(device);
    if (!painter.isActive())
        return;
    // The printout is in paper units whatever the zoom and scrolling on
    // screen: the view part of each shape transform is taken out again.
    const QTransform toPaper = viewTransform().inverted();
    const QVector<PageRenderer::Entry> entries = PageRenderer::placed(
        m_document->visibleShapes(), [&](SketchShape *shape) { return shapeTransform(shape) * toPaper; });
    PageRenderer::Style style;
    style.antialiasingAsShapeAsks = true;
    PageRenderer::paintThrough(&painter, entries, style);
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
    m_newShapeCommand = nullptr;
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

void SketchDocumentView::beginNewShapeTextEdit(SketchShape *shape, SketchCommand *addCommand)
{
    beginTextEdit(shape);
    if (m_textEditShape == shape)
        m_newShapeCommand = addCommand;
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
