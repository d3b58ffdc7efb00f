// The images of the colour and brush editors: the buttons of the RGB entry
// (accept, cancel, and the entry's own button), the add-stop cursor of the
// gradient bar, and the page icons of the brush editor.
//
// Accept and Cancel are tinted in the theme's icon colour, so they are
// one-colour silhouettes drawn without antialiasing (tinting would make
// soft edges solid). The RGB button and the page icons are shown as they
// are, in colours that read on the dark and the light themes alike.

#include "imagespec.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>

using namespace imagegen;

namespace {

const QColor chrome(210, 210, 210);
const QColor fillBlue(43, 120, 228);

// ---- RGB entry buttons, 16 x 16 ---------------------------------------------

void accept(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(chrome, 3.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(QPolygon({QPoint(3, 8), QPoint(6, 11), QPoint(12, 4)}));
}

void cancel(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(chrome, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawLine(QPoint(4, 4), QPoint(11, 11));
    p.drawLine(QPoint(11, 4), QPoint(4, 11));
}

// Three light discs added together: white where all three meet.
void rgb(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    const qreal r = 4.6;
    p.setBrush(QColor(230, 30, 30));
    p.drawEllipse(QPointF(5.6, 5.8), r, r);
    p.setBrush(QColor(30, 200, 40));
    p.drawEllipse(QPointF(10.4, 5.8), r, r);
    p.setBrush(QColor(40, 70, 240));
    p.drawEllipse(QPointF(8.0, 10.2), r, r);
}

// ---- Add-stop cursor, 16 x 16, hot spot (0, 0) ------------------------------

// A small arrow with a plus beside its tail: "a stop goes here".
void cursorAdd(QPainter& p)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPolygon arrow({QPoint(0, 0), QPoint(0, 11), QPoint(3, 8), QPoint(5, 12), QPoint(7, 11),
                          QPoint(5, 7), QPoint(8, 7)});
    p.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(paper);
    p.drawPolygon(arrow);
    const QPolygon plus({QPoint(11, 8), QPoint(13, 8), QPoint(13, 10), QPoint(15, 10), QPoint(15, 12),
                         QPoint(13, 12), QPoint(13, 14), QPoint(11, 14), QPoint(11, 12), QPoint(9, 12),
                         QPoint(9, 10), QPoint(11, 10)});
    p.drawPolygon(plus);
    p.restore();
    inkPixel(p, QPoint(0, 0));
}

// ---- Brush page icons, 19 x 12 ----------------------------------------------

// The fill inside a one-pixel dark frame.
std::function<void(QPainter&)> fillIcon(std::function<QBrush(const QRectF&)> brush)
{
    return [brush](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
        const QRect inside(1, 1, 17, 10);
        p.fillRect(inside, brush(QRectF(inside)));
        p.setPen(ink);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(0, 0, 18, 11));
    };
}

QBrush solidFill(const QRectF&)
{
    return fillBlue;
}

QBrush linearFill(const QRectF& r)
{
    QLinearGradient gradient(r.topLeft(), r.topRight());
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, fillBlue);
    return gradient;
}

QBrush radialFill(const QRectF& r)
{
    QRadialGradient gradient(r.center(), r.width() / 2);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(1.0, fillBlue);
    return gradient;
}

QBrush conicalFill(const QRectF& r)
{
    QConicalGradient gradient(r.center(), 0.0);
    gradient.setColorAt(0.0, Qt::white);
    gradient.setColorAt(0.5, fillBlue);
    gradient.setColorAt(1.0, Qt::white);
    return gradient;
}

// A tiny landscape: sky, sun, a green hill.
void imageFill(QPainter& p)
{
    fillIcon([](const QRectF&) { return QBrush(QColor(150, 200, 245)); })(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(QRect(13, 2, 2, 2));
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(QPolygon({QPoint(1, 10), QPoint(1, 8), QPoint(6, 4), QPoint(10, 7), QPoint(12, 6),
                            QPoint(17, 9), QPoint(17, 10)}));
}

std::vector<ImageSpec> controlImages()
{
    const QPoint none(-1, -1);
    const QSize button(16, 16);
    const QSize page(19, 12);
    return {
        {"widgets/images/Accept.png", button, none, accept},
        {"widgets/images/Cancel.png", button, none, cancel},
        {"widgets/images/RGB.png", button, none, rgb},
        {"widgets/images/CursorAdd.png", QSize(16, 16), QPoint(0, 0), cursorAdd},
        {"designs/images/FillSolid.png", page, none, fillIcon(solidFill)},
        {"designs/images/FillLinear.png", page, none, fillIcon(linearFill)},
        {"designs/images/FillRadial.png", page, none, fillIcon(radialFill)},
        {"designs/images/FillConical.png", page, none, fillIcon(conicalFill)},
        {"designs/images/FillImage.png", page, none, imageFill},
    };
}
const ImageSetRegistration registration(controlImages);

} // namespace
