#ifndef BATCHIMAGEEXPORT_H
#define BATCHIMAGEEXPORT_H

#include <QString>
#include <QStringList>

class QTextStream;

// The command-line image export: renders the i-th document to the i-th
// image as the document view's export does, at one pixel per point (842 x
// 595 for the default paper), optionally with the paper border.
//
// Documents are read one after the other on the calling thread while the
// pages read before are painted and written on worker threads; a few
// documents are in flight at once, never all, so memory stays bounded.
// Each image is written as soon as its page is painted; the lines of the
// error stream still come in the order of the pairs. Pairs that write the
// same image file write it in their order, so the last of them wins.
//
// Needs an application object, and neither a window nor an event loop. A
// document that cannot be read (only regular files of a bounded size are,
// see SketchDocument::loadFromFile) is skipped and its image left
// untouched; so is a pair whose image name has a suffix of no format the
// export writes (".png", ".jpg", ".jpeg", ".bmp"); an image that cannot be
// written is left as it was. Each failure writes one line naming the file
// to the error stream, and the run goes on with the next pair.
class BatchImageExport
{
public:
    BatchImageExport() = delete;

    // Exit codes of the export.
    enum Result { Succeeded = 0, SomeFailed = 1, Usage = 2 };

    // Pairs documents and images by their order; the lists have the same
    // length. Returns Succeeded when every image was written, else
    // SomeFailed.
    static Result run(const QStringList &documents, const QStringList &images, bool drawBorder,
                      QTextStream &errors);
    // The line shown for a mistyped export ("-exportimage" without
    // documents, or with more documents than images or fewer, or
    // "-drawframe" without "-exportimage").
    static QString usage();
};

#endif // BATCHIMAGEEXPORT_H
