#include "editor/sketchtooltext.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QMouseEvent>
#include <QPixmap>

namespace {

// Half the size of a new text box, in paper units.
constexpr qreal kHalfWidth = 100.0;
constexpr qreal kHalfHeight = 25.0;

} // namespace

SketchToolText::SketchToolText(SketchView *view)
    : SketchTool(view)
{
}

QCursor SketchToolText::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/Text.png")), 7, 2);
}

void SketchToolText::reset()
{
    if (SketchView *owner = view())
        owner->clearSelection();
}

void SketchToolText::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    SketchDocumentView *view = documentView();
    if (!view || !view->currentLayer())
        return;
    view->clearSelection();
    const QPointF c = view->mapToDocument(QPointF(qRound(event->localPos().x()), qRound(event->localPos().y())));

    auto *shape = new SketchShape(view->currentLayer());
    shape->setClosed(true);
    shape->setBehavior(SketchShapeBox);
    shape->setFill(SkinBrush::transparentBrush());
    shape->stroke().setBrush(SkinBrush::transparentBrush());
    shape->points().append(new SketchPoint(float(c.x() - kHalfWidth), float(c.y() - kHalfHeight)));
    shape->points().append(new SketchPoint(float(c.x() + kHalfWidth), float(c.y() - kHalfHeight)));
    shape->points().append(new SketchPoint(float(c.x() + kHalfWidth), float(c.y() + kHalfHeight)));
    shape->points().append(new SketchPoint(float(c.x() - kHalfWidth), float(c.y() + kHalfHeight)));
    shape->invalidateOutline();
    shape->setSelected(true);
    auto *command = new SketchCommandAdd(view, shape);
    view->commandManager()->push(command, QStringLiteral("addText"));

    // The select tool takes over first: switching tools closes the editor.
    // A box left without text by a cancelled first edit goes again.
    emit completed();
    view->beginNewShapeTextEdit(shape, command);
}
