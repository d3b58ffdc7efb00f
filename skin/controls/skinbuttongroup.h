#ifndef SKINBUTTONGROUP_H
#define SKINBUTTONGROUP_H

#include <QIcon>
#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>

class QPushButton;

// A row of checkable push buttons with one selected index. Neighbours
// overlap by one pixel so that their borders coincide, and the group is
// sized to hold them exactly.
//
// In single mode exactly the button at the selected index is checked (none
// at -1). In multi-check mode each click toggles its own button and the
// selected index only remembers the last one clicked; receivers read the
// checked states through buttons().
//
// Ownership: the buttons are Qt children of the group; the list only refers
// to them.
class SkinButtonGroup : public QWidget
{
    Q_OBJECT

public:
    // No buttons, nothing selected, 20 x 18 buttons, single mode.
    explicit SkinButtonGroup(QWidget *parent = nullptr);

    // --- Buttons ------------------------------------------------------------

    // Appends a checkable button of the current button size at x =
    // (width - 1) * index and grows the group to fit; returns it.
    QPushButton *addButton(const QIcon &icon, const QString &text, const QString &toolTip);
    // In the order added.
    const QList<QPushButton *> &buttons() const { return m_buttons; }

    // Applies to buttons added afterwards; those already added keep theirs.
    QSize buttonSize() const { return QSize(m_buttonWidth, m_buttonHeight); }
    void setButtonSize(int width, int height);

    // --- Selection ----------------------------------------------------------

    int selectedIndex() const { return m_selectedIndex; }
    // Clamps the index to -1 .. count - 1 (-1 for anything below 0) and
    // selects it; in single mode it unchecks the old button and checks the
    // new one. Emits nothing.
    void setSelectedIndex(int index);

    bool isMultiCheck() const { return m_multiCheck; }
    void setMultiCheck(bool multiCheck) { m_multiCheck = multiCheck; }

signals:
    void selectedIndexChanged();
    void selectedIndexChanged(int index);
    void buttonClicked();
    void buttonClicked(int index);
    void buttonCheckedChanged();
    void buttonCheckedChanged(int index);

public slots:
    // The clicked() of every button: selects the sending button, then emits
    // selectedIndexChanged(int) and selectedIndexChanged() when the index
    // changed, always buttonClicked(int) and buttonClicked(), and in
    // multi-check mode buttonCheckedChanged(int) and buttonCheckedChanged().
    // A call from anything but a QPushButton does nothing.
    void itemClicked();

private:
    int m_selectedIndex = -1;
    QList<QPushButton *> m_buttons;
    int m_buttonWidth = 20;
    int m_buttonHeight = 18;
    bool m_multiCheck = false;
};

#endif // SKINBUTTONGROUP_H
