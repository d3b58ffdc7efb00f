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

QRect SketchTool::overlayArea() const
{
    return m_view ? m_view->rect() : QRect();
}

QRectF SketchTool::labelRect(const QString &text, float x, float y) const
{
    const QSize size = QFontMetrics(m_view->font()).size(0, text);
    return QRectF(x, y, size.width() + 5, size.height());
}

void SketchTool::drawLabel(QPainter *painter, const QString &text, float x, float y)
{
    if (text.isEmpty())
        return;
    const QRectF label = labelRect(text, x, y);
    painter->fillRect(label, Qt::gray);
    painter->setPen(Qt::black);
    painter->drawText(label.adjusted(2, 0, 0, 0), text, QTextOption(Qt::AlignLeft | Qt::AlignVCenter));
}

bool SketchTool::rectStatus(SketchShape *shape, QString *text, QPointF *corner) const
{
    const SketchDocumentView *view = documentView();
    if (!shape || !view || !shape->isSelected() || view->pressedButton() != Qt::LeftButton)
        return false;
    const QRectF bounds = shape->boundingRect();
    if (!(bounds.width() > 0 && bounds.height() > 0))
        return false;
    *text = shape->rectStatusText();
    const int textWidth = QFontMetrics(m_view->font()).size(0, *text).width();
    const qreal zoom = m_view->zoom();
    // Centred under the shape, 10 screen pixels below it, at every zoom.
    *corner = shape->mapToView(float(bounds.x() + (bounds.width() - textWidth / zoom) * 0.5),
                               float(bounds.y() + bounds.height() + 10 / zoom));
    return true;
}

bool SketchTool::pointStatus(SketchShape *shape, QString *text, QPointF *corner) const
{
    const SketchDocumentView *view = documentView();
    if (!shape || !view || !shape->isSelected() || shape->activeHandle() < SketchHandleFirstPoint
        || view->pressedButton() != Qt::LeftButton)
        return false;
    const int index = shape->activeHandle() - SketchHandleFirstPoint;
    if (index >= shape->pointCount())
        return false;
    const QRectF bounds = shape->boundingRect();
    if (!(bounds.width() > 0 && bounds.height() > 0))
        return false;
    const qreal zoom = m_view->zoom();
    *text = shape->pointStatusText(index);
    *corner = shape->mapToView(float(shape->pointX(index) + 10 / zoom), float(shape->pointY(index) - 20 / zoom));
    return true;
}

void SketchTool::drawStatus(Status status, QPainter *painter, SketchShape *shape)
{
    QString text;
    QPointF corner;
    if ((this->*status)(shape, &text, &corner))
        drawLabel(painter, text, float(corner.x()), float(corner.y()));
}

QRect SketchTool::statusArea(Status status, SketchShape *shape) const
{
    QString text;
    QPointF corner;
    if (!(this->*status)(shape, &text, &corner) || text.isEmpty())
        return QRect();
    return labelRect(text, float(corner.x()), float(corner.y())).toAlignedRect().adjusted(-1, -1, 1, 1);
}

void SketchTool::drawRectStatus(QPainter *painter, SketchShape *shape)
{
    drawStatus(&SketchTool::rectStatus, painter, shape);
}

void SketchTool::drawPointStatus(QPainter *painter, SketchShape *shape)
{
    drawStatus(&SketchTool::pointStatus, painter, shape);
}

QRect SketchTool::rectStatusArea(SketchShape *shape) const
{
    return statusArea(&SketchTool::rectStatus, shape);
}

QRect SketchTool::pointStatusArea(SketchShape *shape) const
{
    return statusArea(&SketchTool::pointStatus, shape);
}

QRect SketchTool::hoverOverlayArea(SketchShape *shape, const QRectF *marker, int reach) const
{
    const SketchDocumentView *view = documentView();
    if (!view)
        return QRect();
    if (view->pressedButton() != Qt::NoButton)
        return SketchTool::overlayArea();
    if (!shape || !marker)
        return QRect();
    const QRect area = view->shapeTransform(shape).mapRect(*marker).toAlignedRect();
    return area.adjusted(-reach, -reach, reach, reach);
}
