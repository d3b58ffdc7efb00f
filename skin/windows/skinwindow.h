#ifndef SKINWINDOW_H
#define SKINWINDOW_H

#include "skin/windows/skintheme.h"

#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QWidget>

class QMenuBar;
class QPainter;
class QToolBar;

// The base of every top-level window of the program: a frameless widget that
// paints its own caption (window icon, title, and the minimize,
// maximize/restore and close buttons), moves by its caption, resizes by its
// borders and corners, maximizes into the available screen area by itself
// and cuts its top corners diagonally. It hosts a menu bar in the caption, an
// optional tool bar under it and a central widget that fills the rest, and
// lays the three out on every resize. Content goes into centralWidget(); the
// owner fills and shows the menu bar and the tool bar.
//
// Geometry, in window coordinates (W x H the window size): the client
// rectangle runs from (borderWidth, borderHeight + captionHeight) to
// (W - 1 - borderWidth, H - 1 - borderHeight); the caption buttons hang from
// the top edge (rows 1 to 20) inside the right border, close rightmost.
//
// The caption buttons act when the left button is released over them, not on
// the press. The window keeps a maximized state of its own, independent of
// Qt's window state: showMaximized() and showNormal() below hide QWidget's
// and work on it.
//
// Ownership: the menu bar, the tool bar, the central widget and the busy
// overlay are Qt children of the window. Setters of the sizes and flags only
// store the value; the next paint or resize uses it. GUI thread only.
class SkinWindow : public QWidget
{
    Q_OBJECT

public:
    // Regions of hitTest(); each shows its cursor while hovered.
    enum HitRegion : int {
        HitNone = 0,
        HitCaption = 1,
        HitCloseButton = 2,
        HitMaxButton = 3,
        HitMinButton = 4,
        HitLeft = 5,
        HitRight = 6,
        HitTop = 7,          // never returned by SkinWindow itself
        HitBottom = 8,
        HitTopLeft = 9,
        HitBottomRight = 10,
        HitTopRight = 11,
        HitBottomLeft = 12
    };

    // Caption button looks.
    enum ButtonState : int { ButtonNormal = 0, ButtonHovered = 1, ButtonPressed = 2 };

    // Frameless, with the system-menu and minimize hints (and `flags`
    // added). A null parent makes a top-level window.
    explicit SkinWindow(QWidget *parent = nullptr);
    SkinWindow(QWidget *parent, Qt::WindowFlags flags);

    QMenuBar *menuBar() const { return m_menuBar; }
    QToolBar *toolBar() const { return m_toolBar; }
    QWidget *centralWidget() const { return m_centralWidget; }

    // --- Sizes and flags (store only) ---------------------------------------

    int borderWidth() const { return m_borderWidth; }         // 8
    void setBorderWidth(int width) { m_borderWidth = width; }
    int borderHeight() const { return m_borderHeight; }       // 8
    void setBorderHeight(int height) { m_borderHeight = height; }
    int captionHeight() const { return m_captionHeight; }     // 22
    void setCaptionHeight(int height) { m_captionHeight = height; }
    int toolBarHeight() const { return m_toolBarHeight; }     // 30, while the tool bar shows
    void setToolBarHeight(int height) { m_toolBarHeight = height; }

    bool isCloseButtonVisible() const { return m_closeButtonVisible; }
    void setCloseButtonVisible(bool visible) { m_closeButtonVisible = visible; }
    bool isMaxButtonVisible() const { return m_maxButtonVisible; }
    void setMaxButtonVisible(bool visible) { m_maxButtonVisible = visible; }
    bool isMinButtonVisible() const { return m_minButtonVisible; }
    void setMinButtonVisible(bool visible) { m_minButtonVisible = visible; }
    bool isTitleVisible() const { return m_titleVisible; }
    void setTitleVisible(bool visible) { m_titleVisible = visible; }
    bool isIconVisible() const { return m_iconVisible; }
    void setIconVisible(bool visible) { m_iconVisible = visible; }
    Qt::Alignment titleAlignment() const { return m_titleAlignment; }  // Qt::AlignVCenter
    void setTitleAlignment(Qt::Alignment alignment) { m_titleAlignment = alignment; }

    // --- Geometry -----------------------------------------------------------

    QRect clientRect() const;
    // 48 pixels wide; when hidden, empty at the right border so the buttons
    // to its left move right.
    virtual QRect closeButtonRect() const;
    // 28 pixels wide, left of the close button; empty when hidden.
    virtual QRect maxButtonRect() const;
    // 29 pixels wide, left of the maximize button; empty when hidden.
    virtual QRect minButtonRect() const;
    // The union of the visible button rectangles; null when none shows.
    QRect buttonsRect() const;
    // Where the menu bar goes: the caption between the icon and the buttons.
    QRect captionRect() const;
    // The window's shape: the top corners cut by 2 pixels.
    QPolygon windowOutline() const;

    // The region (HitRegion) under a point. The lines of the client
    // rectangle's edges and the side borders beside the caption are no
    // region; a maximized window has no caption region, and a window that
    // cannot resize in a direction has no edge regions for it.
    virtual int hitTest(const QPoint &pos) const;
    int hoverRegion() const { return m_hoverRegion; }
    // Sets the hovered region: its cursor and the caption buttons' hover
    // looks. Also the region a left-button drag acts on.
    void setHoverRegion(int region);

    int closeButtonState() const { return m_closeButtonState; }
    int maxButtonState() const { return m_maxButtonState; }
    int minButtonState() const { return m_minButtonState; }

    // Not maximized, the size policy in that direction is not Fixed and the
    // border there is wider than 0.
    bool canResizeWidth() const;
    bool canResizeHeight() const;

    bool isMaximized() const { return m_maximized; }
    // The geometry showNormal() restores.
    QRect normalGeometry() const { return m_normalGeometry; }

    // --- Busy and placement -------------------------------------------------

    // True: covers the window (at its present size) with a transparent child
    // showing the wait cursor, which takes all mouse input. False: removes it.
    // Only one overlay exists at a time.
    void setBusy(bool busy);
    bool isBusy() const { return m_busyOverlay != nullptr; }

    // Centres the window on the widget (a child widget included), or on the
    // whole desktop when the widget is null.
    void moveToCenter(QWidget *widget);

signals:
    // At the end of every close event that reaches the window.
    void windowClosed();

public slots:
    // Shows the window if hidden, then, unless already maximized or the
    // maximize button is hidden, saves the geometry and covers the screen's
    // available area, the side borders and the top 2 rows of the top border
    // outside it.
    void showMaximized();
    // Leaves the maximized state, restoring the saved geometry.
    void showNormal();
    // Loads the theme, then applies it through useThemeStyle().
    virtual void changeTheme(SkinThemeStyle style);
    // Applies the current `skinStyleSheet` to the window.
    virtual void useThemeStyle();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // The background of a caption button in one of the ButtonState looks.
    void drawCaptionButton(QPainter *painter, const QPolygon &shape, int state) const;
    // What useThemeStyle() does with a sheet of the subclass's choosing.
    void applyStyleSheet(const QString &sheet);

private:
    void init();
    // The bottom of the caption strip, the tool bar included while it shows.
    int captionBottom() const;
    bool hasCaptionIcon() const;
    void toggleMaximized();
    void dragTo(const QMouseEvent *event);

    void paintFrame(QPainter &painter) const;
    void paintCaption(QPainter &painter) const;
    void paintCloseButton(QPainter &painter) const;
    void paintMaxButton(QPainter &painter) const;
    void paintMinButton(QPainter &painter) const;

    QMenuBar *m_menuBar = nullptr;
    QToolBar *m_toolBar = nullptr;
    QWidget *m_centralWidget = nullptr;
    QWidget *m_busyOverlay = nullptr;
    int m_hoverRegion = HitNone;
    QRect m_normalGeometry;
    QPoint m_lastMousePos;  // global, at the last press, drag step or release
    bool m_maximized = false;
    bool m_closeButtonVisible = true;
    bool m_maxButtonVisible = true;
    bool m_minButtonVisible = true;
    bool m_titleVisible = true;
    bool m_iconVisible = true;
    Qt::Alignment m_titleAlignment = Qt::AlignVCenter;
    int m_closeButtonState = ButtonNormal;
    int m_maxButtonState = ButtonNormal;
    int m_minButtonState = ButtonNormal;
    int m_borderWidth = 8;
    int m_borderHeight = 8;
    int m_captionHeight = 22;
    int m_toolBarHeight = 30;
};

#endif // SKINWINDOW_H
