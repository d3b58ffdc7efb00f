#ifndef SUPPORT_VIEWPICTURES_H
#define SUPPORT_VIEWPICTURES_H

// Pictures of a document view to compare: what it paints for an exposed
// rectangle, what it shows on screen after the repaints it asked for, and
// the same page painted plainly, every shape whole and on one thread.

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "model/sketchstroke.h"
#include "model/skinbrush.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <QString>
#include <QWindow>

namespace viewpictures {

// Pixels no paint has touched.
const QRgb Unpainted = qRgb(255, 0, 255);

inline QImage blankImage(const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Unpainted);
    return image;
}

// A widget's painting of the exposed rectangle (widget pixels), laid into a
// widget-sized image. Children (the view's scroll bars) are left out: they
// are no part of the document's picture. Painted into an image of the
// exposed size, so that the painter works with an offset from the widget's
// origin, as it does for a child widget.
inline QImage widgetPicture(QWidget &widget, const QRect &exposed)
{
    QImage part = blankImage(exposed.size());
    widget.render(&part, QPoint(), QRegion(exposed), QWidget::DrawWindowBackground);
    QImage whole = blankImage(widget.size());
    QPainter painter(&whole);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(exposed.topLeft(), part);
    return whole;
}

// What a shown view puts on the screen now, its children included.
inline QImage shownPicture(QWidget &widget)
{
    QWindow *window = widget.window()->windowHandle();
    if (!window)
        return QImage();
    const QPoint origin = widget.mapTo(widget.window(), QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), origin.x(), origin.y(), widget.width(), widget.height())
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The view less its scroll bars and their corner.
inline QRect pageViewport(const SketchDocumentView &view)
{
    QRect viewport = view.rect();
    if (!view.verticalScrollBar()->isHidden())
        viewport.setRight(view.verticalScrollBar()->geometry().left() - 1);
    if (!view.horizontalScrollBar()->isHidden())
        viewport.setBottom(view.horizontalScrollBar()->geometry().top() - 1);
    return viewport;
}

// The page painted plainly into a picture of the view's size, as the view
// keeps its own: the backdrop (the view's own, with every layer hidden and
// no border), every visible shape whole, the paper border, then the handles
// of every selected shape over it all; clipped to the exposed rectangle.
inline QImage referencePicture(SketchDocumentView &view, const QRect &exposed)
{
    SketchDocument *document = view.document();
    const SketchStroke border = view.paperBorder();
    QList<bool> shown;
    for (SketchLayer *layer : document->layers()) {
        shown.append(layer->isVisible());
        layer->setVisible(false);
    }
    SketchStroke none = border;
    none.setBrush(SkinBrush::transparentBrush());
    view.setPaperBorder(none);
    QImage picture = widgetPicture(view, view.rect());
    view.setPaperBorder(border);
    for (int i = 0; i < shown.size(); ++i)
        document->layers().at(i)->setVisible(shown.at(i));

    picture.setDotsPerMeterX(qRound(view.logicalDpiX() / 0.0254));
    picture.setDotsPerMeterY(qRound(view.logicalDpiY() / 0.0254));
    QPainter painter(&picture);
    painter.setClipRect(exposed);
    document->paint(&painter, false);
    painter.resetTransform();
    const QSize paper = view.paperSize();
    const qreal z = view.zoom();
    const QRect visiblePaper(0, 0, qRound(view.scrollX() + paper.width() * z),
                             qRound(view.scrollY() + paper.height() * z));
    if (!visiblePaper.isEmpty() && !border.isInvisible())
        border.drawBorder(&painter, QRectF(visiblePaper), 1.0f);
    for (SketchShape *shape : document->visibleShapes()) {
        if (!shape->isSelected())
            continue;
        painter.setTransform(view.shapeTransform(shape));
        shape->paintHandles(&painter);
    }
    painter.end();
    // Outside the exposed rectangle as a render of it leaves the picture.
    QImage result = blankImage(view.size());
    QPainter copy(&result);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    copy.drawImage(exposed.topLeft(), picture, exposed);
    return result;
}

inline int channelGap(QRgb a, QRgb b)
{
    return qMax(qMax(qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b))),
                qMax(qAbs(qBlue(a) - qBlue(b)), qAbs(qAlpha(a) - qAlpha(b))));
}

// Empty when the pictures agree inside the area, channels up to `tolerance`
// levels apart; else how many pixels differ, where, and the first of them.
inline QString difference(const QImage &shown, const QImage &expected, const QRect &area, int tolerance = 0)
{
    if (shown.size() != expected.size())
        return QStringLiteral("pictures of different sizes");
    int count = 0;
    QRect where;
    QString first;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            if (channelGap(a, b) <= tolerance)
                continue;
            if (count == 0)
                first = QStringLiteral("first at (%1, %2): shown %3, expected %4")
                            .arg(x)
                            .arg(y)
                            .arg(a, 8, 16, QLatin1Char('0'))
                            .arg(b, 8, 16, QLatin1Char('0'));
            ++count;
            where |= QRect(x, y, 1, 1);
        }
    }
    if (count == 0)
        return QString();
    return QStringLiteral("%1 pixels differ within (%2, %3) %4 x %5; %6")
        .arg(count)
        .arg(where.x())
        .arg(where.y())
        .arg(where.width())
        .arg(where.height())
        .arg(first);
}

} // namespace viewpictures

#endif // SUPPORT_VIEWPICTURES_H
