#include "skin/controls/skinpenpicker.h"

#include "skin/controls/skinpentable.h"
#include "skin/windows/skintheme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace {

// Wider pens show no wider in the swatch.
constexpr float MaxMarkSize = 7.0f;

} // namespace

SkinPenPicker::SkinPenPicker(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
    m_pen.setCapStyle(Qt::RoundCap);

    m_popupWindow = new QWidget(this, Qt::Popup);
    m_popupWindow->setObjectName(QStringLiteral("popupWindow"));
    m_penTable = new SkinPenTable(m_popupWindow);
    m_okButton = new QPushButton(tr("OK"), m_popupWindow);
    m_cancelButton = new QPushButton(tr("Cancel"), m_popupWindow);

    connect(m_penTable, qOverload<>(&SkinPenTable::selectedPenAccepted), this, &SkinPenPicker::onSelectedPenChanged);
    connect(m_penTable, qOverload<>(&SkinPenTable::selectedPenAccepted), m_popupWindow, &QWidget::close);
    connect(m_okButton, &QPushButton::clicked, this, &SkinPenPicker::onSelectedPenChanged);
    connect(m_okButton, &QPushButton::clicked, m_popupWindow, &QWidget::close);
    connect(m_cancelButton, &QPushButton::clicked, m_popupWindow, &QWidget::close);
}

void SkinPenPicker::setSelectedPen(const QPen &pen)
{
    m_pen = pen;
    update();
}

void SkinPenPicker::onSelectedPenChanged()
{
    // With no sample matching the pen shown there is nothing to take; a
    // default pen here would turn a wide stroke into a 1 px one.
    if (m_penTable->selectedIndex() < 0)
        return;
    m_pen = m_penTable->selectedPen();
    emit selectedPenChanged();
    emit selectedPenChanged(m_pen);
    emit selectedPenWidthChanged(QStringLiteral("%1px").arg(m_pen.width()));
    update();
}

void SkinPenPicker::mousePressEvent(QMouseEvent *)
{
    m_pressed = true;
    update();
}

void SkinPenPicker::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    update();
    if (event->button() == Qt::LeftButton)
        openPopup();
}

void SkinPenPicker::openPopup()
{
    m_penTable->setSelectedPen(m_pen);
    const QPoint origin = mapToGlobal(QPoint(0, height() - 1));
    m_popupWindow->setGeometry(m_popupRect.translated(origin));
    const int pw = m_popupRect.right() - m_popupRect.left();
    const int ph = m_popupRect.bottom() - m_popupRect.top();
    m_penTable->setGeometry(QRect(QPoint(4, 4), QPoint(pw - 4, ph - 28)));
    m_okButton->setGeometry(QRect(QPoint(pw - 149, ph - 24), QPoint(pw - 80, ph - 5)));
    m_cancelButton->setGeometry(QRect(QPoint(pw - 74, ph - 24), QPoint(pw - 5, ph - 5)));
    m_popupWindow->show();
}

void SkinPenPicker::paintMark(QPainter *painter) const
{
    const float d = std::min(float(m_pen.widthF()), MaxMarkSize);
    const int cx = (width() - 2) / 2;
    const int cy = (height() - 2) / 2;
    const QRectF mark(cx - d / 2 + 1, cy - d / 2 + 1, d, d);
    painter->setRenderHint(QPainter::Antialiasing, d > 1);
    if (m_pen.capStyle() == Qt::RoundCap && d > 1) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::black);
        painter->drawEllipse(mark);
    } else {
        painter->fillRect(mark, Qt::black);
    }
}

void SkinPenPicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);

    const QRect frame(QPoint(0, 0), QPoint(width() - 2, height() - 2));
    painter.setPen(skinButtonPressedBorderColor);
    if (m_pressed) {
        painter.fillRect(frame, skinButtonPressedTopColor);
        painter.drawRect(frame);
    }
    painter.fillRect(QRect(QPoint(3, 3), QPoint(width() - 5, height() - 5)), Qt::white);
    paintMark(&painter);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(skinButtonPressedBorderColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
}
