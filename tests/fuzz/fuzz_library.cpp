// The material library file: any bytes load as a library that loses none
// of the file's materials, and its save loads back holding the same
// materials and saves the same bytes again. Wherever the document parser
// takes the bytes, the description reader takes them too and reads the
// same root, materials and contents.
#include "fuzz/fuzzsupport.h"
#include "fuzz/libraryroundtrip.h"

#include "materials/descriptionoracle.h"
#include "materials/materialdescriptionreader.h"

namespace {

void checkReaderAgainstParser(const QByteArray &text)
{
    if (!parserIsTheOracleOf(text))
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

    const QByteArray text = upToFirstNul(bytes);
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
