// SketchDocumentView: writing the page, its layers or the selected shapes to
// PNG, JPEG or BMP files.
#include "editor/sketchdocumentview.h"

#include "model/filehelpers.h"
#include "model/sketchdocument.h"
#include "skin/windows/skinmessagebox.h"

#include <QDir>
#include <QFileInfo>

namespace {

// "PNG", "JPG", "BMP", or whatever suffix was typed: it decides the
// background of the picture, while the encoder goes by the same suffix.
QString imageFormatOf(const QString &fileName)
{
    return QFileInfo(fileName).suffix().toUpper();
}

} // namespace

QString SketchDocumentView::askImageFileName()
{
    const QString filter = tr("PNG Images(*.png);;JPEG Images(*.jpg);;Bitmap Images(*.bmp)");
    if (m_saveFileNameAsker)
        return m_saveFileNameAsker(this, tr("Save"), title(), filter);
    return getSaveFileNameWithSuffix(this, tr("Save"), title(), filter);
}

void SketchDocumentView::reportImageExportFailure(const QString &fileName)
{
    SkinMessageBox::warning(this, tr("Save"),
                            tr("The image could not be written to %1.").arg(QDir::toNativeSeparators(fileName)),
                            SkinMessageBox::ButtonsOk);
    emit imageExportFailed(fileName);
}

void SketchDocumentView::exportToImage()
{
    const QString fileName = askImageFileName();
    if (fileName.isEmpty())
        return;
    if (!exportToImageFile(fileName, false))
        reportImageExportFailure(fileName);
}

bool SketchDocumentView::exportToImageFile(const QString &fileName, bool drawBorder)
{
    if (fileName.isEmpty())
        return false;
    return saveImageToFile(document()->renderToImage(drawBorder, imageFormatOf(fileName)), fileName);
}

void SketchDocumentView::exportLayersToImages()
{
    const QString fileName = askImageFileName();
    if (fileName.isEmpty())
        return;
    if (!exportLayersToImageFiles(fileName))
        reportImageExportFailure(fileName);
}

bool SketchDocumentView::exportLayersToImageFiles(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    const QString format = imageFormatOf(fileName);
    bool written = savePixmapToFile(renderToPixmap(true, format), fileName);
    const int count = layers().size();
    for (int i = 0; i < count; ++i) {
        const QPixmap layer = renderLayerToPixmap(i, true, format);
        written = savePixmapToFile(layer, layerImageFileName(fileName, i + 1)) && written;
    }
    return written;
}

QString SketchDocumentView::layerImageFileName(const QString &fileName, int number)
{
    const QString tag = QStringLiteral("[%1]").arg(number);
    // Only the file name's own dot counts: a dotted folder name is left
    // alone, and a name without a suffix gets the number at its end, so a
    // layer never replaces the page picture.
    const int nameStart = qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\'))) + 1;
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= nameStart)
        return fileName + tag;
    return fileName.left(dot) + tag + fileName.mid(dot);
}

void SketchDocumentView::exportShapeToImage()
{
    if (editableSelectedShapes().isEmpty())
        return;
    const QString fileName = askImageFileName();
    if (fileName.isEmpty())
        return;
    if (!exportShapeToImageFile(fileName))
        reportImageExportFailure(fileName);
}

bool SketchDocumentView::exportShapeToImageFile(const QString &fileName)
{
    if (fileName.isEmpty() || editableSelectedShapes().isEmpty())
        return false;
    return savePixmapToFile(renderSelectedShapesToPixmap(false, imageFormatOf(fileName)), fileName);
}

QPixmap SketchDocumentView::renderSelectedShapesToPixmap(bool drawBorder, const QString &imageFormat)
{
    return document()->renderShapesToPixmap(selectedShapes(), drawBorder, imageFormat);
}
