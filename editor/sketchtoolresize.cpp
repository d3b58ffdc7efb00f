#include "editor/sketchtoolresize.h"

#include "commands/sketchcommandgroup.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandresizepaper.h"
#include "commands/sketchcommandungroup.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// The frame lies this far outside the selection, in paper units.
constexpr qreal kFrameMargin = 10.0;
// Handle squares, in paper units, centred half a unit off the frame line.
constexpr qreal kHandleSize = 5.0;
constexpr qreal kHandleOffset = 2.0;

enum Handle : int
{
    HandleRight = 3,
    HandleCorner = 4,
    HandleBottom = 5
};

bool isDragHandle(int handle)
{
    return handle == HandleRight || handle == HandleCorner || handle == HandleBottom;
}

QRectF handleSquare(qreal x, qreal y)
{
    return QRectF(x - kHandleOffset, y - kHandleOffset, kHandleSize, kHandleSize);
}

} // namespace

SketchToolResize::SketchToolResize(SketchView *view)
    : SketchTool(view)
{
    if (SketchDocumentView *documentView = this->documentView())
        connect(documentView, &SketchDocumentView::actionChanging, this, &SketchToolResize::viewActionChanging);
}

SketchToolResize::~SketchToolResize() = default;

QCursor SketchToolResize::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/CursorArrow.png")), 0, 0);
}

void SketchToolResize::reset()
{
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    takeBackGesture();
    m_activeHandle = -1;
    // A second reset in one activation starts over rather than leave the
    // first group behind as a permanent one.
    dissolveTemporaryGroup();
    // Only a current tool is ever left, and leaving is what dissolves the
    // group: a reset at any other time must not make one.
    if (view->currentToolType() == SketchToolTypeResize && view->canGroup()) {
        m_groupCommand = new SketchCommandGroup(view, view->editableSelectedShapes());
        view->commandManager()->push(m_groupCommand, QStringLiteral("GroupsForResize"));
    }
    m_frame = frameRect();
}

void SketchToolResize::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    m_ratio = 0.0f;
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    if (event->buttons() == Qt::RightButton) {
        emit completed();
        return;
    }
    if (event->buttons() != Qt::LeftButton)
        return;
    const QPointF p = view->mapToDocument(QPointF(qRound(event->localPos().x()), qRound(event->localPos().y())));
    m_activeHandle = hitHandle(QPointF(qRound(p.x()), qRound(p.y())));
    if (isDragHandle(m_activeHandle)) {
        takeBackGesture();
        if (!isShapeMode()) {
            const QSize size = view->paperSize();
            if (size.width() != 0)
                m_ratio = float(size.height()) / float(size.width());
            gesture().begin(new SketchCommandResizePaper(view, size.width(), size.height()));
        } else {
            if (m_frame.width() != 0)
                m_ratio = float(m_frame.height() / m_frame.width());
            gesture().begin(new SketchCommandUpdate(view, view->editableSelectedShapes()));
        }
    } else {
        // Off the handles the click belongs to the select tool.
        emit completed();
    }
    m_frame = frameRect();
}

bool SketchToolResize::mouseMoveEvent(QMouseEvent *event)
{
    SketchDocumentView *view = documentView();
    const int x = qRound(event->localPos().x());
    const int y = qRound(event->localPos().y());
    const QPointF last = currentPos();
    SketchTool::mouseMoveEvent(event);
    if (!view)
        return false;
    if (event->buttons() != Qt::LeftButton) {
        if (event->buttons() == Qt::NoButton) {
            const QPointF p = view->mapToDocument(QPointF(x, y));
            hitHandle(QPointF(qRound(p.x()), qRound(p.y())));
        }
        return false;
    }
    bool result = false;
    if (isDragHandle(m_activeHandle))
        result = applyDrag(float(x - last.x()), float(y - last.y()));
    else if (SketchTool *select = view->tools().value(SketchToolTypeSelect))
        result = select->mouseMoveEvent(event);
    m_frame = frameRect();
    return result;
}

void SketchToolResize::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    if (!isDragHandle(m_activeHandle)) {
        if (SketchTool *select = view->tools().value(SketchToolTypeSelect))
            select->mouseReleaseEvent(event);
    } else {
        m_activeHandle = -1;
        const bool paper = paperCommand() != nullptr;
        if (gesture().push(paper ? QStringLiteral("resizePaper") : QStringLiteral("resizeShapes")))
            view->onSketchChanged();
    }
    // No drag outlives its release.
    takeBackGesture();
    m_frame = frameRect();
}

void SketchToolResize::cancel()
{
    SketchDocumentView *view = documentView();
    // Only the drag is taken back; the temporary group goes when the view
    // leaves the tool, as it does on any other way out.
    takeBackGesture();
    m_activeHandle = -1;
    setCurrentPos(pressPos());
    if (!view) {
        SketchTool::cancel();
        return;
    }
    view->setCursor(cursor());
    // The select tool's cancel leaves this tool without replaying the press
    // as a click of its own, which would change the selection.
    if (SketchTool *select = view->tools().value(SketchToolTypeSelect))
        select->cancel();
    if (view->currentToolType() == SketchToolTypeResize)
        SketchTool::cancel();
}

void SketchToolResize::paint(QPainter *painter)
{
    SketchDocumentView *view = documentView();
    if (!view)
        return;
    if (!isShapeMode()) {
        if (SketchTool *select = view->tools().value(SketchToolTypeSelect))
            select->paint(painter);
    }
    painter->save();
    painter->setTransform(view->viewTransform());
    if (m_frame.width() > 0 && m_frame.height() > 0) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(Qt::DashLine);
        painter->drawRect(m_frame);
        painter->setPen(Qt::SolidLine);
    }
    const QList<QRectF> rects = handleRects();
    for (int i = 0; i < rects.size(); ++i) {
        const QRectF &rect = rects.at(i);
        if (!(rect.width() > 0 && rect.height() > 0))
            continue;
        painter->fillRect(rect, isDragHandle(i) ? Qt::white : Qt::gray);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect);
    }
    const QPointF at = currentPos() + QPointF(10, 10);
    if (gesture().isOpen() && !paperCommand()) {
        painter->resetTransform();
        const QString text = tr("Size: W=%1, H=%2")
                                 .arg(statusNumber(m_frame.width() - 2 * kFrameMargin),
                                      statusNumber(m_frame.height() - 2 * kFrameMargin));
        drawLabel(painter, text, float(at.x()), float(at.y()));
    }
    if (paperCommand()) {
        painter->resetTransform();
        const QSize size = view->paperSize();
        drawLabel(painter,
                  tr("Size: W=%1, H=%2").arg(QString::number(size.width()), QString::number(size.height())),
                  float(at.x()), float(at.y()));
    }
    painter->restore();
}

SketchGroup *SketchToolResize::temporaryGroup() const
{
    if (!m_groupCommand || !isOnUndoStack(m_groupCommand))
        return nullptr;
    SketchGroup *group = m_groupCommand->group();
    if (!group || group->group())
        return nullptr;
    SketchLayer *layer = group->layer();
    return layer && layer->shapes().contains(group) ? group : nullptr;
}

QList<QRectF> SketchToolResize::handleRects() const
{
    QList<QRectF> rects;
    for (int i = 0; i < 8; ++i)
        rects.append(QRectF());
    const SketchDocumentView *view = documentView();
    if (!view)
        return rects;
    if (isShapeMode()) {
        const QRectF &f = m_frame;
        // Nothing to stretch, nothing to hold.
        if (!(f.width() > 0 && f.height() > 0))
            return rects;
        rects[0] = handleSquare(f.x(), f.y());
        rects[2] = handleSquare(f.x() + f.width(), f.y());
        rects[3] = handleSquare(f.x() + f.width(), f.y() + f.height() * 0.5);
        rects[4] = handleSquare(f.x() + f.width(), f.y() + f.height());
        rects[5] = handleSquare(f.x() + f.width() * 0.5, f.y() + f.height());
        rects[6] = handleSquare(f.x(), f.y() + f.height());
    } else {
        // Just outside the paper's right and bottom edges.
        const QSize paper = view->paperRect().size();
        rects[3] = QRectF(paper.width() + 1, paper.height() / 2 - 2, kHandleSize, kHandleSize);
        rects[4] = QRectF(paper.width() + 1, paper.height() + 1, kHandleSize, kHandleSize);
        rects[5] = QRectF(paper.width() / 2 - 2, paper.height() + 1, kHandleSize, kHandleSize);
    }
    return rects;
}

void SketchToolResize::viewActionChanging()
{
    SketchDocumentView *view = documentView();
    if (!view || view->currentToolType() != SketchToolTypeResize)
        return;
    // A drag cut short by a change of tool is not kept half done.
    takeBackGesture();
    m_activeHandle = -1;
    dissolveTemporaryGroup();
}

bool SketchToolResize::isShapeMode() const
{
    const SketchDocumentView *view = documentView();
    return view && view->selectedUnlockedShapeCount() > 0;
}

QRectF SketchToolResize::frameRect() const
{
    SketchDocumentView *view = documentView();
    if (!view)
        return QRectF();
    const QRectF r = view->editableSelectionRect();
    if (r.width() > 0 && r.height() > 0)
        return r.adjusted(-kFrameMargin, -kFrameMargin, kFrameMargin, kFrameMargin);
    return r;
}

void SketchToolResize::resizeShapes(const QRectF &box, float dw, float dh)
{
    SketchDocumentView *view = documentView();
    if (!view || (dw == 0.0f && dh == 0.0f))
        return;
    const QList<SketchShape *> shapes = view->editableSelectedShapes();
    for (SketchShape *shape : shapes)
        shape->resize(box, dw, dh);
}

bool SketchToolResize::applyDrag(float dw, float dh)
{
    SketchDocumentView *view = documentView();
    if (!view)
        return false;
    if (isShapeMode()) {
        if (!gesture().isOpen() || paperCommand())
            return false;
        float w = 0.0f;
        float h = 0.0f;
        switch (m_activeHandle) {
        case HandleRight:
            w = dw;
            break;
        case HandleCorner:
            // The corner keeps the frame's proportions: the vertical movement
            // is not used.
            w = dw;
            h = dw * m_ratio;
            break;
        case HandleBottom:
            h = dh;
            break;
        default:
            return false;
        }
        const QRectF box = m_frame.adjusted(kFrameMargin, kFrameMargin, -kFrameMargin, -kFrameMargin);
        resizeShapes(box, w, h);
        return true;
    }

    SketchCommandResizePaper *command = paperCommand();
    if (!command)
        return false;
    const QSize size = view->paperSize();
    // The paper never shrinks below one unit in either direction.
    int width = size.width();
    int height = size.height();
    switch (m_activeHandle) {
    case HandleRight:
        width = qMax(1, width + int(dw));
        break;
    case HandleCorner:
        width = qMax(1, width + int(dw));
        height = qMax(1, int(float(width) * m_ratio));
        break;
    case HandleBottom:
        height = qMax(1, height + int(dh));
        break;
    default:
        return false;
    }
    view->setPaperSize(QSize(width, height));
    const QSize applied = view->paperSize();
    command->setNewSize(applied.width(), applied.height());
    return true;
}

int SketchToolResize::handleAt(const QPointF &p) const
{
    const QList<QRectF> rects = handleRects();
    for (int i = 0; i < rects.size(); ++i) {
        const QRectF &rect = rects.at(i);
        if (rect.width() > 0 && rect.height() > 0 && rect.contains(p))
            return i;
    }
    return -1;
}

int SketchToolResize::hitHandle(const QPointF &p)
{
    const int handle = handleAt(p);
    if (SketchView *view = this->view()) {
        switch (handle) {
        case HandleRight:
            view->setCursor(Qt::SizeHorCursor);
            break;
        case HandleCorner:
            view->setCursor(Qt::SizeFDiagCursor);
            break;
        case HandleBottom:
            view->setCursor(Qt::SizeVerCursor);
            break;
        default:
            view->setCursor(cursor());
            break;
        }
    }
    return handle;
}

SketchCommandResizePaper *SketchToolResize::paperCommand() const
{
    return dynamic_cast<SketchCommandResizePaper *>(gesture().command());
}

void SketchToolResize::dissolveTemporaryGroup()
{
    SketchGroup *group = temporaryGroup();
    m_groupCommand = nullptr;
    SketchDocumentView *view = documentView();
    if (!group || !view)
        return;
    view->commandManager()->push(new SketchCommandUnGroup(view, { group }), QStringLiteral("UnGroupForResize"));
}

bool SketchToolResize::isOnUndoStack(const SketchCommand *command) const
{
    const SketchView *view = this->view();
    return view && view->commandManager()->undoStack().contains(const_cast<SketchCommand *>(command));
}
