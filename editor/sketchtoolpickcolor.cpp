#include "editor/sketchtoolpickcolor.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

SketchToolPickColor::SketchToolPickColor(SketchView *view, int target)
    : SketchTool(view),
      m_target(target)
{
}

QCursor SketchToolPickColor::cursor() const
{
    return QCursor(QPixmap(QStringLiteral(":/tools/images/ColorPicker.png")), 1, 14);
}

void SketchToolPickColor::mousePressEvent(QMouseEvent *event)
{
    SketchTool::mousePressEvent(event);
    m_color = QColor(0, 0, 0, 0);
    if (event->button() == Qt::LeftButton)
        m_color = colorAt(pressPos().toPoint());
}

void SketchToolPickColor::mouseReleaseEvent(QMouseEvent *event)
{
    SketchTool::mouseReleaseEvent(event);
    SketchDocumentView *view = documentView();
    if (view && event->button() == Qt::LeftButton && m_color.alpha() > 0) {
        view->setCurrentTool(SketchToolTypeSelect, true);
        switch (m_target) {
        case 0:
            emit view->gradientColorPicked(m_color);
            break;
        case 1:
            emit view->fillColorPicked(m_color);
            break;
        case 2:
            emit view->strokeColorPicked(m_color);
            break;
        default:
            break;
        }
    }
    emit completed();
}

QColor SketchToolPickColor::colorAt(QPoint pos) const
{
    SketchDocumentView *view = documentView();
    if (!view || view->width() < 1 || view->height() < 1)
        return QColor(0, 0, 0, 0);
    QImage image(view->width(), view->height(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const SkinBrush paper = view->paperColor();
        // A gradient paper spans the whole picture here, not just the paper.
        if (!paper.isTransparent())
            paper.fillRect(&painter, QRectF(0, 0, image.width(), image.height()));
        view->document()->paint(&painter, true);
    }
    // A click on the last column or row rounds onto the pixel past it; that
    // one reads the edge pixel rather than whatever lies outside the image.
    const int x = qBound(0, pos.x(), image.width() - 1);
    const int y = qBound(0, pos.y(), image.height() - 1);
    return QColor(image.pixel(x, y));
}
