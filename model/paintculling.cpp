#include "model/paintculling.h"

#include "model/sketchgroup.h"
#include "model/sketchshape.h"
#include "model/sketchtextalign.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QThread>

namespace {

// Handles and their highlight ring keep their size on screen, and thin
// strokes are held at their width in pixels when zoomed out.
constexpr qreal kScreenMargin = 16.0;
// The blurred picture reaches 10 units beyond the outline on every side.
constexpr qreal kBlurMargin = 12.0;

QRectF grown(const QRectF &rect, qreal margin)
{
    return rect.adjusted(-margin, -margin, margin, margin);
}

QRectF onScreen(const QRectF &ownRect, const QTransform &transform)
{
    return grown(transform.mapRect(ownRect), kScreenMargin);
}

bool reaches(const QRectF &ownRect, const QTransform &transform, const QRectF &area)
{
    return onScreen(ownRect, transform).intersects(area);
}

// The outline with the stroke and the blur, in the shape's own coordinates.
// An invisible stroke still counts: asking the brush costs more than the
// few pixels it saves. A mitred corner runs out up to two and a half widths
// from its point before the painter cuts it off.
QRectF outlineArea(const SketchShape *shape)
{
    const SketchStroke &stroke = shape->stroke();
    qreal margin = qMax(stroke.width(), 0) * (stroke.style() == SketchStrokeSquare ? 3 : 1);
    if (shape->blur() > 0)
        margin += kBlurMargin;
    return grown(shape->boundingRect(), margin);
}

bool showsText(const SketchShape *shape)
{
    return !shape->text().isEmpty() && shape->pointCount() >= 2 && (shape->isClosed() || shape->isGroup());
}

// No laid-out line or column of the text can leave this rectangle: every
// character could start a line of its own, and a word may be wider than the
// box. The text box lies within the outline's bounds (a bubble's box has
// its corners on the outline), which are cheaper to find.
QRectF roughTextArea(const SketchShape *shape, const QFontMetricsF &metrics)
{
    const qreal length = shape->text().size();
    const qreal across = length * (metrics.maxWidth() + 12.0);
    const qreal down = (length + 1.0) * metrics.lineSpacing();
    return shape->boundingRect().adjusted(-across, -down, across, down);
}

QRectF textArea(const SketchShape *shape, const QFontMetricsF &metrics)
{
    const QRectF box = shape->textRect();
    // Vertical columns are not laid out by Qt; the rough bound has to do.
    if (shape->align() == SketchTextAlignVertical)
        return roughTextArea(shape, metrics);
    const QRectF laidOut = metrics.boundingRect(box, int(sketchTextAlignment(shape->align())) | Qt::TextWordWrap,
                                                shape->text());
    // The painter may hint the glyphs differently at the view's scale.
    const qreal slack = 0.25 * metrics.height() + 0.05 * qMax(laidOut.width(), laidOut.height());
    return grown(laidOut.united(box), slack);
}

// What a text was last laid out from and the area it took: on the GUI
// thread, where every repaint asks again for the same texts, the layouts
// are kept by the shape they belong to. An entry is used only while the
// shape's text, font, alignment and box are still those it was found from,
// so a changed shape (or a new one in a deleted one's place) gets a new
// layout. Dropped whole when it grows large, and before the application's
// fonts go.
struct LaidOutText
{
    QString text;
    QFont font;
    int align = 0;
    QRectF box;
    QRectF area;
};

constexpr int kMostLaidOutTexts = 100000;

QHash<const SketchShape *, LaidOutText> *laidOutTexts()
{
    static QHash<const SketchShape *, LaidOutText> *texts = [] {
        auto *made = new QHash<const SketchShape *, LaidOutText>;
        qAddPostRoutine([] { laidOutTexts()->clear(); });
        return made;
    }();
    return texts;
}

bool onGuiThread()
{
    const QCoreApplication *application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

QRectF laidOutTextArea(const SketchShape *shape)
{
    // Vertical columns are not laid out at all.
    if (!onGuiThread() || shape->align() == SketchTextAlignVertical)
        return textArea(shape, QFontMetricsF(shape->font()));
    QHash<const SketchShape *, LaidOutText> &texts = *laidOutTexts();
    const QRectF box = shape->textRect();
    const auto found = texts.constFind(shape);
    if (found != texts.constEnd() && found->align == shape->align() && found->box == box
        && found->text == shape->text() && found->font == shape->font())
        return found->area;
    if (texts.size() >= kMostLaidOutTexts)
        texts.clear();
    const QRectF area = textArea(shape, QFontMetricsF(shape->font()));
    texts.insert(shape, {shape->text(), shape->font(), shape->align(), box, area});
    return area;
}

QTransform memberTransform(const SketchShape *member, const QPointF &origin)
{
    return member->rotation() * QTransform::fromTranslate(origin.x(), origin.y());
}

} // namespace

bool shapeMayPaintIn(const SketchShape *shape, const QTransform &transform, const QRectF &area)
{
    if (!shape)
        return false;
    if (reaches(outlineArea(shape), transform, area))
        return true;
    if (showsText(shape)) {
        const QFontMetricsF metrics(shape->font());
        if (reaches(roughTextArea(shape, metrics), transform, area)
            && reaches(textArea(shape, metrics), transform, area))
            return true;
    }
    if (shape->isGroup()) {
        const auto *group = static_cast<const SketchGroup *>(shape);
        const QPointF origin = group->boundingRect().topLeft();
        for (const SketchShape *member : group->shapes()) {
            if (shapeMayPaintIn(member, memberTransform(member, origin) * transform, area))
                return true;
        }
    }
    return false;
}

QRectF shapeOutlineBounds(const SketchShape *shape, const QTransform &transform)
{
    return shape ? onScreen(outlineArea(shape), transform) : QRectF();
}

QRectF shapePaintBounds(const SketchShape *shape, const QTransform &transform)
{
    if (!shape)
        return QRectF();
    QRectF bounds = shapeOutlineBounds(shape, transform);
    if (showsText(shape))
        bounds |= onScreen(laidOutTextArea(shape), transform);
    if (shape->isGroup()) {
        const auto *group = static_cast<const SketchGroup *>(shape);
        const QPointF origin = group->boundingRect().topLeft();
        for (const SketchShape *member : group->shapes())
            bounds |= shapePaintBounds(member, memberTransform(member, origin) * transform);
    }
    return bounds;
}
