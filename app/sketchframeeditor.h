#ifndef SKETCHFRAMEEDITOR_H
#define SKETCHFRAMEEDITOR_H

#include <QPushButton>
#include <QRect>

class SketchFramePopupWindow;
class SketchShape;

// The frame button of the design panel: its text is the frame counter of
// its shape ("%1/%2", see SketchFramePopupWindow::frameText), and a click
// opens its own frames popup under it. A confirmed choice is passed on as
// shapeFrameChanged(); applying it is the owner's work.
//
// Ownership: the popup is a child of the button and goes with it; the shape
// is not owned.
class SketchFrameEditor : public QPushButton
{
    Q_OBJECT

public:
    explicit SketchFrameEditor(QWidget *parent = nullptr);
    ~SketchFrameEditor() override;

    SketchFramePopupWindow *popupWindow() const { return m_popup; }
    SketchShape *shape() const;
    QRect popupRect() const;
    void setPopupRect(const QRect &rect);
    void useThemeStyle();

signals:
    void shapeFrameChanged();
    void shapeFrameChanged(int index);

public slots:
    void setShape(SketchShape *shape);
    void showPopupWindow();
    void onShapeFrameChanged();
    void onShapeFrameChanged(int index);

private:
    SketchFramePopupWindow *m_popup = nullptr;
};

#endif // SKETCHFRAMEEDITOR_H
