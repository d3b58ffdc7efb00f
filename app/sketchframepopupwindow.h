#ifndef SKETCHFRAMEPOPUPWINDOW_H
#define SKETCHFRAMEPOPUPWINDOW_H

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class QPushButton;
class QWidget;
class SketchShape;
class SkinGridCell;
class SkinGridView;
class SkinMenu;

// The frames of one shape as a popup of thumbnails: a 3 x 25 grid (frame i
// in the cell of linear index i, so frames past the 75th do not show), an
// OK and a Cancel button, and a context menu whose "Delete" removes the
// chosen frame through the shape's document view as one undoable step.
// Confirming (OK, or a double click) reports the chosen frame in three
// forms; applying it is the owner's work.
//
// The popup opens under its parent widget, or, without one, at its popup
// rectangle taken as screen coordinates. It shows what the last setShape()
// put into the grid: the shape is not watched, the owner calls setShape()
// again whenever the selection or the frames may have changed.
//
// Ownership: the popup window (a Qt::Popup widget named "popupWindow") is
// a child of the parent widget and goes with it, or with this object when
// there is no parent widget. Each cell that shows a frame holds a material
// made from a copy of that frame; this object owns those materials and
// deletes them at every refill and with itself. The shape is not owned.
class SketchFramePopupWindow : public QObject
{
    Q_OBJECT

public:
    explicit SketchFramePopupWindow(QWidget *parentWidget = nullptr);
    ~SketchFramePopupWindow() override;

    SketchShape *shape() const;
    // The frame chosen in the grid, 0-based.
    int frameIndex() const { return m_frameIndex; }
    // "0/0" without a shape, "1/1" for a shape without frames, else
    // "<frame index + 1>/<frames>".
    QString frameText() const;
    QRect popupRect() const { return m_popupRect; }
    // Relative to the anchor: the bottom-left pixel of the parent widget,
    // or the screen's origin without one. Takes effect at the next show.
    void setPopupRect(const QRect &rect);
    void updateLayout();
    void useThemeStyle();

    QWidget *popupWindow() const { return m_popupWindow; }
    SkinGridView *grid() const { return m_grid; }
    SkinMenu *contextMenu() const { return m_menu; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

signals:
    void shapeFrameChanged();
    void shapeFrameChanged(int index);
    void shapeFrameChanged(QString text);

public slots:
    // Null allowed: an empty grid.
    void setShape(SketchShape *shape);
    // Opens only for a shape with frames.
    void showPopupWindow();
    void onShapeFrameChanged();
    void onGridSelectionChanged();
    void onGridCellDoubleClicked(SkinGridCell *cell);
    void deleteShapeFrame();

private:
    int frameCount() const;
    void fillCells();
    void repaintParent();

    QWidget *m_parentWidget = nullptr;
    QPointer<QWidget> m_popupWindow;
    QPointer<SketchShape> m_shape;
    int m_frameIndex = 0;
    QRect m_popupRect;
    SkinGridView *m_grid = nullptr;
    SkinMenu *m_menu = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

#endif // SKETCHFRAMEPOPUPWINDOW_H
