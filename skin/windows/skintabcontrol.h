#ifndef SKINTABCONTROL_H
#define SKINTABCONTROL_H

#include <QIcon>
#include <QList>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QUrl>
#include <QWidget>

class QMenu;
class QPushButton;
class QToolButton;

// The skinned tab strip with stacked pages: a strip of tabs along the top
// (each showing its page's window title, or the page's own window icon), one
// page below it of which only the current one is visible, optional close
// buttons on the tabs, an optional context button at the strip's right end
// with its drop-down menu, a menu on right-button presses in the strip, and
// acceptance of dropped URLs. The control closes nothing itself: a close
// button only reports pageClosing() with its page's index.
//
// Tabs are laid out either at their natural widths (neighbours share one
// pixel column) or sharing the width equally; a tab that would run under the
// visible context button is cut short 2 pixels left of it and the tabs after
// it are not shown (their rectangles are null).
//
// setCurrentIndex() emits nothing: the mouse handler, page removal and a
// selecting insertion emit selectedIndexChanged() themselves. pageRemoved()
// carries a null pointer, as the page no longer exists by then.
//
// Ownership: the pages, the close buttons, the context button and both
// default menus are Qt children of the control. pages() is the live list: an
// owner may take a page out of it without deleting it, and the tabs follow
// at the next layout. Menus set from outside are not owned.
class SkinTabControl : public QWidget
{
    Q_OBJECT

public:
    explicit SkinTabControl(QWidget *parent = nullptr);

    // --- Pages --------------------------------------------------------------

    // A new empty page (a plain widget, child of the control) with that
    // title and icon, appended through insertPage(); the caller fills it.
    QWidget *addPage(const QIcon &icon, const QString &title, bool select);
    QWidget *addPage(const QIcon &icon, bool select);
    QWidget *addPage(const QString &title, bool select);
    // Appends the page (making it a child of the control) with a close button
    // while those show. Into an empty control the page becomes current
    // without a signal; otherwise it becomes current, with
    // selectedIndexChanged(), only when `select` is true. pageAdded() last.
    void insertPage(QWidget *page, bool select);
    // Deletes the page and its close button, makes the page that moved into
    // its index (or the last page) current, then emits selectedIndexChanged()
    // and pageRemoved(nullptr). An index out of range or an absent page does
    // nothing.
    void removePage(int index);
    void removePage(QWidget *page);

    // Clamped: -1 without pages, else into 0 .. count - 1. Hides the page
    // that was shown and shows the new one; emits nothing.
    void setCurrentIndex(int index);
    int currentIndex() const { return m_currentIndex; }
    // Null for an index out of range.
    QWidget *currentPage() const;
    QList<QWidget *> &pages() { return m_pages; }
    const QList<QWidget *> &pages() const { return m_pages; }

    // Ignored for an index out of range.
    void setPageTitle(int index, const QString &title);

    // --- Geometry and layout ------------------------------------------------

    // (1, tabHeight) to (width - 1, height - 1), each corner moved by the
    // page rectangle adjustments; every page gets this geometry.
    QRect pageRect() const;
    // Null for an index out of range and for a tab that does not fit.
    QRect tabRect(int index) const;
    int tabHeight() const { return m_tabHeight; }                 // 20
    void setTabHeight(int height) { m_tabHeight = height; }       // stores only
    bool isEqualTabWidth() const { return m_equalTabWidth; }
    void setEqualTabWidth(bool equal) { m_equalTabWidth = equal; }  // next layout
    // Added to the page rectangle's corners: (dx1, dy1) to the top-left,
    // (dx2, dy2) to the bottom-right.
    void setPageRectAdjustment(int dx1, int dy1, int dx2, int dy2);
    // The adjustments as left = dx1, top = dy1, right = dx2, bottom = dy2.
    QMargins pageRectAdjustment() const { return m_pageRectAdjustment; }

    // Lays the tabs out, repaints the strip and places the close buttons.
    void updateTabs();

    // --- Buttons and menus --------------------------------------------------

    // Hidden until the owner shows it.
    QToolButton *contextButton() const { return m_contextButton; }
    QMenu *contextMenu() const { return m_contextMenu; }
    // Also gives the focus back to the context button when the menu hides.
    void setContextMenu(QMenu *menu);
    QMenu *tabMenu() const { return m_tabMenu; }
    void setTabMenu(QMenu *menu) { m_tabMenu = menu; }
    // True: the context menu's right edge lines up with the button's.
    bool isContextMenuRightAligned() const { return m_contextMenuRightAligned; }
    void setContextMenuRightAligned(bool right) { m_contextMenuRightAligned = right; }

    // Only pages inserted while this is set get close buttons; tab widths
    // follow at the next layout.
    bool isCloseButtonsVisible() const { return m_closeButtonsVisible; }
    void setCloseButtonsVisible(bool visible);

    // Tints the close and context icons in the current theme; called again
    // by the owner on a theme change.
    void updateButtonIcons();

signals:
    void selectedIndexChanged();
    void pageAdded(QWidget *page);
    void pageRemoved(QWidget *page);
    // Before the context menu shows: listeners may fill it.
    void contextMenuShowing();
    void urlsDroped(const QList<QUrl> &urls);
    // A close button was clicked; the index of its page.
    void pageClosing(int index);

public slots:
    // Emits contextMenuShowing(), then drops the menu down under the visible
    // context button if it has any action.
    void showContextMenu();
    void closeButtonClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;

    void layoutTabs();
    // Moves each close button onto its page's tab and shows it; a button
    // whose tab is not shown is hidden.
    void placeCloseButtons();

private:
    // A close button belongs to one page, whatever its position.
    struct CloseButton {
        QPushButton *button;
        QWidget *page;
    };

    int naturalTabWidth(const QWidget *page) const;
    void layoutNaturalTabs();
    void layoutEqualTabs();
    void paintTab(QPainter &painter, int index, const QRect &r) const;
    void acceptUrlDrag(QDragMoveEvent *event);

    int m_currentIndex = -1;
    // The page setCurrentIndex() last showed; it hides that one, wherever
    // removals have moved it.
    QPointer<QWidget> m_shownPage;
    int m_tabHeight = 20;
    QList<QWidget *> m_pages;
    QList<CloseButton> m_closeButtons;
    QList<QRect> m_tabRects;
    QMenu *m_tabMenu = nullptr;
    bool m_equalTabWidth = false;
    QMargins m_pageRectAdjustment;
    QToolButton *m_contextButton = nullptr;
    QMenu *m_contextMenu = nullptr;
    bool m_contextMenuRightAligned = true;
    bool m_closeButtonsVisible = false;
};

#endif // SKINTABCONTROL_H
