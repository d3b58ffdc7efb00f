#ifndef SKINMENU_H
#define SKINMENU_H

#include <QMenu>

// The popup menu of the program (tab, panel and grid menus): a QMenu on
// which a right-button press or release over an item, a separator included,
// is ignored, so a right click neither triggers the item nor closes the
// menu. Everything else, left clicks, keys and hover, is QMenu's own.
class SkinMenu : public QMenu
{
    Q_OBJECT

public:
    explicit SkinMenu(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool isRightClickOnItem(const QMouseEvent *event) const;
};

#endif // SKINMENU_H
