// SketchDocumentView: writing the slices as images, with an HTML page whose
// table puts them back together.
#include "editor/sketchdocumentview.h"

#include "model/filehelpers.h"
#include "model/sketchdocument.h"
#include "model/sketchslicegrid.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace {

// The table of the slice grid, one image cell per block in reading order;
// image k shows the slice numbered k - 1, as the images are written.
// imagePrefix is the relative URL of the image folder, "" or ending in "/".
QStringList sliceTableLines(const SketchSliceGrid *grid, const QSize &paper, const QString &imagePrefix,
                            const QString &format)
{
    QStringList lines;
    lines << QStringLiteral("    <!-- Export by Storyloom -->")
          << QStringLiteral("    <table id='__01' width='%1' height='%2' border='0' cellpadding='0' cellspacing='0'>")
                 .arg(QString::number(paper.width()), QString::number(paper.height()));
    const QList<SketchSliceGridRow *> &rows = grid->rows();
    const QList<SketchSliceGridColumn *> &columns = grid->columns();
    int image = 0;
    for (int r = 0; r < rows.size(); ++r) {
        lines << QStringLiteral("      <tr height='%1'>").arg(rows.at(r)->height());
        for (int c = 0; c < columns.size(); ++c) {
            const SketchSliceGridCell *cell = grid->cell(c, r);
            if (!cell || cell->isCovered())
                continue;
            QString spans;
            if (cell->columnSpan() > 1)
                spans += QStringLiteral(" colspan='%1'").arg(cell->columnSpan());
            if (cell->rowSpan() > 1)
                spans += QStringLiteral(" rowspan='%1'").arg(cell->rowSpan());
            lines << QStringLiteral("        <td%1><img src='%2Slice_%3.%4' width='%5' height='%6' alt='' /></td>")
                         .arg(spans, imagePrefix, QString::number(++image), format,
                              QString::number(cell->width()), QString::number(cell->height()));
        }
        lines << QStringLiteral("      </tr>");
    }
    // An empty row gives every column its width, also where no image starts.
    lines << QStringLiteral("      <tr height='0'>");
    for (const SketchSliceGridColumn *column : columns)
        lines << QStringLiteral("        <td width='%1'></td>").arg(column->width());
    lines << QStringLiteral("      </tr>") << QStringLiteral("    </table>");
    return lines;
}

} // namespace

void SketchDocumentView::exportToSliceImages(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    const QFileInfo info(fileName);
    const QString baseName = info.completeBaseName();
    // The folder is named after the file, beside it, and the name is taken
    // as it stands: turning a backslash of the name into a separator would
    // lead into a sibling folder, and ".." into the folder above. A name
    // without a base (".html") keeps its images beside the page.
    const bool noBase = baseName.isEmpty() || baseName == QLatin1String(".");
    const QString folderPath = noBase ? info.dir().path() : info.dir().filePath(baseName);
    // A file in the folder's place is no folder either.
    if (baseName == QLatin1String("..")
        || (!QFileInfo(folderPath).isDir() && !QDir().mkdir(folderPath)) || !QFileInfo(folderPath).isDir()) {
        reportImageExportFailure(folderPath);
        return;
    }
    const QString folder = folderPath + QLatin1Char('/');

    const QString suffix = info.suffix().toLower();
    const bool htmlMode = suffix == QLatin1String("html") || suffix == QLatin1String("htm");
    const QString format = htmlMode ? QStringLiteral("png") : suffix;

    QString failed;
    const QList<QPixmap> images = document()->slicePixmaps();
    for (int i = 0; i < images.size(); ++i) {
        // A slice without area on the paper has no picture; its number stays
        // taken.
        if (images.at(i).isNull())
            continue;
        const QString imageName = QStringLiteral("%1Slice_%2.%3").arg(folder, QString::number(i + 1), format);
        if (!savePixmapToFile(images.at(i), imageName) && failed.isEmpty())
            failed = imageName;
    }

    if (htmlMode) {
        // The folder as a relative URL: a name such as "Bob's page" would
        // otherwise end the attribute or the URL early.
        const QString folderUrl = QString::fromLatin1(QUrl::toPercentEncoding(baseName));
        const QString imagePrefix = folderUrl.isEmpty() ? QString() : folderUrl + QLatin1Char('/');
        QStringList lines;
        lines << QStringLiteral("<html>") << QStringLiteral("  <head>")
              << QStringLiteral("    <title>Slice</title>")
              << QStringLiteral("    <meta http-equiv='Content-Type' content='text/html; charset=utf-8'>")
              << QStringLiteral("  </head>")
              << QStringLiteral("  <body bgcolor='#FFFFFF' leftmargin='0' topmargin='0' marginwidth='0' "
                                "marginheight='0'>");
        if (const SketchSliceGrid *grid = document()->sliceGrid())
            lines << sliceTableLines(grid, paperSize(), imagePrefix, format);
        lines << QStringLiteral("  </body>") << QStringLiteral("</html>");
        if (!writeWholeFile(fileName, lines.join(QStringLiteral("\r\n")).toUtf8()) && failed.isEmpty())
            failed = fileName;
    }

    if (!failed.isEmpty())
        reportImageExportFailure(failed);
}
