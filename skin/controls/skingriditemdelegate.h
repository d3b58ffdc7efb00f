#ifndef SKINGRIDITEMDELEGATE_H
#define SKINGRIDITEMDELEGATE_H

#include <QHash>
#include <QPixmap>
#include <QRect>
#include <QRectF>
#include <QStaticText>
#include <QString>

class QColor;
class QPainter;
class SkinGridView;

// Paints a SkinGridView and carries out the drags of its cells. Each list
// panel derives its own delegate and overrides what it draws differently;
// the grid passes itself to every call, so one delegate holds no state but
// a cache of laid-out cell texts and could serve several grids (the grid
// that holds it deletes it, though).
//
// The virtual operations keep this order, and subclasses add none: the
// panels override them in place.
class SkinGridItemDelegate
{
public:
    SkinGridItemDelegate() = default;
    virtual ~SkinGridItemDelegate();

    SkinGridItemDelegate(const SkinGridItemDelegate &) = delete;
    SkinGridItemDelegate &operator=(const SkinGridItemDelegate &) = delete;

    // The whole view: background, row strips and cells, the headers, the
    // selection, the scroll-bar corner, the border and, during a drag of
    // the view's own, the drop indicator.
    virtual void paint(QPainter *painter, SkinGridView *view);
    // Every visible row's strip first, then every visible cell.
    virtual void paintCells(QPainter *painter, SkinGridView *view);
    // One cell, or a header cell where column or row is -1 (both: the
    // corner with its select-all mark).
    virtual void paintCell(QPainter *painter, SkinGridView *view, int column, int row);
    // The existing cell's text, elided to the cell; nothing for a missing cell.
    virtual void paintCellText(QPainter *painter, SkinGridView *view, int column, int row);
    // The strip behind a row: the selection colour for a selected row when
    // that colour shows, else the row's own colour when it shows.
    virtual void paintRowBackground(QPainter *painter, SkinGridView *view, int row);
    // The column counterpart of paintRowBackground, kept for subclasses that
    // paint column strips from their own paintCells; the view never calls it
    // and the base paints nothing.
    virtual void paintColumnBackground(QPainter *painter, SkinGridView *view, int column);
    // The overlay of the selection by the view's selection style.
    virtual void paintSelection(QPainter *painter, SkinGridView *view);
    // The outline of the target under a drag of the view's own.
    virtual void paintDropIndicator(QPainter *painter, SkinGridView *view);
    // The text a drag of the cell carries (the cell's text).
    virtual QString cellText(SkinGridView *view, int column, int row);
    // The picture under the cursor while the cell is dragged: its text on
    // a transparent ground, the size of the cell.
    virtual QPixmap dragPixmap(SkinGridView *view, int column, int row);
    // Marks the view dragging from the cell and runs the drag (copy or
    // move) until it ends; with emitSignals the view emits cellDraging()
    // before and cellDraged() after. Indices outside the grid do nothing.
    virtual void startDrag(SkinGridView *view, int column, int row, bool emitSignals);
    // Moves the dragged cell (selection mode 0) or row (mode 1) to the
    // target, shifting what lies between towards the origin, and selects
    // it; mode 2 moves nothing. With emitSignals the view then emits
    // cellDroped(). A target or origin outside the grid, or one whose
    // switches refuse, moves nothing and emits nothing. In every case the
    // view stops dragging and forgets the drop target; the drag origin
    // stays readable.
    virtual void dropCell(SkinGridView *view, int column, int row, bool emitSignals);
    // Where the delegate paints the cell (the view's cellRect).
    virtual QRect cellRect(SkinGridView *view, int column, int row);

    // Writes the text into the rect less 4 pixels on the left, elided at
    // the right and without wrapping, in the colour and the view's font;
    // `text` receives the elided text.
    void drawCellText(QPainter *painter, SkinGridView *view, QString &text, int alignment, QRectF rect,
                      const QColor &color);
    // The text elided at the right to the rect's width in the view's font;
    // texts shorter than 4 characters come back whole, and any other text
    // comes back empty for a rect without area.
    QString elideCellText(SkinGridView *view, const QString &text, int alignment, QRectF rect);
    // Unscaled, centred in the rect; nothing for a null pixmap.
    static void drawPixmapCentered(QPainter *painter, QRectF rect, const QPixmap &pixmap);

private:
    // A cell text laid out once for its font and width: shaping a text is
    // most of what painting a text cell costs, and repaints show the same
    // texts again and again.
    struct LaidOutText
    {
        QString elided;
        QStaticText layout;
        qreal advance = 0; // what a line layout aligns by
    };
    const LaidOutText &laidOutText(SkinGridView *view, const QString &text, int alignment, QRectF rect);

    void moveCell(SkinGridView *view, int column, int row);
    void moveRow(SkinGridView *view, int row);

    QHash<QString, LaidOutText> m_laidOutTexts;
};

#endif // SKINGRIDITEMDELEGATE_H
