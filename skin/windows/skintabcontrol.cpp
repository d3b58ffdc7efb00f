#include "skin/windows/skintabcontrol.h"

#include "model/filehelpers.h"
#include "skin/windows/skinmenu.h"
#include "skin/windows/skinpainting.h"
#include "skin/windows/skintheme.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLinearGradient>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace {

// The page's own icon. QWidget::windowIcon() falls back to the icon of the
// window around the page (the main window's), which would turn every tab
// without an icon into a copy of the program's icon.
QIcon ownIcon(const QWidget *page)
{
    return page->testAttribute(Qt::WA_SetWindowIcon) ? page->windowIcon() : QIcon();
}

} // namespace

SkinTabControl::SkinTabControl(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_NoMousePropagation);
    setCursor(Qt::ArrowCursor);

    m_contextButton = new QToolButton(this);
    m_contextButton->setStyleSheet(QStringLiteral("background:transparent;"));
    // Flat until hovered: under the style sheet's transparent tool-button
    // background the platform style would fill a raised button dark.
    m_contextButton->setAutoRaise(true);
    m_contextButton->setFocusPolicy(Qt::NoFocus);
    m_contextButton->hide();
    m_contextButton->setAttribute(Qt::WA_NoMousePropagation);
    m_contextButton->setCursor(Qt::ArrowCursor);
    connect(m_contextButton, &QToolButton::clicked, this, &SkinTabControl::showContextMenu);

    m_tabMenu = new SkinMenu(this);
    setContextMenu(new SkinMenu(this));
    updateButtonIcons();
}

// --- Pages --------------------------------------------------------------------

QWidget *SkinTabControl::addPage(const QIcon &icon, const QString &title, bool select)
{
    auto *page = new QWidget(this);
    page->setMouseTracking(true);
    page->setWindowTitle(title);
    page->setWindowIcon(icon);
    insertPage(page, select);
    return page;
}

QWidget *SkinTabControl::addPage(const QIcon &icon, bool select)
{
    return addPage(icon, QString(), select);
}

QWidget *SkinTabControl::addPage(const QString &title, bool select)
{
    return addPage(QIcon(), title, select);
}

void SkinTabControl::insertPage(QWidget *page, bool select)
{
    if (page->parentWidget() != this)
        page->setParent(this);
    page->hide();
    page->setMouseTracking(true);
    page->setGeometry(pageRect());
    m_pages.append(page);

    if (m_closeButtonsVisible) {
        auto *button = new QPushButton(this);
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
        button->setAttribute(Qt::WA_NoMousePropagation);
        button->setCursor(Qt::ArrowCursor);
        button->resize(16, 16);
        button->setToolTip(tr("Close"));
        connect(button, &QPushButton::clicked, this, &SkinTabControl::closeButtonClicked);
        m_closeButtons.append({button, page});
        updateButtonIcons();
    }
    layoutTabs();
    placeCloseButtons();

    if (!currentPage()) {
        setCurrentIndex(0);
    } else if (select) {
        setCurrentIndex(m_pages.size() - 1);
        emit selectedIndexChanged();
    }
    emit pageAdded(page);
}

void SkinTabControl::removePage(int index)
{
    if (index < 0 || index >= m_pages.size())
        return;
    QWidget *page = m_pages.takeAt(index);
    if (index < m_tabRects.size())
        m_tabRects.removeAt(index);
    // Also while close buttons are switched off: a button left behind would
    // point at a deleted page.
    for (int i = 0; i < m_closeButtons.size(); ++i) {
        if (m_closeButtons.at(i).page == page) {
            QPushButton *button = m_closeButtons.takeAt(i).button;
            button->hide();
            button->close();
            delete button;
            break;
        }
    }
    page->hide();
    page->close();
    delete page;

    layoutTabs();
    setCurrentIndex(index);
    emit selectedIndexChanged();
    emit pageRemoved(nullptr);
}

void SkinTabControl::removePage(QWidget *page)
{
    const int index = m_pages.indexOf(page);
    if (index >= 0)
        removePage(index);
}

void SkinTabControl::setCurrentIndex(int index)
{
    const int next = m_pages.isEmpty() ? -1 : qBound(0, index, m_pages.size() - 1);
    QWidget *nextPage = next >= 0 ? m_pages.at(next) : nullptr;
    if (m_shownPage && m_shownPage != nextPage)
        m_shownPage->hide();
    m_currentIndex = next;
    m_shownPage = nextPage;
    if (nextPage)
        nextPage->show();
    update(0, 0, width(), m_tabHeight);
    placeCloseButtons();
}

QWidget *SkinTabControl::currentPage() const
{
    return m_pages.value(m_currentIndex, nullptr);
}

void SkinTabControl::setPageTitle(int index, const QString &title)
{
    if (index < 0 || index >= m_pages.size())
        return;
    m_pages.at(index)->setWindowTitle(title);
    updateTabs();
}

// --- Geometry and layout --------------------------------------------------------

QRect SkinTabControl::pageRect() const
{
    const QMargins &a = m_pageRectAdjustment;
    return QRect(QPoint(1 + a.left(), m_tabHeight + a.top()), QPoint(width() - 1 + a.right(), height() - 1 + a.bottom()));
}

QRect SkinTabControl::tabRect(int index) const
{
    return m_tabRects.value(index, QRect());
}

void SkinTabControl::setPageRectAdjustment(int dx1, int dy1, int dx2, int dy2)
{
    m_pageRectAdjustment = QMargins(dx1, dy1, dx2, dy2);
}

void SkinTabControl::updateTabs()
{
    layoutTabs();
    update(0, 0, width(), m_tabHeight);
    placeCloseButtons();
}

int SkinTabControl::naturalTabWidth(const QWidget *page) const
{
    const QIcon icon = ownIcon(page);
    int width = icon.isNull() ? fontMetrics().boundingRect(page->windowTitle()).width() + 16
                              : icon.actualSize(QSize(100, 100), QIcon::Normal, QIcon::Off).width() + 8;
    if (m_closeButtonsVisible)
        width += 20;
    return width;
}

void SkinTabControl::layoutTabs()
{
    m_tabRects.clear();
    if (m_equalTabWidth)
        layoutEqualTabs();
    else
        layoutNaturalTabs();
}

void SkinTabControl::layoutNaturalTabs()
{
    const bool button = !m_contextButton->isHidden();
    const int buttonX = m_contextButton->x();
    bool cut = false;
    int x = 0;
    for (const QWidget *page : qAsConst(m_pages)) {
        if (cut) {
            m_tabRects.append(QRect());
            continue;
        }
        const int width = naturalTabWidth(page);
        QRect r(x, 0, width, m_tabHeight);
        if (button && r.right() > buttonX) {
            r.setRight(buttonX - 2);
            cut = true;
            if (r.width() <= 0)
                r = QRect();
        }
        m_tabRects.append(r);
        // Neighbours share their edge column.
        x += width - 1;
    }
}

void SkinTabControl::layoutEqualTabs()
{
    const int n = m_pages.size();
    if (n == 0)
        return;
    const int available = m_contextButton->isHidden() ? width() : m_contextButton->x() - 2;
    const int w = available / n;
    for (int i = 0; i < n - 1; ++i)
        m_tabRects.append(QRect(i * w, 0, w, m_tabHeight));
    // The last tab starts on the column before its share and reaches the end.
    m_tabRects.append(QRect(QPoint((n - 1) * w - 1, 0), QPoint(available - 1, m_tabHeight - 1)));
}

void SkinTabControl::placeCloseButtons()
{
    for (const CloseButton &close : qAsConst(m_closeButtons)) {
        const QRect r = tabRect(m_pages.indexOf(close.page));
        if (!m_closeButtonsVisible || r.isNull()) {
            close.button->hide();
            continue;
        }
        close.button->move(r.right() - 18, m_tabHeight / 2 - 8);
        close.button->show();
    }
}

// --- Buttons and menus ------------------------------------------------------------

void SkinTabControl::setContextMenu(QMenu *menu)
{
    m_contextMenu = menu;
    if (menu)
        connect(menu, &QMenu::aboutToHide, m_contextButton, [this] { m_contextButton->setFocus(); });
}

void SkinTabControl::setCloseButtonsVisible(bool visible)
{
    m_closeButtonsVisible = visible;
    placeCloseButtons();
}

void SkinTabControl::updateButtonIcons()
{
    const QIcon close = skinTintedIcon(QStringLiteral(":/widgets/images/SmallClose.png"));
    for (const CloseButton &button : qAsConst(m_closeButtons))
        button.button->setIcon(close);
    m_contextButton->setIcon(skinTintedIcon(QStringLiteral(":/widgets/images/ContextButton.png")));
}

void SkinTabControl::showContextMenu()
{
    if (!m_contextMenu)
        return;
    emit contextMenuShowing();
    // A listener may have replaced or removed the menu.
    QMenu *menu = m_contextMenu;
    if (!menu || menu->actions().isEmpty() || m_contextButton->isHidden())
        return;
    menu->adjustSize();
    menu->move(skinMenuPositionUnder(m_contextButton, menu, m_contextMenuRightAligned));
    menu->show();
}

void SkinTabControl::closeButtonClicked()
{
    for (const CloseButton &close : qAsConst(m_closeButtons)) {
        if (close.button != sender())
            continue;
        const int index = m_pages.indexOf(close.page);
        if (index >= 0)
            emit pageClosing(index);
        return;
    }
}

// --- Events -------------------------------------------------------------------------

void SkinTabControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->localPos().toPoint();
    for (int i = 0; i < m_tabRects.size() && i < m_pages.size(); ++i) {
        if (!m_tabRects.at(i).contains(pos))
            continue;
        if (i != m_currentIndex) {
            setCurrentIndex(i);
            emit selectedIndexChanged();
        }
        break;
    }
    if (event->button() == Qt::RightButton && m_tabMenu && !m_pages.isEmpty() && currentPage()
        && pos.y() < m_tabHeight)
        popupMenuInScreen(m_tabMenu, event->globalPos());
    placeCloseButtons();
}

void SkinTabControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    m_contextButton->setGeometry(QRect(QPoint(w - 26, m_tabHeight / 2 - 8), QPoint(w - 3, m_tabHeight / 2 + 8)));
    layoutTabs();
    const QRect page = pageRect();
    for (QWidget *p : qAsConst(m_pages))
        p->setGeometry(page);
    placeCloseButtons();
}

void SkinTabControl::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    layoutTabs();
}

void SkinTabControl::acceptUrlDrag(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

void SkinTabControl::dragEnterEvent(QDragEnterEvent *event)
{
    acceptUrlDrag(event);
}

void SkinTabControl::dragMoveEvent(QDragMoveEvent *event)
{
    acceptUrlDrag(event);
}

void SkinTabControl::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit urlsDroped(event->mimeData()->urls());
}

// --- Painting -------------------------------------------------------------------------

void SkinTabControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    const int t = m_tabHeight;
    paintSkinTitledPanel(painter, size(), t);

    // A page whose content starts above its top (a negative first child)
    // covers the strip's bottom edge itself.
    const QWidget *current = currentPage();
    const QObjectList children = current ? current->children() : QObjectList();
    const QWidget *first = children.isEmpty() ? nullptr : qobject_cast<const QWidget *>(children.first());
    if (!first || first->y() >= 0) {
        painter.setPen(skinLightLineColor.lighter(110));
        painter.drawLine(1, t - 1, w - 2, t - 1);
    }

    for (int i = 0; i < m_tabRects.size() && i < m_pages.size(); ++i) {
        if (!m_tabRects.at(i).isNull())
            paintTab(painter, i, m_tabRects.at(i));
    }
}

void SkinTabControl::paintTab(QPainter &painter, int index, const QRect &r) const
{
    const int x1 = r.left();
    const int y1 = r.top();
    const int x2 = r.right();
    const int y2 = r.bottom();
    painter.setPen(skinBorderColor);
    painter.drawLine(x2, 1, x2, y2 - 1);

    if (index == m_currentIndex) {
        const int h = height() < m_tabHeight ? height() - 2 : y2 - y1;
        QLinearGradient gradient(0, y1, 0, y2);
        gradient.setColorAt(0, skinPanelColor.lighter(120));
        gradient.setColorAt(1, skinPanelColor);
        painter.fillRect(QRect(QPoint(x1 + 1, y1 + 1), QPoint(x2 - 1, y1 + h)), gradient);
        painter.setPen(skinLightLineColor.lighter(150));
        painter.drawLine(x1 + 1, 1, x2 - 1, 1);
    }

    const QWidget *page = m_pages.at(index);
    const QIcon icon = ownIcon(page);
    if (!icon.isNull()) {
        icon.paint(&painter, r, Qt::AlignCenter, QIcon::Normal, QIcon::Off);
        return;
    }
    // Widened to the left only, so the title sits 6 pixels left of the
    // tab's centre.
    const QRect textRect(QPoint(x1 - 12, y1), QPoint(x2, y2));
    const QString title = fontMetrics().elidedText(page->windowTitle(), Qt::ElideRight, textRect.width());
    painter.setPen(skinTextColor);
    painter.setFont(font());
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, title);
}
