// The single-instance hand-over as the running instance reads it: an input
// is what arrives on one connection. Read whole and read in pieces (the
// first byte sets their size), it ends in the same state; it never takes
// more than one whole frame and its confirmation, and the text it holds is
// exactly the bytes the frame's header announced. Then a frame the sender
// builds for the input's text comes back as that text, and paths cut from
// that text come back from the hand-over message.
#include "fuzz/fuzzsupport.h"

#include "app/handoverframe.h"
#include "app/handovermessage.h"

#include <QtEndian>

namespace {

using State = HandOverFrame::State;

const QByteArray Mark("LDH1");

int readInPieces(HandOverFrame &frame, const QByteArray &bytes, int piece)
{
    int taken = 0;
    for (int at = 0; at < bytes.size(); at += piece)
        taken += frame.read(bytes.constData() + at, qMin(piece, bytes.size() - at));
    return taken;
}

// The frame's whole length without its confirmation, or -1 while the
// header is incomplete.
qint64 frameLength(const QByteArray &bytes)
{
    if (bytes.size() < HandOverFrame::headerBytes)
        return -1;
    return HandOverFrame::headerBytes + qint64(qFromBigEndian<quint32>(bytes.constData() + 4));
}

// What the header says of a frame that was taken up to its text.
void checkHeader(const QByteArray &bytes, const HandOverFrame &frame)
{
    if (!bytes.startsWith(Mark))
        fuzzFail(QStringLiteral("a frame without the mark was taken"));
    const qint64 length = frameLength(bytes);
    if (length - HandOverFrame::headerBytes > qint64(HandOverFrame::maximumTextBytes))
        fuzzFail(QStringLiteral("a text beyond the largest was taken"));
    if (frame.text().toUtf8() != bytes.mid(HandOverFrame::headerBytes, int(length) - HandOverFrame::headerBytes))
        fuzzFail(QStringLiteral("the text is not the frame's bytes"));
}

// The state against the bytes, read whole: `taken` of them.
void checkTaken(const QByteArray &bytes, const HandOverFrame &frame, int taken)
{
    const qint64 length = frameLength(bytes);
    switch (frame.state()) {
    case State::Incomplete:
        if (taken != bytes.size() || (length >= 0 && bytes.size() >= length) || !frame.text().isEmpty())
            fuzzFail(QStringLiteral("an incomplete frame left bytes, or held a text"));
        if (!Mark.startsWith(bytes.left(Mark.size())))
            fuzzFail(QStringLiteral("a frame without the mark goes on"));
        break;
    case State::Received:
        if (taken != length || taken != bytes.size())
            fuzzFail(QStringLiteral("a received frame took other than its own bytes"));
        checkHeader(bytes, frame);
        break;
    case State::Confirmed:
        if (taken != length + 1 || bytes.at(taken - 1) != HandOverFrame::confirmation)
            fuzzFail(QStringLiteral("a confirmed frame took other than its bytes and confirmation"));
        checkHeader(bytes, frame);
        break;
    case State::Broken:
        if (taken > bytes.size() || !frame.text().isEmpty())
            fuzzFail(QStringLiteral("a broken frame holds a text"));
        break;
    }
}

void checkConnection(const QByteArray &bytes)
{
    HandOverFrame whole;
    const int taken = whole.read(bytes.constData(), bytes.size());
    checkTaken(bytes, whole, taken);
    if ((whole.state() == State::Confirmed || whole.state() == State::Broken)
        && whole.read(bytes.constData(), bytes.size()) != 0)
        fuzzFail(QStringLiteral("a frame that has ended took more"));

    const int piece = bytes.isEmpty() ? 1 : 1 + quint8(bytes.at(0)) % 32;
    HandOverFrame pieces;
    const int takenInPieces = readInPieces(pieces, bytes, piece);
    if (takenInPieces != taken || pieces.state() != whole.state() || pieces.text() != whole.text())
        fuzzFail(QStringLiteral("read in pieces of %1, the frame ends otherwise").arg(piece));
}

void checkSentText(const QString &text)
{
    const QByteArray bytes = HandOverFrame::bytes(text) + HandOverFrame::confirmation;
    HandOverFrame frame;
    if (frame.read(bytes.constData(), bytes.size()) != bytes.size() || frame.state() != State::Confirmed
        || frame.text() != text)
        fuzzFail(QStringLiteral("a sent text does not come back"));
}

void checkMessage(const QString &text)
{
    const QStringList paths = text.split(QLatin1Char('\n'));
    const QString message = handOverMessage(paths);
    if (handOverPaths(message) != paths)
        fuzzFail(QStringLiteral("paths do not come back from their message"));
    if (message.contains(QLatin1Char('\n')))
        fuzzFail(QStringLiteral("a message is more than one line"));
    // Any text reads as paths that their own message carries.
    const QStringList read = handOverPaths(text);
    if (handOverPaths(handOverMessage(read)) != read)
        fuzzFail(QStringLiteral("paths read from a text do not come back"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzMaxInputSize)
        return 0;
    const QByteArray bytes = fuzzBytes(data, size);
    checkConnection(bytes);
    // Also with the text after a header, for a decoding taken as a whole.
    const QByteArray asText = bytes.mid(HandOverFrame::headerBytes);
    checkConnection(HandOverFrame::header(quint32(asText.size())) + asText
                    + HandOverFrame::confirmation);
    const QString text = QString::fromUtf8(bytes.constData(), bytes.size());
    checkSentText(text);
    // A U+FEFF at the start is part of the text, not a byte-order mark.
    checkSentText(QChar(0xfeff) + text);
    checkMessage(text);
    return 0;
}
