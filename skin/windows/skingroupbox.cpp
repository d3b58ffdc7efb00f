#include "skin/windows/skingroupbox.h"

#include "model/filehelpers.h"
#include "skin/windows/skinpainting.h"
#include "skin/windows/skintheme.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

SkinGroupBox::SkinGroupBox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setCursor(Qt::ArrowCursor);

    m_titleLabel = new QLabel(this);
    m_titleLabel->setAlignment(m_titleAlignment);
    m_contextButton = new QToolButton(this);
    // Flat until hovered: under the style sheet's transparent tool-button
    // background the platform style would fill a raised button dark.
    m_contextButton->setAutoRaise(true);
    m_contextButton->setFocusPolicy(Qt::NoFocus);
    m_contextButton->hide();
    m_contextButton->setAttribute(Qt::WA_NoMousePropagation);
    m_contextButton->setCursor(Qt::ArrowCursor);
    connect(m_contextButton, &QToolButton::clicked, this, &SkinGroupBox::showContextMenu);
    updateButtonIcons();
}

QString SkinGroupBox::title() const
{
    return m_titleLabel->text();
}

void SkinGroupBox::setTitle(const QString &title)
{
    m_titleLabel->setText(title);
}

void SkinGroupBox::setTitleAlignment(Qt::Alignment alignment)
{
    m_titleAlignment = alignment;
    m_titleLabel->setAlignment(alignment);
}

void SkinGroupBox::setExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    if (m_expandedHeight < 1)
        m_expandedHeight = height();
    resize(width(), expanded ? m_expandedHeight : m_titleHeight - 1);
    emit expandChanged();
}

void SkinGroupBox::setContextMenu(QMenu *menu)
{
    m_contextMenu = menu;
    if (menu)
        connect(menu, &QMenu::aboutToHide, m_contextButton, [this] { m_contextButton->setFocus(); });
}

void SkinGroupBox::updateButtonIcons()
{
    m_expandImage = skinTintedImage(QStringLiteral(":/widgets/images/Expand.png"));
    m_collapseImage = skinTintedImage(QStringLiteral(":/widgets/images/Collapse.png"));
    m_contextButton->setIcon(skinTintedIcon(QStringLiteral(":/widgets/images/ContextButton.png")));
}

void SkinGroupBox::setVisible(bool visible)
{
    // Applied even when the state does not change: an explicit hide before
    // the window shows keeps the panel hidden then.
    const bool wasHidden = isHidden();
    QWidget::setVisible(visible);
    if (isHidden() != wasHidden)
        emit visibleChanged();
}

void SkinGroupBox::showContextMenu()
{
    if (!m_contextMenu || m_contextButton->isHidden())
        return;
    m_contextMenu->resize(m_contextMenu->sizeHint());
    popupMenuInScreen(m_contextMenu, skinMenuPositionUnder(m_contextButton, m_contextMenu, m_contextMenuRightAligned));
}

void SkinGroupBox::layoutTitleBar()
{
    const int w = width();
    const int t = m_titleHeight;
    // Room for the arrow on the left of an expandable panel's title.
    const int x = m_expandable ? 18 : 2;
    m_titleLabel->setGeometry(QRect(QPoint(x, 0), QPoint(x + w - 19, t - 2)));
    m_contextButton->setGeometry(QRect(QPoint(w - 26, 2), QPoint(w - 3, t - 2)));
}

void SkinGroupBox::mousePressEvent(QMouseEvent *event)
{
    if (!m_expandable)
        return;
    const QPoint pos = event->localPos().toPoint();
    if (pos.y() >= m_titleHeight)
        return;
    if (m_contextButton->isHidden() || pos.x() < m_contextButton->x())
        setExpanded(!m_expanded);
}

void SkinGroupBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutTitleBar();
}

void SkinGroupBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_expandedHeight < 1)
        m_expandedHeight = height();
    layoutTitleBar();
}

void SkinGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinStyledBackground(this, painter);

    const int w = width();
    const int t = m_titleHeight;
    paintSkinTitledPanel(painter, size(), t);
    painter.setPen(skinLightLineColor);
    if (m_expanded)
        painter.drawLine(1, t - 1, w - 2, t - 1);
    else
        painter.drawLine(0, t - 1, w - 1, t - 1);

    if (m_expandable) {
        const QImage &arrow = m_expanded ? m_collapseImage : m_expandImage;
        painter.drawImage(4, (t - arrow.height()) / 2, arrow);
    }
}
