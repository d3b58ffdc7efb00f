#ifndef SKETCHVIEW_H
#define SKETCHVIEW_H

#include "model/sketchstroke.h"
#include "model/skinbrush.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QUrl>
#include <QWidget>

class QMenu;
class QPaintDevice;
class SketchCommand;
class QTextEdit;
class QTimer;
class SketchCommandManager;

// The base of every page in the document tabs: what every page has (file
// name and title, zoom, modified flag, paper, the undo manager, the in-place
// text editor, a tooltip timer, the context menu) and the notifications the
// main window listens to.
//
// Everything the main window asks of a page is a virtual operation with a
// harmless default, so a page that is not a document (the material
// catalogue) overrides only what it has; with the default can... tests all
// false, the main window disables every edit action for it. The operations
// call each other through the virtual table: cut() uses the subclass's copy()
// and deleteSelection(), caption() its title(), isModified() and zoom().
//
// Ownership: the editor, the timer and the command manager are children of
// the view. The context menu belongs to the main window.
class SketchView : public QWidget
{
    Q_OBJECT

public:
    explicit SketchView(QWidget *parent = nullptr);
    ~SketchView() override;

    // --- File and caption ---------------------------------------------------

    // The file the page was loaded from or saved to. Setting a non-empty name
    // also sets the title to the file's base name (up to its first dot).
    virtual QString fileName() const;
    virtual void setFileName(const QString &fileName);
    virtual QString title() const;
    virtual void setTitle(const QString &title);
    // The tab caption "<title> @ <zoom>%", with " *" while modified; an empty
    // title reads "untitled".
    virtual QString caption() const;
    // The suffix and open/save dialog filter of the page's files.
    virtual QString fileSuffix() const;
    virtual QString fileFilter() const;
    // False when nothing was written. The modified flag is left to the caller.
    virtual bool saveFile(const QString &fileName);
    // Forgets the undo history and the modified flag. A page that reads the
    // file returns false, and stays as it was, when the file cannot be read.
    virtual bool openFile(const QString &fileName);

    // --- Zoom and modified flag ---------------------------------------------

    // Scale from paper units to widget pixels, 1 at start, kept within 0.2
    // to 8.0.
    virtual float zoom() const;
    virtual void setZoom(float zoom);

    // Unsaved changes.
    virtual bool isModified() const;
    virtual void setModified(bool modified);

    // The paper: size in points, fill and border. A document view keeps them
    // in its document; none of the setters records an undo step.
    virtual QSize paperSize() const;
    virtual void setPaperSize(const QSize &size);
    virtual SkinBrush paperColor() const;
    // Stores and repaints only when the brush differs.
    virtual void setPaperColor(const SkinBrush &brush);
    virtual SketchStroke paperBorder() const;
    // Stores and repaints only when the stroke differs.
    virtual void setPaperBorder(const SketchStroke &border);
    // (0, 0) to the paper size.
    QRect paperRect() const;

    // Free texts kept with a document; a plain page has none and ignores them.
    virtual QString workId() const;
    virtual void setWorkId(const QString &text);
    virtual QString workTitle() const;
    virtual void setWorkTitle(const QString &text);
    virtual QString workTags() const;
    virtual void setWorkTags(const QString &text);

    // The page's undo and redo stacks, created with the view.
    virtual SketchCommandManager *commandManager() const;
    // Runs before undo or redo move the history, which must not move under
    // a gesture in progress (its pending command holds the state the step
    // would change): takes the gesture back. True when the step must not
    // happen at all, because a tool in the middle of its own work was
    // cancelled instead. A plain page has no gestures: false.
    virtual bool takeBackGesture();
    // Repaints what a step of the history changed as it was executed,
    // undone or redone (null when it cannot be told which step): the whole
    // page, unless the page knows better.
    virtual void repaintHistoryStep(const SketchCommand *command);
    // The in-place editor for shape texts and names; a hidden child widget.
    QTextEdit *textEditor() const { return m_textEditor; }
    // Single shot, 500 ms; the tools that show tooltips start and connect it.
    QTimer *toolTipTimer() const { return m_toolTipTimer; }
    // Set by the main window; a document view pops it up on a right click.
    QMenu *contextMenu() const;
    void setContextMenu(QMenu *menu);

    // --- Selection, clipboard and export ------------------------------------

    virtual bool isEmpty() const;
    // Deselects everything; a page without a selection has nothing to do.
    virtual void clearSelection();
    virtual void deleteSelection();
    virtual void selectAll();
    // Copies, and deletes only what a successful copy took.
    virtual void cut();
    // False when nothing was copied.
    virtual bool copy();
    virtual void paste();
    // Hides the in-place editor when it is shown; accepting is the
    // document view's.
    virtual void endTextEdit(bool accept);
    virtual void exportToImage();
    virtual void print(QPaintDevice *device);

    // What the main window may offer for this page.
    virtual bool canCopy() const;
    virtual bool canCut() const;
    virtual bool canPaste() const;
    virtual bool canDelete() const;
    virtual bool canEditText() const;
    virtual bool canEditName() const;
    virtual bool canSelectAll() const;

signals:
    void zoomChanged();
    void sketchChanged();
    void selectionChanged();
    void undoManagerChanged();
    // Undo or redo is about to move the history, before the view's own
    // gestures are taken back: an edit in progress outside the view (a
    // design-panel drag) takes its live change back now, in order.
    void historyMoving();
    // Files and links dropped onto the page, for the main window to open.
    void urlsDroped(QList<QUrl> urls);

public slots:
    // Marks the page modified, then tells the listeners.
    virtual void onSketchChanged();
    virtual void onUndoManagerChanged();
    virtual void onSelectionChanged();

private:
    QString m_fileName;
    QString m_title;
    SketchCommandManager *m_commandManager = nullptr;
    QTextEdit *m_textEditor = nullptr;
    QTimer *m_toolTipTimer = nullptr;
    QPointer<QMenu> m_contextMenu;
    float m_zoom = 1.0f;
    bool m_modified = false;
    QSize m_paperSize = QSize(842, 595);
    SkinBrush m_paperColor = SkinBrush::whiteBrush();
    SketchStroke m_paperBorder;
};

#endif // SKETCHVIEW_H
