#include "app/batchimageexport.h"

#include "app/programfiles.h"
#include "model/filehelpers.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <deque>
#include <memory>
#include <thread>

namespace {

void report(QTextStream &errors, const QString &what, const QString &fileName)
{
    errors << ProgramFiles::program << ": " << what << " \"" << fileName << "\"\n";
    errors.flush();
}

// One pair on its way: the document read here, its picture painted and
// written on a thread of its own, which sets `written` before it ends. A
// document that could not be read, or was not read because its image would
// be of no type written here, has no thread.
struct Job
{
    int index;
    QString target;
    bool knownImageType;
    std::unique_ptr<SketchDocument> document;
    std::unique_ptr<bool> written;
    std::thread worker;
};

// One file, however the command line spells it.
QString targetOf(const QString &image)
{
    return QDir::cleanPath(QFileInfo(image).absoluteFilePath());
}

// The documents in flight at once: enough to keep the cores busy while one
// is being read, few enough that memory stays that of a few pages.
int jobsInFlight()
{
    return qBound(2, QThread::idealThreadCount() / 2, 4);
}

bool paintAndWrite(SketchDocument *document, const QString &image, bool drawBorder)
{
    // The suffix chooses the background, as the view's export does.
    const QString format = QFileInfo(image).suffix().toUpper();
    return !image.isEmpty() && saveImageToFile(document->renderToImage(drawBorder, format), image);
}

} // namespace

BatchImageExport::Result BatchImageExport::run(const QStringList &documents,
                                               const QStringList &images, bool drawBorder,
                                               QTextStream &errors)
{
    Q_ASSERT(documents.size() == images.size());
    // On this thread, before any page is painted on a worker.
    SketchGlobals::substituteDefaultFontFamily();
    Result result = Succeeded;
    std::deque<Job> jobs;
    // Oldest first, so that the lines come in the order of the pairs.
    const auto finishOldest = [&]() {
        Job &job = jobs.front();
        // Joined before its document goes: the thread's end orders its
        // painting before the deletion.
        if (job.worker.joinable())
            job.worker.join();
        const bool written = job.document && *job.written;
        if (!job.knownImageType) {
            report(errors, QStringLiteral("cannot write this type of image (.png, .jpg, .jpeg or .bmp)"),
                   images.at(job.index));
            result = SomeFailed;
        } else if (!job.document) {
            report(errors, QStringLiteral("cannot read the document"), documents.at(job.index));
            result = SomeFailed;
        } else if (!written) {
            report(errors, QStringLiteral("cannot write the image"), images.at(job.index));
            result = SomeFailed;
        }
        jobs.pop_front();
    };
    // A pair writes its image only once every earlier pair that writes the
    // same file has, so that the later one wins, as one pair after the
    // other would have it.
    const auto finishEarlierWritersOf = [&](const QString &target) {
        const auto sameTarget = [&target](const Job &job) { return job.document && job.target == target; };
        while (std::any_of(jobs.begin(), jobs.end(), sameTarget))
            finishOldest();
    };
    for (int i = 0; i < documents.size() && i < images.size(); ++i) {
        while (int(jobs.size()) >= jobsInFlight())
            finishOldest();
        Job job{i, targetOf(images.at(i)), hasWrittenImageSuffix(images.at(i)), nullptr, nullptr, std::thread()};
        if (!job.knownImageType) {
            jobs.push_back(std::move(job));
            continue;
        }
        finishEarlierWritersOf(job.target);
        // A fresh document per pair, so nothing of one reaches the next. It
        // is read on this thread, where its objects live and die.
        auto document = std::make_unique<SketchDocument>(nullptr);
        if (document->loadFromFile(documents.at(i))) {
            job.written = std::make_unique<bool>(false);
            job.worker = std::thread([page = document.get(), image = images.at(i), drawBorder,
                                      written = job.written.get()]() {
                *written = paintAndWrite(page, image, drawBorder);
            });
            job.document = std::move(document);
        }
        jobs.push_back(std::move(job));
    }
    while (!jobs.empty())
        finishOldest();
    return result;
}

QString BatchImageExport::usage()
{
    return QStringLiteral("usage: %1 -exportimage [-drawframe] DOCUMENT... IMAGE... "
                          "(as many images as documents, at least one)")
        .arg(QLatin1String(ProgramFiles::program));
}
