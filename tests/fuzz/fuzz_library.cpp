// The material library file: any bytes load as a library that loses none
// of the file's materials, and its save loads back holding the same
// materials and saves the same bytes again. Wherever the document parser
// takes the bytes, the description reader takes them too and reads the
// same root, materials and contents.
#include "fuzz/fuzzsupport.h"
#include "fuzz/libraryroundtrip.h"

#include "materials/descriptionoracle.h"
#include "materials/entityexpansion.h"
#include "materials/materialdescriptionreader.h"

namespace {

// As the library's load takes a file.
QByteArray upToNul(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return end < 0 ? bytes : bytes.left(end);
}

void checkReaderAgainstParser(const QByteArray &text)
{
    // The parser's reading is the oracle only where it keeps what a
    // reference names, and only where building its tree is affordable.
    constexpr qint64 affordable = MaterialDescriptionReader::maxEntityText;
    if (holdsReferenceBeyondSixteenBits(text) || EntityExpansion::expandedSize(text, affordable) > affordable)
        return;
    const QString difference = compareReaderWithParser(text, true);
    if (!difference.isEmpty())
        fuzzFail(QStringLiteral("the reader reads otherwise than the parser: ") + difference);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzMaxInputSize)
        return 0;
    const QByteArray bytes = fuzzBytes(data, size);
    const QString path = fuzzScratchPath(QStringLiteral("Templates.xml"));
    if (!libraryWriteFile(path, bytes))
        fuzzFail(QStringLiteral("the scratch file cannot be written"));
    SketchMaterialFile library(QStringLiteral("Templates"));
    const bool loaded = library.load(path);

    const QByteArray text = upToNul(bytes);
    checkReaderAgainstParser(text);
    MaterialDescriptionReader reader;
    if (reader.read(text) != loaded)
        fuzzFail(QStringLiteral("the library loads where the reader refuses, or the other way round"));
    if (library.materials().size() != reader.entries().size())
        fuzzFail(QStringLiteral("%1 materials of %2 were loaded").arg(library.materials().size()).arg(reader.entries().size()));

    const QString failure = libraryRoundTripFailure(library, path);
    if (!failure.isEmpty())
        fuzzFail(failure);
    return 0;
}
