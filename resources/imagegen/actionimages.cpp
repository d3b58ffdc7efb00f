// The 16 x 16 images of the main window's menu and tool-bar actions.
//
// The window tints every action icon in the theme's icon colour, painting
// each pixel that is not fully transparent opaque. So the drawings are
// one-colour silhouettes whose pixels are either opaque or transparent:
// what must read as "inside" is a hole, never a lighter colour, and no edge
// pixel is half covered (tinted, it would come out as a bump).

#include "imagespec.h"

#include <functional>

using namespace imagegen;

namespace {

const QSize iconSize(16, 16);

using Drawing = std::function<void(QPainter&)>;

// ---- Drawing vocabulary (in a scratch painter whose brush is the glyph) ----

// A hollow box that hides what lies behind it.
void hollowBox(QPainter& p, int x, int y, int w, int h)
{
    clear(p, x, y, w, h);
    frame(p, x, y, w, h);
}

void solidBox(QPainter& p, int x, int y, int w, int h)
{
    clear(p, x - 1, y - 1, w + 2, h + 2);
    fill(p, x, y, w, h);
}

void stroke(QPainter& p, const QPainterPath& path, qreal width,
            Qt::PenCapStyle cap = Qt::FlatCap)
{
    p.save();
    p.setPen(QPen(glyph, width, Qt::SolidLine, cap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

// The same drawing mirrored left to right, or top to bottom.
Drawing mirrored(const Drawing& drawing, bool horizontally)
{
    return [drawing, horizontally](QPainter& p) {
        if (horizontally)
            p.setTransform(QTransform(-1, 0, 0, 1, iconSize.width(), 0), true);
        else
            p.setTransform(QTransform(1, 0, 0, -1, 0, iconSize.height()), true);
        drawing(p);
    };
}

// The same drawing turned a quarter to the right about the centre.
Drawing turned(const Drawing& drawing)
{
    return [drawing](QPainter& p) {
        p.setTransform(QTransform(0, 1, -1, 0, iconSize.width(), 0), true);
        drawing(p);
    };
}

// ---- File -------------------------------------------------------------------

void page(QPainter& p)
{
    stroke(p, polygonPath({px(3, 1), px(9, 1), px(13, 5), px(13, 14), px(3, 14)}), 1.0);
    QPainterPath fold;
    fold.moveTo(px(9, 1));
    fold.lineTo(px(9, 5));
    fold.lineTo(px(13, 5));
    stroke(p, fold, 1.0);
}

void newFile(QPainter& p)
{
    page(p);
    // A spark in the corner: the page is new.
    fill(p, 5, 9, 5, 1);
    fill(p, 7, 7, 1, 5);
}

void open(QPainter& p)
{
    QPainterPath back;
    back.moveTo(px(1, 13));
    back.lineTo(px(1, 2));
    back.lineTo(px(5, 2));
    back.lineTo(px(7, 4));
    back.lineTo(px(12, 4));
    back.lineTo(px(12, 6));
    stroke(p, back, 1.0);
    // The front of the folder, swung open.
    area(p, polygonPath({{4, 7}, {16, 7}, {13, 14}, {1, 14}}));
}

void save(QPainter& p)
{
    stroke(p, polygonPath({px(1, 1), px(12, 1), px(14, 3), px(14, 14), px(1, 14)}), 1.0);
    // The shutter with its window, and the label with two lines of writing.
    fill(p, 4, 1, 7, 5);
    clear(p, 8, 2, 2, 3);
    frame(p, 3, 8, 10, 7);
    fill(p, 5, 10, 6, 1);
    fill(p, 5, 12, 6, 1);
}

void print(QPainter& p)
{
    frame(p, 4, 1, 8, 5);
    p.drawRoundedRect(QRectF(1, 5, 14, 7), 1.5, 1.5);
    clear(p, 12, 7, 1, 1);
    hollowBox(p, 4, 9, 8, 6);
    fill(p, 6, 11, 4, 1);
}

// ---- Undo and redo ------------------------------------------------------------

// A hooked arrow: from the lower left round the right back to the upper
// left, where it points.
void undo(QPainter& p)
{
    QPainterPath hook;
    hook.moveTo(5, 6);
    hook.lineTo(9, 6);
    hook.cubicTo(15, 6, 15, 14, 9, 14);
    hook.lineTo(6, 14);
    stroke(p, hook, 2.0);
    area(p, polygonPath({{0.5, 6}, {6, 1}, {6, 11}}));
}

// ---- Shape order --------------------------------------------------------------
// The selection is the solid box; the hollow ones are the shapes it passes.

void bringForward(QPainter& p)
{
    frame(p, 1, 6, 9, 9);
    solidBox(p, 6, 1, 9, 9);
}

void sendBackward(QPainter& p)
{
    fill(p, 1, 6, 9, 9);
    hollowBox(p, 6, 1, 9, 9);
}

void bringToFront(QPainter& p)
{
    frame(p, 1, 9, 7, 7);
    hollowBox(p, 5, 5, 7, 7);
    solidBox(p, 9, 1, 7, 7);
}

void sendToBack(QPainter& p)
{
    fill(p, 1, 9, 7, 7);
    hollowBox(p, 5, 5, 7, 7);
    hollowBox(p, 9, 1, 7, 7);
}

// ---- Alignment ----------------------------------------------------------------

// Two bars of different length against a common edge on the left.
void alignLeft(QPainter& p)
{
    fill(p, 1, 0, 1, 16);
    fill(p, 3, 3, 11, 3);
    fill(p, 3, 10, 7, 3);
}

// Two hollow bars centred on a common axis that runs through them.
void alignCenter(QPainter& p)
{
    fill(p, 7, 0, 2, 16);
    frame(p, 2, 3, 12, 4);
    frame(p, 4, 9, 8, 4);
}

// ---- Flipping -----------------------------------------------------------------

// A solid triangle and its outlined mirror image across a dotted axis.
void flipHorizontal(QPainter& p)
{
    for (int y = 0; y < 16; y += 2)
        fill(p, 7, y, 2, 1);
    area(p, polygonPath({{0, 13}, {6, 2}, {6, 13}}));
    stroke(p, polygonPath({px(10, 12), px(10, 3), px(15, 12)}), 1.0);
}

// ---- Groups -------------------------------------------------------------------

void squareAndDisc(QPainter& p, int squareAt, int discAt, int side)
{
    frame(p, squareAt, squareAt, side, side);
    clear(p, discAt - 1, discAt - 1, side + 2, side + 2);
    p.drawEllipse(QRectF(discAt, discAt, side, side));
}

// The grouping box: handles in the corners, joined by a dotted line.
void groupBox(QPainter& p)
{
    for (int i = 3; i < 13; i += 2) {
        fill(p, i, 0, 1, 1);
        fill(p, i, 15, 1, 1);
        fill(p, 0, i, 1, 1);
        fill(p, 15, i, 1, 1);
    }
    for (const QPoint corner : {QPoint(0, 0), QPoint(13, 0), QPoint(0, 13), QPoint(13, 13)})
        fill(p, corner.x(), corner.y(), 3, 3);
}

void group(QPainter& p)
{
    groupBox(p);
    squareAndDisc(p, 3, 7, 6);
}

void unGroup(QPainter& p)
{
    squareAndDisc(p, 0, 9, 7);
}

void editGroup(QPainter& p)
{
    groupBox(p);
    frame(p, 3, 3, 6, 6);
    // A pencil writing towards the lower left, cut free of what lies under it.
    QPainterPath pencil;
    pencil.moveTo(14.5, 5.5);
    pencil.lineTo(7, 13);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    stroke(p, pencil, 5.0);
    p.restore();
    stroke(p, pencil, 3.0);
    area(p, polygonPath({{8.5, 14.5}, {5.5, 11.5}, {4, 16}}));
}

// ---- Locking ------------------------------------------------------------------

void padlock(QPainter& p, bool closed)
{
    QPainterPath shackle;
    if (closed) {
        shackle.moveTo(5, 8);
        shackle.lineTo(5, 5);
        shackle.arcTo(QRectF(5, 1, 6, 8), 180, -180);
        shackle.lineTo(11, 8);
        stroke(p, shackle, 2.0);
        fill(p, 2, 7, 12, 8);
        clear(p, 7, 9, 2, 3);
        return;
    }
    // The body moved left, the shackle standing open on its right end.
    shackle.moveTo(9, 8);
    shackle.lineTo(9, 4);
    shackle.arcTo(QRectF(9, 1, 5, 6), 180, -180);
    shackle.lineTo(14, 6);
    stroke(p, shackle, 2.0);
    fill(p, 0, 7, 11, 8);
    clear(p, 4, 9, 2, 3);
}

std::vector<ImageSpec> actionImages()
{
    const QPoint none(-1, -1);
    const auto spec = [&](const char* name, const Drawing& drawing) {
        return ImageSpec{QStringLiteral("actions/images/%1.png").arg(QLatin1String(name)),
                         iconSize, none, [drawing](QPainter& p) { crispGlyph(p, iconSize, glyph, drawing); }};
    };
    const Drawing alignTop = turned(mirrored(alignLeft, false));
    return {
        spec("NewFile", newFile),
        spec("Open", open),
        spec("Save", save),
        spec("Print", print),
        spec("Undo", undo),
        spec("Redo", mirrored(undo, true)),
        spec("BringForward", bringForward),
        spec("SendBackward", sendBackward),
        spec("BringToFront", bringToFront),
        spec("SendToBack", sendToBack),
        spec("ShapeAlignLeft", alignLeft),
        spec("ShapeAlignRight", mirrored(alignLeft, true)),
        spec("ShapeAlignTop", alignTop),
        spec("ShapeAlignBottom", mirrored(alignTop, false)),
        spec("ShapeAlignCenter", alignCenter),
        spec("FlipHorizontal", flipHorizontal),
        spec("FlipVertical", turned(flipHorizontal)),
        spec("Group", group),
        spec("UnGroup", unGroup),
        spec("EditGroup", editGroup),
        spec("Lock", [](QPainter& p) { padlock(p, true); }),
        spec("UnLock", [](QPainter& p) { padlock(p, false); }),
    };
}
const ImageSetRegistration registration(actionImages);

} // namespace
