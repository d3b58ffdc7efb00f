#include "skin/windows/skintoolbox.h"

#include "skin/windows/skinpainting.h"

#include <QFrame>
#include <QIcon>
#include <QPainter>
#include <QPushButton>

SkinToolBox::SkinToolBox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    m_captionBar = new QFrame(this);
    m_captionBar->setObjectName(QStringLiteral("toolWindowCaptionBar"));
}

int SkinToolBox::nextItemTop() const
{
    if (m_items.isEmpty())
        return m_captionHeight + 8;
    return m_items.last()->geometry().bottom() + 2;
}

QPushButton *SkinToolBox::addButton(const QIcon &icon, const QString &toolTip, bool exclusive)
{
    auto *button = new QPushButton(icon, QString(), this);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    const int top = nextItemTop();
    button->setGeometry(QRect(QPoint(8, top), QPoint(35, top + 23)));
    button->setToolTip(toolTip);
    connect(button, &QPushButton::pressed, this, &SkinToolBox::buttonPressed);
    m_items.append(button);
    m_buttons.append(button);
    if (!exclusive)
        m_nonExclusiveButtons.append(button);
    return button;
}

QFrame *SkinToolBox::addSeparator()
{
    auto *separator = new QFrame(this);
    const int top = nextItemTop();
    separator->setGeometry(QRect(QPoint(8, top), QPoint(35, top + 1)));
    separator->setObjectName(QStringLiteral("HLine"));
    m_items.append(separator);
    return separator;
}

void SkinToolBox::buttonPressed()
{
    auto *pressed = qobject_cast<QPushButton *>(sender());
    for (QPushButton *button : qAsConst(m_buttons)) {
        if (button->isChecked() && button != pressed && !m_nonExclusiveButtons.contains(button))
            button->setChecked(false);
    }
}

void SkinToolBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinStyledBackground(this, painter);
}

void SkinToolBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_captionBar->setGeometry(QRect(QPoint(1, 1), QPoint(width() - 2, m_captionHeight)));
}
