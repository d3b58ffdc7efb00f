#include "skin/windows/skintoolwindow.h"

#include <QIcon>
#include <QToolButton>

SkinToolWindow::SkinToolWindow(QWidget *parent)
    : SkinWindow(parent)
{
    setCloseButtonVisible(false);
    setMaxButtonVisible(false);
    setMinButtonVisible(false);
    setIconVisible(false);
    setBorderWidth(0);
    setBorderHeight(0);
    setCaptionHeight(13);
    setWindowTitle(tr("ToolWindow"));

    m_closeButton = new QToolButton(this);
    m_closeButton->setIcon(QIcon(QStringLiteral(":/widgets/images/SmallClose.png")));
    // Flat until hovered: under the style sheet's transparent tool-button
    // background the platform style would fill a raised button dark.
    m_closeButton->setAutoRaise(true);
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    connect(m_closeButton, &QToolButton::clicked, this, &SkinToolWindow::close);
    connect(m_closeButton, &QToolButton::pressed, this, &SkinToolWindow::closeButtonPressed);
}

void SkinToolWindow::closeButtonPressed()
{
    setHoverRegion(HitNone);
}

void SkinToolWindow::resizeEvent(QResizeEvent *event)
{
    SkinWindow::resizeEvent(event);
    const int top = (borderHeight() + captionHeight() - 12) / 2;
    m_closeButton->setGeometry(QRect(QPoint(width() - 22, top), QPoint(width() - 6, top + 11)));
}
