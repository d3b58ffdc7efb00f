#include "skin/controls/skinimagecontrol.h"

#include "model/sketchglobals.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skinpainting.h"
#include "skin/windows/skinplatformdialogs.h"

#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {

SkinImageControl::FileDialogHook &installedHook()
{
    static SkinImageControl::FileDialogHook hook;
    return hook;
}

// What "Yes, compress" does to both sides of a large picture.
constexpr float CompressedScale = 0.3f;

} // namespace

SkinImageControl::SkinImageControl(QWidget *parent)
    : QWidget(parent)
    , m_brush(SkinBrushImage)
{
    setAttribute(Qt::WA_NoMousePropagation);
    m_contextMenu = new QMenu(this);
    m_openAction = m_contextMenu->addAction(tr("Open..."));
    m_contextMenu->addSeparator();
    m_clearAction = m_contextMenu->addAction(tr("Clear"));
    connect(m_openAction, &QAction::triggered, this, &SkinImageControl::openImageFile);
    connect(m_clearAction, &QAction::triggered, this, &SkinImageControl::clearSelectedImage);
}

void SkinImageControl::setFileDialogHook(const FileDialogHook &hook)
{
    installedHook() = hook;
}

SkinImageControl::FileDialogHook SkinImageControl::fileDialogHook()
{
    return installedHook();
}

void SkinImageControl::setSelectedBrush(const SkinBrush &brush)
{
    m_brush.setImageData(brush.imageData());
}

QString SkinImageControl::askForFile()
{
    const QString caption = tr("Images");
    const QString filter = tr("Images(%1)").arg(SketchGlobals::imageFilter);
    // A copy: the hook may replace itself while it answers.
    if (const FileDialogHook hook = installedHook())
        return hook(this, caption, filter);
    return SkinPlatformDialogs::getOpenFileNames(this, caption, QString(), filter, QFileDialog::ExistingFile).value(0);
}

void SkinImageControl::openImageFile()
{
    setCursor(Qt::WaitCursor);
    const QString fileName = askForFile();
    if (fileName.isEmpty()) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    const int answer = SkinMessageBox::question(this, tr("Confirm"), tr("Images need to be compressed automatically?"),
                                                SkinMessageBox::ButtonsYesNo);
    const float scale = answer == SkinMessageBox::ResultYes ? CompressedScale : 1.0f;
    // Loaded aside first: a file that does not read must not cost the
    // picture the brush has, nor be reported as a change.
    SkinBrush loaded(SkinBrushImage);
    loaded.loadImageFile(fileName, scale);
    if (loaded.imageData().isEmpty()) {
        setCursor(Qt::ArrowCursor);
        SkinMessageBox::warning(this, tr("Warning"), tr("The image file cannot be read."), SkinMessageBox::ButtonsOk);
        return;
    }
    m_brush.setImageData(loaded.imageData());
    update();
    onSelectedBrushChanged();
    setCursor(Qt::ArrowCursor);
}

void SkinImageControl::clearSelectedImage()
{
    m_brush.setImageData(QByteArray());
    update();
    onSelectedBrushChanged();
}

void SkinImageControl::onSelectedBrushChanged()
{
    emit selectedBrushChanged(SkinBrush(m_brush));
    emit selectedBrushChanged();
}

void SkinImageControl::mousePressEvent(QMouseEvent *)
{
    m_pressed = true;
    update();
}

void SkinImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    update();
    if (event->button() == Qt::LeftButton) {
        openImageFile();
    } else if (event->button() == Qt::RightButton) {
        m_clearAction->setEnabled(!m_brush.isTransparent());
        m_contextMenu->exec(QCursor::pos());
    }
}

void SkinImageControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawSkinStyledBackground(this, painter);
    if (!m_brush.isTransparent())
        m_brush.fillRect(&painter, QRectF(1, 1, width() - 2, height() - 2));
    if (m_pressed) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        // The outline's last column and row are W - 6 and H - 6.
        painter.drawRect(QRect(4, 4, width() - 10, height() - 10));
    }
}
