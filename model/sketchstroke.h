#ifndef SKETCHSTROKE_H
#define SKETCHSTROKE_H

#include "model/skinbrush.h"

#include <QMetaType>
#include <QPen>
#include <QRectF>

class QDomElement;
class QPainter;
class QPainterPath;

enum SketchStrokeStyle : int
{
    // Round cap and round join.
    SketchStrokeRound = 0,
    // Square cap and miter join.
    SketchStrokeSquare = 1
};

// The outline paint of a shape and of the paper border: a brush with a line
// width (at least 1 through the setters) and a cap and join style. A plain
// value. Thin lines keep their on-screen width when the view is zoomed out.
class SketchStroke
{
public:
    // Solid black, width 1, round.
    SketchStroke();
    SketchStroke(const QColor &color, int width, int style);

    SkinBrush &brush() { return m_brush; }
    const SkinBrush &brush() const { return m_brush; }
    void setBrush(const SkinBrush &brush) { m_brush = brush; }
    int width() const { return m_width; }
    void setWidth(int width);
    int style() const { return m_style; }
    void setStyle(int style) { m_style = style; }

    // Nothing to paint: a transparent brush or a width below 1.
    bool isInvisible() const;
    // Round, width 1, and a brush that the file gives back as solid black
    // (SkinBrush::savesAsBlack), whatever its opacity.
    bool isDefault() const;
    bool operator==(const SketchStroke &other) const;
    bool operator!=(const SketchStroke &other) const { return !(*this == other); }

    // The pen for painting inside rect, which is normalised in place; no pen
    // for an empty rect. Below zoom 1, widths under 8 are divided by the zoom.
    QPen makePen(QRectF &rect, float zoom) const;
    // Solid black at this width and style, without zoom: the pen pickers show it.
    QPen stylePen() const;

    // Neither strokeRect nor drawBorder applies the brush's opacity; the
    // path and line strokes do, and leave the painter's opacity at 1.
    void strokeRect(QPainter *painter, QRectF &rect, float zoom) const;
    // The paper border, inset by half the width from the origin.
    void drawBorder(QPainter *painter, const QRectF &area, float zoom) const;
    // While the painter clips, pieces of a long straight-edged outline that
    // lie well outside the clip are left out of the stroke; what shows is
    // the same.
    void strokePath(QPainter *painter, const QPainterPath &path, float zoom) const;
    void strokeLine(QPainter *painter, const QPointF &p1, const QPointF &p2, float zoom) const;

    // "Style", "Width" and a "Fill" child for a brush that does not come
    // back as solid black, each only when it differs from the default.
    void writeXml(QDomElement &element) const;
    void readXml(const QDomElement &element);
    // The stroke written and read again.
    SketchStroke asSaved() const;

private:
    SkinBrush m_brush = SkinBrush::blackBrush();
    int m_width = 1;
    int m_style = SketchStrokeRound;
};

Q_DECLARE_METATYPE(SketchStroke)

#endif // SKETCHSTROKE_H
