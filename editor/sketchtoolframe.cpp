#include "editor/sketchtoolframe.h"

#include "commands/sketchcommandcomposite.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "skin/windows/skinmessagebox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPixmap>

namespace {

// How far the red frame lies outside the target's box, in the target's own
// units (so it grows with the zoom, as does the pen).
constexpr qreal kTargetMargin = 10.0;

} // namespace

SketchToolFrame::SketchToolFrame(SketchView *view)
    : SketchTool(view)
{
}

QCursor SketchToolFrame::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/CursorArrow.png")), 0, 0);
}

SketchTool *SketchToolFrame::selectTool() const
{
    SketchDocumentView *view = documentView();
    return view ? view->tools().value(SketchToolTypeSelect) : nullptr;
}

void SketchToolFrame::setViewCursor(const QCursor &cursor)
{
    view()->setCursor(cursor);
}

// --- Press ------------------------------------------------------------------

void SketchToolFrame::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    if (SketchTool *select = selectTool())
        select->mousePressEvent(event);
    m_dragging = false;
    // A gesture whose release never came must not leave its target behind.
    m_target = nullptr;
    SketchDocumentView *view = documentView();
    if (view && view->pressedButton() == Qt::LeftButton && view->selectedUnlockedShapeCount() > 0) {
        m_dragging = true;
        setViewCursor(QCursor(QPixmap(QStringLiteral(":/tools/images/CursorDrag.png")), 0, 0));
    } else {
        setViewCursor(cursor());
    }
}

// --- Move -------------------------------------------------------------------

bool SketchToolFrame::mouseMoveEvent(QMouseEvent *event)
{
    SketchTool::mouseMoveEvent(event);
    if (!m_dragging) {
        SketchTool *select = selectTool();
        return select && select->mouseMoveEvent(event);
    }
    SketchDocumentView *view = documentView();
    if (!view)
        return false;
    const QPointF pos = currentPos();
    SketchShape *hit = view->shapeAt(float(pos.x()), float(pos.y()));
    if (hit && !acceptsFrames(hit))
        hit = nullptr;
    // Passing over the selection keeps the target it came from.
    if (hit == m_target || (hit && hit->isSelected()))
        return false;
    m_target = hit;
    return true;
}

// --- Release ----------------------------------------------------------------

void SketchToolFrame::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    // The select tool saw no move since its press, so it moves nothing and
    // records nothing.
    if (SketchTool *select = selectTool())
        select->mouseReleaseEvent(event);

    // The drag ends here whatever follows; the warning below runs a modal
    // loop, during which the tool must already be idle.
    SketchShape *target = m_target;
    const bool dragging = m_dragging;
    m_dragging = false;
    m_target = nullptr;
    setViewCursor(cursor());

    SketchDocumentView *view = documentView();
    if (!view || event->button() != Qt::LeftButton || !dragging || !target || target->isSelected()
        || !acceptsFrames(target))
        return;
    const QList<SketchShape *> candidates = view->editableSelectedShapesOfType(target->typeName());
    if (!candidates.isEmpty()) {
        addFrames(target, candidates);
        return;
    }
    if (view->selectedUnlockedShapeCount() > 0)
        SkinMessageBox::warning(view, tr("Warning"),
                                tr("The selected shapes don't match with the target shape.<br/>The basic shape "
                                   "only accepts basic shapes, and the group shape only accepts group shapes."),
                                SkinMessageBox::ButtonsOk);
}

void SketchToolFrame::addFrames(SketchShape *target, const QList<SketchShape *> &candidates)
{
    SketchDocumentView *view = documentView();
    // Taken before anything changes: the target's frame list included.
    auto *update = new SketchCommandUpdate(view, target);
    // The target's present look becomes frame 0.
    if (target->frames().isEmpty())
        target->appendFrame(frameCopy(target));
    for (SketchShape *shape : candidates)
        target->appendFrame(frameCopy(shape));
    target->setActiveHandle(SketchHandleInside);
    target->setSelected(true);

    // A source picked by one of its point handles still names that point:
    // removing it would take out the point (or, for a group, nothing) and
    // leave the shape on the page beside its new frame.
    for (SketchShape *shape : candidates)
        shape->setActiveHandle(SketchHandleInside);
    auto *remove = new SketchCommandRemove(view, candidates);
    view->commandManager()->push(new SketchCommandComposite(view, {update, remove}), QStringLiteral("addFrame"));
}

bool SketchToolFrame::acceptsFrames(const SketchShape *shape)
{
    const SketchLayer *layer = shape->layer();
    return !shape->isLocked() && layer && layer->isVisible() && !layer->isLocked();
}

SketchShape *SketchToolFrame::frameCopy(SketchShape *shape)
{
    SketchShape *copy = shape->clone(true);
    copy->setActiveHandle(SketchHandleNone);
    copy->setSelected(false);
    const QRectF bounds = copy->boundingRect();
    copy->translate(float(-bounds.x()), float(-bounds.y()));
    return copy;
}

// --- Double click, cancel, overlay ----------------------------------------------

void SketchToolFrame::mouseDoubleClickEvent(QMouseEvent *event)
{
    SketchTool::mouseDoubleClickEvent(event);
    if (SketchTool *select = selectTool())
        select->mouseDoubleClickEvent(event);
}

void SketchToolFrame::cancel()
{
    m_dragging = false;
    m_target = nullptr;
    SketchTool::cancel();
    if (SketchTool *select = selectTool())
        select->cancel();
}

void SketchToolFrame::paint(QPainter *painter)
{
    if (SketchTool *select = selectTool())
        select->paint(painter);
    SketchDocumentView *view = documentView();
    if (!m_target || !view)
        return;
    painter->save();
    painter->setTransform(view->shapeTransform(m_target));
    const QRectF box = m_target->boxRect(m_target->boundingRect());
    const qreal width = view->pressedButton() == Qt::LeftButton ? 2.0 : 1.0;
    painter->setPen(QPen(QBrush(Qt::red), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box.adjusted(-kTargetMargin, -kTargetMargin, kTargetMargin, kTargetMargin));
    painter->restore();
}
