#include "skin/controls/skinbuttongroup.h"

#include <QPushButton>

SkinButtonGroup::SkinButtonGroup(QWidget *parent)
    : QWidget(parent)
{
}

QPushButton *SkinButtonGroup::addButton(const QIcon &icon, const QString &text, const QString &toolTip)
{
    const int step = m_buttonWidth - 1;
    const int count = m_buttons.size();
    auto *button = new QPushButton(icon, text, this);
    button->setToolTip(toolTip);
    button->setGeometry(step * count, 0, m_buttonWidth, m_buttonHeight);
    button->setCheckable(true);
    connect(button, &QPushButton::clicked, this, &SkinButtonGroup::itemClicked);
    m_buttons.append(button);
    resize(step * (count + 1) + 1, m_buttonHeight);
    return button;
}

void SkinButtonGroup::setButtonSize(int width, int height)
{
    m_buttonWidth = width;
    m_buttonHeight = height;
}

void SkinButtonGroup::setSelectedIndex(int index)
{
    const int clamped = index < 0 ? -1 : qMin(index, m_buttons.size() - 1);
    if (m_multiCheck) {
        m_selectedIndex = clamped;
        return;
    }
    if (m_selectedIndex >= 0 && m_selectedIndex < m_buttons.size())
        m_buttons.at(m_selectedIndex)->setChecked(false);
    m_selectedIndex = clamped;
    if (m_selectedIndex >= 0)
        m_buttons.at(m_selectedIndex)->setChecked(true);
}

void SkinButtonGroup::itemClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (!button)
        return;
    const int clicked = m_buttons.indexOf(button);
    const int old = m_selectedIndex;
    setSelectedIndex(clicked);
    if (m_selectedIndex != old) {
        emit selectedIndexChanged(m_selectedIndex);
        emit selectedIndexChanged();
    }
    emit buttonClicked(clicked);
    emit buttonClicked();
    if (m_multiCheck) {
        emit buttonCheckedChanged(clicked);
        emit buttonCheckedChanged();
    }
}
