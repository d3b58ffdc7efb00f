#ifndef SKINTOOLBOX_H
#define SKINTOOLBOX_H

#include <QList>
#include <QWidget>

class QFrame;
class QIcon;
class QPushButton;

// The vertical palette of tool buttons beside the document tabs: a thin
// caption strip on top, then one column of checkable 28 x 24 icon buttons and
// 28 x 2 separators at x 8, each 2 pixels below the one before (the first
// 8 pixels below the caption strip). Pressing a button unchecks every other
// checked button except those added as non-exclusive, which only their own
// clicks change. The style sheet paints the box; the owner tints the icons
// (again on a theme change).
//
// Ownership: the caption bar, the buttons and the separators are Qt
// children of the box; nothing is ever removed.
class SkinToolBox : public QWidget
{
    Q_OBJECT

public:
    explicit SkinToolBox(QWidget *parent = nullptr);

    // 12; read by the next resize and the next item added.
    int captionHeight() const { return m_captionHeight; }
    void setCaptionHeight(int height) { m_captionHeight = height; }

    QPushButton *addButton(const QIcon &icon, const QString &toolTip, bool exclusive);
    // A frame named "HLine", coloured by the style sheet.
    QFrame *addSeparator();

    // In the order added.
    QList<QPushButton *> &buttons() { return m_buttons; }
    // Buttons and separators, top to bottom.
    QList<QWidget *> &items() { return m_items; }

private slots:
    // Runs on the press, before the pressed button toggles on its release.
    void buttonPressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int nextItemTop() const;

    int m_captionHeight = 12;
    QFrame *m_captionBar = nullptr;
    QList<QWidget *> m_items;
    QList<QPushButton *> m_buttons;
    QList<QPushButton *> m_nonExclusiveButtons;
};

#endif // SKINTOOLBOX_H
