#include "app/batchimageexport.h"

#include "app/programfiles.h"
#include "editor/sketchdocumentview.h"

#include <QTextStream>

#include <memory>

namespace {

void report(QTextStream &errors, const QString &what, const QString &fileName)
{
    errors << ProgramFiles::program << ": " << what << " \"" << fileName << "\"\n";
    errors.flush();
}

} // namespace

BatchImageExport::Result BatchImageExport::run(const QStringList &documents,
                                               const QStringList &images, bool drawBorder,
                                               QTextStream &errors)
{
    Q_ASSERT(documents.size() == images.size());
    Result result = Succeeded;
    for (int i = 0; i < documents.size() && i < images.size(); ++i) {
        // A fresh view per pair, so nothing of one document reaches the next.
        const auto view = std::make_unique<SketchDocumentView>(nullptr);
        if (!view->openFile(documents.at(i))) {
            report(errors, QStringLiteral("cannot read the document"), documents.at(i));
            result = SomeFailed;
        } else if (!view->exportToImageFile(images.at(i), drawBorder)) {
            report(errors, QStringLiteral("cannot write the image"), images.at(i));
            result = SomeFailed;
        }
    }
    return result;
}

QString BatchImageExport::usage()
{
    return QStringLiteral("usage: %1 -exportimage [-drawframe] DOCUMENT... IMAGE... "
                          "(as many images as documents, at least one)")
        .arg(QLatin1String(ProgramFiles::program));
}
