#ifndef SKINIMAGECONTROL_H
#define SKINIMAGECONTROL_H

#include "model/scopedhook.h"
#include "model/skinbrush.h"

#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;

// The image page of the brush editor: a swatch showing an image brush,
// whose picture the user opens from a file (left click) or clears (the
// right-button menu's "Clear", enabled only while there is a picture). A
// dotted frame shows while a mouse button is down.
//
// Opening asks for a file, then whether large pictures are to be reduced
// ("Yes" shrinks a picture of at least 300 x 300 pixels to 0.3 of each
// side), and loads it. Every change of the picture emits
// selectedBrushChanged(SkinBrush), then selectedBrushChanged(); a cancelled
// file dialog changes nothing and emits nothing. A file that cannot be read
// as a picture leaves the old picture, emits nothing, and is reported to
// the user in a warning box.
//
// The file dialog is Qt's, over the control's window without its theme
// (SkinPlatformDialogs); scripted runs and tests answer it through the file
// dialog hook instead.
//
// Owns its brush (type image; only the picture changes here) and its menu.
class SkinImageControl : public QWidget
{
    Q_OBJECT

public:
    // Answers the file dialog in place of the user: the chosen file, or an
    // empty text for a cancelled dialog.
    using FileDialogHook =
        std::function<QString(QWidget *parent, const QString &caption, const QString &filter)>;

    // An image brush without a picture.
    explicit SkinImageControl(QWidget *parent = nullptr);

    SkinBrush &brush() { return m_brush; }
    const SkinBrush &brush() const { return m_brush; }

    // One hook for every image control; an empty hook shows the dialog.
    static void setFileDialogHook(const FileDialogHook &hook);
    static FileDialogHook fileDialogHook();
    // Installs a hook for its lifetime and puts the previous one back when
    // it goes.
    using ScopedFileDialogHook =
        ScopedHook<FileDialogHook, &SkinImageControl::fileDialogHook, &SkinImageControl::setFileDialogHook>;

public slots:
    // Takes only the picture of the brush, whatever its type; emits nothing
    // and does not repaint.
    void setSelectedBrush(const SkinBrush &brush);
    // Asks for a file and loads it (see above).
    void openImageFile();
    // Empties the picture and reports it, also when it was empty already.
    void clearSelectedImage();
    // Emits the valued signal with a copy of the brush, then the plain one.
    void onSelectedBrushChanged();

signals:
    void selectedBrushChanged();
    void selectedBrushChanged(const SkinBrush &brush);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    // Left: open a file; right: the menu at the pointer.
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString askForFile();

    bool m_pressed = false;
    SkinBrush m_brush;
    QMenu *m_contextMenu = nullptr;
    QAction *m_openAction = nullptr;
    QAction *m_clearAction = nullptr;
};

#endif // SKINIMAGECONTROL_H
