#include "editor/sketchtool.h"

#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/sketchglobals.h"
#include "model/sketchshape.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>

SketchTool::SketchTool(SketchView *view)
    : QObject(view),
      m_view(view),
      m_gesture(view)
{
    ++SketchGlobals::ToolCount;
}

SketchTool::~SketchTool()
{
    --SketchGlobals::ToolCount;
}

SketchDocumentView *SketchTool::documentView() const
{
    return qobject_cast<SketchDocumentView *>(m_view);
}

QCursor SketchTool::cursor() const
{
    return QCursor(Qt::ArrowCursor);
}

void SketchTool::reset()
{
    m_pressPos = QPointF();
    m_currentPos = QPointF();
    m_dragPos = QPointF();
}

void SketchTool::mousePressEvent(QMouseEvent *event)
{
    const QPointF pos = roundedPos(event->localPos());
    m_pressPos = pos;
    m_currentPos = pos;
    if (event->button() == Qt::LeftButton)
        m_dragPos = pos;
}

bool SketchTool::mouseMoveEvent(QMouseEvent *event)
{
    m_currentPos = roundedPos(event->localPos());
    if (event->buttons() == Qt::LeftButton)
        m_dragPos = m_currentPos;
    return false;
}

void SketchTool::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    m_currentPos = m_pressPos;
}

void SketchTool::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
}

void SketchTool::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        cancel();
        m_view->update();
    }
}

void SketchTool::keyReleaseEvent(QKeyEvent *event)
{
    Q_UNUSED(event)
}

void SketchTool::cancel()
{
    m_gesture.takeBack();
    emit completed();
}

void SketchTool::takeBackGesture()
{
    m_gesture.takeBack();
}

void SketchTool::paint(QPainter *painter)
{
    Q_UNUSED(painter)
}

bool SketchTool::moveSelection(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return false;
    SketchDocumentView *view = documentView();
    if (!view)
        return false;
    const QList<SketchShape *> shapes = view->editableSelectedInnerShapes();
    if (shapes.isEmpty())
        return false;
    auto *command = new SketchCommandUpdate(view, shapes);
    for (SketchShape *shape : shapes)
        shape->moveHandle(float(dx), float(dy));
    view->commandManager()->push(command, QStringLiteral("moveSelection"));
    return true;
}

void SketchTool::drawLabel(QPainter *painter, const QString &text, float x, float y)
{
    if (text.isEmpty())
        return;
    const QSize size = QFontMetrics(m_view->font()).size(0, text);
    painter->fillRect(QRectF(x, y, size.width() + 5, size.height()), Qt::gray);
    painter->setPen(Qt::black);
    painter->drawText(QRectF(x + 2, y, size.width() + 3, size.height()), text,
                      QTextOption(Qt::AlignLeft | Qt::AlignVCenter));
}

void SketchTool::drawRectStatus(QPainter *painter, SketchShape *shape)
{
    const SketchDocumentView *view = documentView();
    if (!shape || !view || !shape->isSelected() || view->pressedButton() != Qt::LeftButton)
        return;
    const QRectF bounds = shape->boundingRect();
    if (!(bounds.width() > 0 && bounds.height() > 0))
        return;
    const QString text = shape->rectStatusText();
    const int textWidth = QFontMetrics(m_view->font()).size(0, text).width();
    const qreal zoom = m_view->zoom();
    // Centred under the shape, 10 screen pixels below it, at every zoom.
    const QPointF anchor = shape->mapToView(float(bounds.x() + (bounds.width() - textWidth / zoom) * 0.5),
                                            float(bounds.y() + bounds.height() + 10 / zoom));
    drawLabel(painter, text, float(anchor.x()), float(anchor.y()));
}

void SketchTool::drawPointStatus(QPainter *painter, SketchShape *shape)
{
    const SketchDocumentView *view = documentView();
    if (!shape || !view || !shape->isSelected() || shape->activeHandle() < SketchHandleFirstPoint
        || view->pressedButton() != Qt::LeftButton)
        return;
    const int index = shape->activeHandle() - SketchHandleFirstPoint;
    if (index >= shape->pointCount())
        return;
    const QRectF bounds = shape->boundingRect();
    if (!(bounds.width() > 0 && bounds.height() > 0))
        return;
    const qreal zoom = m_view->zoom();
    const QPointF anchor = shape->mapToView(float(shape->pointX(index) + 10 / zoom),
                                            float(shape->pointY(index) - 20 / zoom));
    drawLabel(painter, shape->pointStatusText(index), float(anchor.x()), float(anchor.y()));
}
