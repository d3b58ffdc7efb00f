#include "skin/windows/skinwindow.h"

#include "skin/windows/skinpainting.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QTextOption>
#include <QToolBar>

namespace {

const Qt::WindowFlags skinWindowFlags = Qt::FramelessWindowHint | Qt::WindowSystemMenuHint
                                        | Qt::WindowMinimizeButtonHint;

Qt::CursorShape cursorFor(int region)
{
    switch (region) {
    case SkinWindow::HitLeft:
    case SkinWindow::HitRight:
        return Qt::SizeHorCursor;
    case SkinWindow::HitTop:
    case SkinWindow::HitBottom:
        return Qt::SizeVerCursor;
    case SkinWindow::HitTopLeft:
    case SkinWindow::HitBottomRight:
        return Qt::SizeFDiagCursor;
    case SkinWindow::HitTopRight:
    case SkinWindow::HitBottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool isButtonRegion(int region)
{
    return region >= SkinWindow::HitCloseButton && region <= SkinWindow::HitMinButton;
}

// A caption button `width` pixels wide whose right edge is just left of
// `left` (the left edge of the button to its right); a hidden button is empty
// there, so the buttons further left move right.
QRect buttonRectLeftOf(int left, int width, bool visible)
{
    if (!visible)
        return QRect(QPoint(left, 1), QPoint(left - 1, 20));
    return QRect(QPoint(left - width, 1), QPoint(left - 1, 20));
}

QScreen *screenOf(const QWidget *widget)
{
    QScreen *screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

} // namespace

SkinWindow::SkinWindow(QWidget *parent)
    : QWidget(parent, skinWindowFlags)
{
    init();
}

SkinWindow::SkinWindow(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, skinWindowFlags | flags)
{
    init();
}

void SkinWindow::init()
{
    setAttribute(Qt::WA_MouseTracking);
    setMinimumSize(50, 50);
    m_normalGeometry = geometry();

    m_menuBar = new QMenuBar(this);
    m_menuBar->hide();
    m_menuBar->setAttribute(Qt::WA_NoMousePropagation);
    m_menuBar->setCursor(Qt::ArrowCursor);

    m_toolBar = new QToolBar(this);
    m_toolBar->setIconSize(QSize(20, 20));
    m_toolBar->hide();
    m_toolBar->setAttribute(Qt::WA_NoMousePropagation);
    m_toolBar->setCursor(Qt::ArrowCursor);

    m_centralWidget = new QWidget(this);
    m_centralWidget->setObjectName(QStringLiteral("skinWindowCentralWidget"));
    m_centralWidget->setAttribute(Qt::WA_MouseTracking);
    m_centralWidget->setCursor(Qt::ArrowCursor);

    // Not virtual yet: a subclass's version runs only from its own code.
    SkinWindow::useThemeStyle();
}

// --- Geometry -----------------------------------------------------------------

QRect SkinWindow::clientRect() const
{
    return QRect(QPoint(m_borderWidth, m_borderHeight + m_captionHeight),
                 QPoint(width() - 1 - m_borderWidth, height() - 1 - m_borderHeight));
}

QRect SkinWindow::closeButtonRect() const
{
    const int right = width() - m_borderWidth;
    if (!m_closeButtonVisible)
        return QRect(QPoint(right, 1), QPoint(right - 1, 20));
    return QRect(QPoint(right - 48, 1), QPoint(right - 1, 20));
}

QRect SkinWindow::maxButtonRect() const
{
    return buttonRectLeftOf(closeButtonRect().left(), 28, m_maxButtonVisible);
}

QRect SkinWindow::minButtonRect() const
{
    return buttonRectLeftOf(maxButtonRect().left(), 29, m_minButtonVisible);
}

QRect SkinWindow::buttonsRect() const
{
    QRect all;
    if (m_closeButtonVisible)
        all |= closeButtonRect();
    if (m_maxButtonVisible)
        all |= maxButtonRect();
    if (m_minButtonVisible)
        all |= minButtonRect();
    return all;
}

QRect SkinWindow::captionRect() const
{
    const int left = m_borderWidth + (hasCaptionIcon() ? 16 : 0);
    const int right = width() - m_borderWidth - buttonsRect().width() - 1;
    return QRect(QPoint(left, m_borderHeight), QPoint(right, m_borderHeight + m_captionHeight - 1));
}

QPolygon SkinWindow::windowOutline() const
{
    const int w = width();
    const int h = height();
    QPainterPath path;
    path.moveTo(2, 0);
    path.lineTo(w - 2, 0);
    path.lineTo(w, 2);
    path.lineTo(w, h);
    path.lineTo(0, h);
    path.lineTo(0, 2);
    path.closeSubpath();
    return path.toFillPolygon().toPolygon();
}

int SkinWindow::captionBottom() const
{
    const int toolBar = m_toolBar->isHidden() ? 0 : m_toolBar->height();
    return m_borderHeight + m_captionHeight + toolBar;
}

bool SkinWindow::hasCaptionIcon() const
{
    return m_iconVisible && !windowIcon().isNull();
}

bool SkinWindow::canResizeWidth() const
{
    return !m_maximized && sizePolicy().horizontalPolicy() != QSizePolicy::Fixed && m_borderWidth > 0;
}

bool SkinWindow::canResizeHeight() const
{
    return !m_maximized && sizePolicy().verticalPolicy() != QSizePolicy::Fixed && m_borderHeight > 0;
}

int SkinWindow::hitTest(const QPoint &pos) const
{
    const QRect client = clientRect();
    const int l = client.left();
    const int r = client.right();
    const int b = client.bottom();
    const int k = captionBottom();
    const int x = pos.x();
    const int y = pos.y();
    const bool width = canResizeWidth();
    const bool height = canResizeHeight();

    if (m_closeButtonVisible && closeButtonRect().contains(pos))
        return HitCloseButton;
    if (m_maxButtonVisible && maxButtonRect().contains(pos))
        return HitMaxButton;
    if (m_minButtonVisible && minButtonRect().contains(pos))
        return HitMinButton;
    // The top border belongs to the caption: it moves the window.
    if (!m_maximized && l < x && x < r && y < k)
        return HitCaption;
    if (width && x < l && k < y && y < b)
        return HitLeft;
    if (width && x > r && k < y && y < b)
        return HitRight;
    if (height && l < x && x < r && y > b)
        return HitBottom;
    if (width && height && x < l && y < m_borderHeight)
        return HitTopLeft;
    if (width && height && x > r && y > b)
        return HitBottomRight;
    if (width && height && x > r && y < m_borderHeight)
        return HitTopRight;
    if (width && height && x < l && y > b)
        return HitBottomLeft;
    return HitNone;
}

void SkinWindow::setHoverRegion(int region)
{
    if (region == m_hoverRegion)
        return;
    const int old = m_hoverRegion;
    m_hoverRegion = region;
    setCursor(cursorFor(region));
    m_closeButtonState = region == HitCloseButton ? ButtonHovered : ButtonNormal;
    m_maxButtonState = region == HitMaxButton ? ButtonHovered : ButtonNormal;
    m_minButtonState = region == HitMinButton ? ButtonHovered : ButtonNormal;
    if (isButtonRegion(old) || isButtonRegion(region))
        update(buttonsRect());
}

// --- Busy, placement, maximizing ------------------------------------------------

void SkinWindow::setBusy(bool busy)
{
    if (busy && !m_busyOverlay) {
        m_busyOverlay = new QWidget(this);
        m_busyOverlay->setGeometry(0, 0, width(), height());
        m_busyOverlay->setStyleSheet(QStringLiteral("QWidget { background:transparent; }"));
        m_busyOverlay->show();
        m_busyOverlay->setCursor(Qt::WaitCursor);
    } else if (!busy && m_busyOverlay) {
        m_busyOverlay->setCursor(Qt::ArrowCursor);
        m_busyOverlay->hide();
        delete m_busyOverlay;
        m_busyOverlay = nullptr;
    }
}

void SkinWindow::moveToCenter(QWidget *widget)
{
    if (widget) {
        move(widget->mapToGlobal(QPoint((widget->width() - width()) / 2, (widget->height() - height()) / 2)));
        return;
    }
    const QRect desktop = screenOf(this)->virtualGeometry();
    move((desktop.width() - width()) / 2, (desktop.height() - height()) / 2);
}

void SkinWindow::showMaximized()
{
    if (!isVisible())
        show();
    if (m_maximized || !m_maxButtonVisible)
        return;
    m_maximized = true;
    m_normalGeometry = geometry();
    const QRect area = screenOf(this)->availableGeometry();
    setGeometry(area.x() - m_borderWidth, area.y() - 2, area.width() + 2 * m_borderWidth,
                area.height() + m_borderHeight + 3);
}

void SkinWindow::showNormal()
{
    if (!m_maximized)
        return;
    m_maximized = false;
    setGeometry(m_normalGeometry);
}

void SkinWindow::toggleMaximized()
{
    if (m_maximized)
        showNormal();
    else
        showMaximized();
}

void SkinWindow::changeTheme(SkinThemeStyle style)
{
    setSkinThemeStyle(style);
    useThemeStyle();
}

void SkinWindow::useThemeStyle()
{
    applyStyleSheet(skinStyleSheet);
}

void SkinWindow::applyStyleSheet(const QString &sheet)
{
    // Qt re-applies a changed sheet to the children only once the window has
    // been polished; before that they would keep the rules they were first
    // given, so a theme restored before the first show left the old colours.
    ensurePolished();
    setStyleSheet(sheet);
    m_menuBar->adjustSize();
}

// --- Events -----------------------------------------------------------------------

bool SkinWindow::event(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        setHoverRegion(HitNone);
    return QWidget::event(event);
}

void SkinWindow::mousePressEvent(QMouseEvent *event)
{
    m_lastMousePos = event->globalPos();
    if (event->button() != Qt::LeftButton)
        return;
    if (m_closeButtonVisible && m_closeButtonState == ButtonHovered) {
        m_closeButtonState = ButtonPressed;
        update(closeButtonRect());
    } else if (m_maxButtonVisible && m_maxButtonState == ButtonHovered) {
        m_maxButtonState = ButtonPressed;
        update(maxButtonRect());
    } else if (m_minButtonVisible && m_minButtonState == ButtonHovered) {
        m_minButtonState = ButtonPressed;
        update(minButtonRect());
    }
}

void SkinWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton)
        setHoverRegion(hitTest(event->pos()));
    else if (event->buttons() == Qt::LeftButton)
        dragTo(event);
}

// Moves or resizes by the region the drag started on; the region is not
// looked at again while the button is held.
void SkinWindow::dragTo(const QMouseEvent *event)
{
    const QRect g = geometry();
    const QPoint p = mapToParent(event->pos());
    const QPoint e = mapToParent(QPoint(width(), height()));
    const QPoint d = event->globalPos() - m_lastMousePos;
    QRect next;
    switch (m_hoverRegion) {
    case HitCaption:
        if (!m_maximized)
            next = g.translated(d);
        break;
    case HitLeft:
        next = QRect(QPoint(p.x(), g.top()), QPoint(e.x() - 1, g.bottom()));
        break;
    case HitRight:
        next = QRect(g.topLeft(), QPoint(g.right() + d.x(), g.bottom()));
        break;
    case HitTop:
        next = QRect(QPoint(g.left(), p.y()), QPoint(g.right(), e.y() - 1));
        break;
    case HitBottom:
        next = QRect(g.topLeft(), QPoint(g.right(), g.bottom() + d.y()));
        break;
    case HitTopLeft:
        next = QRect(p, e - QPoint(1, 1));
        break;
    case HitBottomRight:
        next = QRect(g.topLeft(), g.bottomRight() + d);
        break;
    case HitTopRight:
        next = QRect(QPoint(g.left(), p.y()), QPoint(g.right() + d.x(), e.y() - 1));
        break;
    case HitBottomLeft:
        next = QRect(QPoint(p.x(), g.top()), QPoint(e.x() - 1, g.bottom() + d.y()));
        break;
    default:
        break;
    }
    if (!next.isNull())
        setGeometry(next);
    m_lastMousePos = event->globalPos();
}

void SkinWindow::mouseReleaseEvent(QMouseEvent *event)
{
    setHoverRegion(hitTest(event->pos()));
    const int region = m_hoverRegion;
    if (region == HitNone)
        return;
    const QPoint pos = event->pos();
    m_closeButtonState = m_closeButtonVisible && closeButtonRect().contains(pos) ? ButtonHovered : ButtonNormal;
    m_maxButtonState = m_maxButtonVisible && maxButtonRect().contains(pos) ? ButtonHovered : ButtonNormal;
    m_minButtonState = m_minButtonVisible && minButtonRect().contains(pos) ? ButtonHovered : ButtonNormal;
    update(buttonsRect());
    if (event->button() == Qt::LeftButton) {
        // A slot of windowClosed() may delete the window.
        const QPointer<SkinWindow> alive(this);
        switch (region) {
        case HitCloseButton:
            m_closeButtonState = ButtonNormal;
            close();
            break;
        case HitMaxButton:
            m_maxButtonState = ButtonNormal;
            toggleMaximized();
            break;
        case HitMinButton:
            m_minButtonState = ButtonNormal;
            QWidget::showMinimized();
            break;
        default:
            break;
        }
        if (!alive)
            return;
        setHoverRegion(HitNone);
    }
    m_lastMousePos = event->globalPos();
}

void SkinWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QRect client = clientRect();
    const QPoint pos = event->pos();
    if (event->buttons() == Qt::LeftButton && client.left() < pos.x() && pos.x() < client.right()
        && pos.y() < client.top())
        toggleMaximized();
}

void SkinWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    setMask(QRegion(windowOutline(), Qt::OddEvenFill));
    const QRect client = clientRect();
    const int l = client.left();
    const int t = client.top();
    int toolBar = 0;
    if (!m_toolBar->isHidden()) {
        m_toolBar->setGeometry(QRect(QPoint(l + 1, t + 1), QPoint(client.right() - 1, t + m_toolBarHeight)));
        toolBar = m_toolBarHeight;
    }
    m_centralWidget->setGeometry(QRect(QPoint(l + 1, t + 1 + toolBar), client.bottomRight() - QPoint(1, 1)));
}

void SkinWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    emit windowClosed();
}

void SkinWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    const QRect caption = captionRect();
    m_menuBar->move(caption.left(), caption.top() - 2);
    m_menuBar->adjustSize();
}

// --- Painting ---------------------------------------------------------------------

void SkinWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinStyledBackground(this, painter);

    painter.setPen(skinLightLineColor);
    painter.drawLine(3, 1, width() - 4, 1);
    paintFrame(painter);
    paintCaption(painter);
    if (m_closeButtonVisible)
        paintCloseButton(painter);
    if (m_maxButtonVisible)
        paintMaxButton(painter);
    if (m_minButtonVisible)
        paintMinButton(painter);
}

void SkinWindow::paintFrame(QPainter &painter) const
{
    const QRect client = clientRect();
    const int l = client.left();
    const int t = client.top();
    const int r = client.right();
    const int b = client.bottom();
    if (m_borderWidth > 0 && m_borderHeight > 0) {
        painter.setPen(skinBorderColor);
        painter.drawRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)));
    } else if (m_borderWidth > 0) {
        painter.setPen(skinBorderColor);
        painter.drawLine(l, t, l, b);
        painter.drawLine(r, t, r, b);
        painter.drawLine(l + 1, t - 1, r - 1, t - 1);
        painter.setPen(skinLightLineColor);
        painter.drawLine(l + 1, t, r - 1, t);
    } else if (m_borderHeight > 0 || m_captionHeight > 0) {
        painter.setPen(skinBorderColor);
        painter.drawLine(l + 1, t - 1, r - 1, t - 1);
        painter.drawLine(l + 1, b, r - 1, b);
        painter.setPen(skinLightLineColor);
        painter.drawLine(l + 1, t, r - 1, t);
        painter.drawLine(l + 1, b + 1, r - 1, b + 1);
        if (m_borderHeight > 0) {
            const QRect bar(QPoint(1, height() - m_borderHeight + 1), QPoint(width() - 2, height() - 2));
            painter.fillRect(bar, skinPanelColor);
            if (canResizeHeight()) {
                // The grip: ten short black lines in the middle of the bar.
                const int m = (1 + width() - 2) / 2;
                painter.setPen(Qt::black);
                for (int x = m - 5; x <= m + 13; x += 2)
                    painter.drawLine(x, bar.top() + 1, x, bar.bottom() - 2);
            }
        }
    }
}

void SkinWindow::paintCaption(QPainter &painter) const
{
    const bool icon = hasCaptionIcon();
    if (icon) {
        const QRect iconRect(m_borderWidth, (m_borderHeight + m_captionHeight - 16) / 2, 16, 16);
        windowIcon().paint(&painter, iconRect, Qt::AlignCenter, QIcon::Normal, QIcon::On);
    }
    if (m_titleVisible && !windowTitle().isEmpty()) {
        const QRect client = clientRect();
        // The full client width although the title starts after the icon:
        // a long title runs under the caption buttons.
        const QRectF titleRect(m_borderWidth + (icon ? 20 : 0), 0, client.right() - client.left() + 1,
                               m_borderHeight + m_captionHeight);
        painter.setFont(skinFont);
        painter.setPen(skinMenuTextColor);
        painter.drawText(titleRect, windowTitle(), QTextOption(m_titleAlignment));
    }
}

void SkinWindow::paintCloseButton(QPainter &painter) const
{
    const QRect r = closeButtonRect();
    const int x1 = r.left();
    const int y1 = r.top();
    const int x2 = r.right();
    const int y2 = r.bottom();
    drawCaptionButton(&painter, QPolygon({QPoint(x1, y1), QPoint(x1, y2), QPoint(x2, y2), QPoint(x2 + 1, y2 - 1),
                                          QPoint(x2 + 1, y1)}),
                      m_closeButtonState);
    const int cx = x1 + (x2 - x1 + 1) / 2;
    const int cy = y1 + (y2 - y1 + 1) / 2;
    painter.setPen(QPen(QBrush(skinMenuTextColor), y2 - y1 > 15 ? 2 : 1, Qt::SolidLine, Qt::SquareCap,
                        Qt::BevelJoin));
    painter.drawLine(cx - 3, cy - 3, cx + 3, cy + 3);
    painter.drawLine(cx - 3, cy + 3, cx + 3, cy - 3);
    painter.setPen(skinLightLineColor);
    painter.drawLine(x1, y2 + 1, x2 - 1, y2 + 1);
    painter.drawLine(x2, y2 + 1, x2 + 1, y2);
}

void SkinWindow::paintMaxButton(QPainter &painter) const
{
    const QRect r = maxButtonRect();
    const int x1 = r.left();
    const int y1 = r.top();
    const int x2 = r.right();
    const int y2 = r.bottom();
    drawCaptionButton(&painter, QPolygon({QPoint(x1, y1), QPoint(x1, y2), QPoint(x2 + 1, y2), QPoint(x2 + 1, y1)}),
                      m_maxButtonState);
    painter.setPen(QPen(QBrush(skinMenuTextColor), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    if (!m_maximized) {
        painter.drawRect(QRect(QPoint(x1 + 10, y1 + 6), QPoint(x1 + 17, y1 + 11)));
    } else {
        // The restore glyph: a small window in front of another.
        painter.drawRect(QRect(QPoint(x1 + 10, y1 + 8), QPoint(x1 + 15, y1 + 12)));
        painter.drawLine(x1 + 14, y1 + 8, x1 + 14, y1 + 5);
        painter.drawLine(x1 + 13, y1 + 5, x1 + 20, y1 + 5);
        painter.drawLine(x1 + 20, y1 + 4, x1 + 20, y1 + 11);
        painter.drawLine(x1 + 21, y1 + 11, x1 + 17, y1 + 11);
    }
    painter.setPen(skinLightLineColor);
    painter.drawLine(x1, y2 + 1, x2, y2 + 1);
}

void SkinWindow::paintMinButton(QPainter &painter) const
{
    const QRect r = minButtonRect();
    const int x1 = r.left();
    const int y1 = r.top();
    const int x2 = r.right();
    const int y2 = r.bottom();
    drawCaptionButton(&painter, QPolygon({QPoint(x1, y1), QPoint(x1, y2 - 2), QPoint(x1 + 2, y2), QPoint(x2 + 1, y2),
                                          QPoint(x2 + 1, y1)}),
                      m_minButtonState);
    painter.fillRect(QRect(QPoint(x1 + 10, y1 + 9), QPoint(x1 + 19, y1 + 10)), skinMenuTextColor);
    painter.setPen(skinLightLineColor);
    painter.drawLine(x1 + 2, y2 + 1, x1, y2 - 1);
    painter.drawLine(x1 + 2, y2 + 1, x2, y2 + 1);
}

void SkinWindow::drawCaptionButton(QPainter *painter, const QPolygon &shape, int state) const
{
    QColor border = skinButtonBorderColor;
    QColor top = skinButtonTopColor;
    QColor bottom = skinButtonBottomColor;
    if (state == ButtonHovered) {
        border = skinButtonHoverBorderColor;
        top = skinButtonHoverTopColor;
        bottom = skinButtonHoverBottomColor;
    } else if (state == ButtonPressed) {
        border = skinButtonPressedBorderColor;
        top = skinButtonPressedTopColor;
        bottom = skinButtonPressedBottomColor;
    }
    const QRect r = shape.boundingRect();
    const int mx = r.left() + r.width() / 2;
    QLinearGradient gradient(mx, r.top(), mx, r.bottom());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    QPainterPath path;
    path.addPolygon(shape);
    path.closeSubpath();
    painter->fillPath(path, gradient);
    painter->strokePath(path, QPen(border));
    if (state != ButtonPressed) {
        painter->setPen(skinLightLineColor);
        painter->drawLine(r.left() + 1, r.top(), r.right() - 1, r.top());
    }
}
