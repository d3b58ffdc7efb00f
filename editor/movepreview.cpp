#include "editor/movepreview.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "model/coordinates.h"
#include "model/paintculling.h"
#include "model/sketchshape.h"

#include <QPainter>
#include <QSet>

bool MovePreview::Setting::operator==(const Setting &other) const
{
    return size == other.size && pixelRatio == other.pixelRatio && zoom == other.zoom
        && scrollX == other.scrollX && scrollY == other.scrollY && undoCount == other.undoCount
        && redoCount == other.redoCount && lastCommand == other.lastCommand;
}

MovePreview::MovePreview(SketchDocumentView *view, const QList<SketchShape *> &moving)
    : m_view(view)
{
    const QSet<SketchShape *> movingSet(moving.begin(), moving.end());
    const QList<SketchShape *> order = view->paintOrder();
    int highest = -1;
    for (int i = 0; i < order.size(); ++i) {
        if (movingSet.contains(order.at(i)))
            highest = i;
    }
    QList<SketchShape *> under;
    QList<SketchShape *> shapes;
    QList<SketchShape *> over;
    for (int i = 0; i < order.size(); ++i) {
        SketchShape *shape = order.at(i);
        if (movingSet.contains(shape))
            shapes.append(shape);
        else if (i < highest)
            under.append(shape);
        else
            over.append(shape);
    }
    for (SketchShape *shape : shapes)
        m_moving.append(shape);

    const QRect area = view->rect();
    auto picture = [&](const auto &paint) {
        QImage image = blankPicture();
        QPainter painter(&image);
        painter.setClipRect(area);
        paint(&painter);
        return image;
    };
    m_under = picture([&](QPainter *painter) {
        view->paintBackdrop(painter, area);
        view->paintShapes(painter, area, under);
    });
    m_over = picture([&](QPainter *painter) {
        view->paintShapes(painter, area, over);
        view->paintPaperBorder(painter);
    });
    paintMovingShapes();
    m_setting = currentSetting();
}

void MovePreview::paintMovingShapes()
{
    QList<SketchShape *> shapes;
    for (const QPointer<SketchShape> &shape : qAsConst(m_moving)) {
        if (shape)
            shapes.append(shape);
    }
    const QRect area = m_view->rect();
    m_shapes = blankPicture();
    QPainter painter(&m_shapes);
    painter.setClipRect(area);
    m_view->paintShapes(&painter, area, shapes);
    m_anchorAtShapes = anchor();
    m_reachAtShapes = movingReach();
}

QRect MovePreview::movingReach() const
{
    QRectF reach;
    for (const QPointer<SketchShape> &shape : m_moving) {
        if (shape)
            reach |= shapePaintBounds(shape, m_view->shapeTransform(shape));
    }
    return coveringPixelRect(reach);
}

QPoint MovePreview::shift() const
{
    // Mouse moves are whole pixels, so the shift is one too.
    return (anchor() - m_anchorAtShapes).toPoint();
}

bool MovePreview::fits() const
{
    if (m_moving.isEmpty() || !(currentSetting() == m_setting))
        return false;
    for (const QPointer<SketchShape> &shape : m_moving) {
        if (!shape || !shape->isSelected())
            return false;
    }
    return true;
}

void MovePreview::paint(QPainter *painter)
{
    // The moving shapes coming into view must be in their picture, which
    // covers the view as it was when it was painted.
    const QRect view = m_view->rect();
    const QRect shown = m_reachAtShapes.translated(shift()) & view;
    if (!shown.isEmpty() && !view.translated(shift()).contains(shown))
        paintMovingShapes();
    painter->resetTransform();
    painter->drawImage(QPointF(0.0, 0.0), m_under);
    painter->drawImage(QPointF(shift()), m_shapes);
    painter->drawImage(QPointF(0.0, 0.0), m_over);
}

MovePreview::Setting MovePreview::currentSetting() const
{
    Setting setting;
    setting.size = m_view->size();
    setting.pixelRatio = m_view->devicePixelRatioF();
    setting.zoom = m_view->zoom();
    setting.scrollX = m_view->scrollX();
    setting.scrollY = m_view->scrollY();
    const SketchCommandManager *manager = m_view->commandManager();
    setting.undoCount = manager->undoCount();
    setting.redoCount = manager->redoCount();
    setting.lastCommand = manager->lastCommand();
    return setting;
}

QImage MovePreview::blankPicture() const
{
    const qreal ratio = m_view->devicePixelRatioF();
    QImage picture(m_view->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    return picture;
}

QPointF MovePreview::anchor() const
{
    SketchShape *shape = m_moving.isEmpty() ? nullptr : m_moving.first().data();
    if (!shape)
        return QPointF();
    return m_view->shapeTransform(shape).map(shape->boundingRect().topLeft());
}
