// The document file: any bytes that load as a document come back from
// saving, loading and saving again with the same text, and the page paints
// the same.
#include "fuzz/fuzzsupport.h"
#include "fuzz/roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzMaxInputSize)
        return 0;
    const QString failure = roundTripFailure(fuzzBytes(data, size), fuzzScratchPath(QStringLiteral("input.slf")));
    if (!failure.isEmpty())
        fuzzFail(failure);
    return 0;
}
