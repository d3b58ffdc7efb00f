#ifndef SKINTOOLWINDOW_H
#define SKINTOOLWINDOW_H

#include "skin/windows/skinwindow.h"

class QToolButton;

// A small borderless skinned window: a 13-pixel caption with the title and
// a small close button of its own at the right instead of the painted
// caption buttons and icon. It moves by its caption and cannot be resized by
// the mouse. The close button is a child of the window and closes it through
// close(), so windowClosed() follows.
class SkinToolWindow : public SkinWindow
{
    Q_OBJECT

public:
    explicit SkinToolWindow(QWidget *parent = nullptr);

    QToolButton *closeButton() const { return m_closeButton; }

public slots:
    // Clears the frame's hover look and cursor before the button acts.
    void closeButtonPressed();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QToolButton *m_closeButton = nullptr;
};

#endif // SKINTOOLWINDOW_H
