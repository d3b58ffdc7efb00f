#ifndef SKINGROUPBOX_H
#define SKINGROUPBOX_H

#include <QImage>
#include <QWidget>

class QLabel;
class QMenu;
class QToolButton;

// The skinned panel with a title bar: a strip of fixed height on top with
// the title, an optional expand/collapse arrow, and a context button at its
// right end that drops down the panel's menu; the content lies below. An
// expandable panel folds to its title bar on a press in the bar (left of the
// context button while that shows) and unfolds to its expanded height.
//
// The expanded height is captured once, when the panel is first shown or
// first collapsed; later resizes of the expanded panel do not change it.
// Collapsing only shrinks the panel: the content widgets are clipped, not
// hidden.
//
// Ownership: the title label and the context button are Qt children; the
// menu is the caller's.
class SkinGroupBox : public QWidget
{
    Q_OBJECT

public:
    explicit SkinGroupBox(QWidget *parent = nullptr);

    QString title() const;
    void setTitle(const QString &title);
    int titleHeight() const { return m_titleHeight; }                // 20
    void setTitleHeight(int height) { m_titleHeight = height; }      // next resize or show
    Qt::Alignment titleAlignment() const { return m_titleAlignment; }
    void setTitleAlignment(Qt::Alignment alignment);

    bool isExpandable() const { return m_expandable; }
    void setExpandable(bool expandable) { m_expandable = expandable; }  // stores only
    bool isExpanded() const { return m_expanded; }
    // Resizes to the expanded height or to the title bar (titleHeight - 1)
    // and emits expandChanged(); the present state again does nothing.
    void setExpanded(bool expanded);
    // 0 until captured.
    int expandedHeight() const { return m_expandedHeight; }

    // Hidden until the owner shows it.
    QToolButton *contextButton() const { return m_contextButton; }
    QMenu *contextMenu() const { return m_contextMenu; }
    // Also gives the focus back to the context button when the menu hides.
    void setContextMenu(QMenu *menu);
    bool isContextMenuRightAligned() const { return m_contextMenuRightAligned; }
    void setContextMenuRightAligned(bool right) { m_contextMenuRightAligned = right; }

    // Tints the arrows and the context icon in the current theme; called
    // again by the owner on a theme change. Shows at the next paint.
    void updateButtonIcons();

    // Emits visibleChanged() when the panel's shown or hidden state changes.
    void setVisible(bool visible) override;

signals:
    void expandChanged();
    void visibleChanged();

public slots:
    // Drops the menu down under the visible context button, kept on screen.
    void showContextMenu();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void layoutTitleBar();

    int m_titleHeight = 20;
    bool m_expandable = false;
    bool m_expanded = true;
    int m_expandedHeight = 0;
    QLabel *m_titleLabel = nullptr;
    QToolButton *m_contextButton = nullptr;
    QMenu *m_contextMenu = nullptr;
    Qt::Alignment m_titleAlignment = Qt::AlignVCenter;
    bool m_contextMenuRightAligned = true;
    QImage m_expandImage;    // shown while collapsed
    QImage m_collapseImage;  // shown while expanded
};

#endif // SKINGROUPBOX_H
