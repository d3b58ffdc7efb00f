#include "app/handoverframe.h"

#include <QTextCodec>
#include <QtEndian>

#include <algorithm>

namespace {

const char mark[] = {'L', 'D', 'H', '1'};
const int markBytes = int(sizeof mark);

} // namespace

QByteArray HandOverFrame::bytes(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return header(quint32(utf8.size())) + utf8;
}

QByteArray HandOverFrame::header(quint32 textBytes)
{
    QByteArray bytes(mark, markBytes);
    bytes.resize(headerBytes);
    qToBigEndian<quint32>(textBytes, bytes.data() + markBytes);
    return bytes;
}

int HandOverFrame::read(const char *data, int size)
{
    int taken = 0;
    while (taken < size) {
        if (m_state == State::Received) {
            readConfirmation(data[taken]);
            ++taken;
        } else if (m_state != State::Incomplete) {
            break;
        } else if (m_header.size() < headerBytes) {
            taken += readHeader(data + taken, size - taken);
        } else {
            taken += readText(data + taken, size - taken);
        }
    }
    return taken;
}

int HandOverFrame::readHeader(const char *data, int size)
{
    int taken = 0;
    // The mark byte by byte, so that a stranger's frame breaks at once.
    while (taken < size && m_header.size() < headerBytes) {
        const int at = m_header.size();
        if (at < markBytes && data[taken] != mark[at]) {
            m_state = State::Broken;
            return taken + 1;
        }
        m_header.append(data[taken++]);
    }
    if (m_header.size() == headerBytes) {
        if (textBytes() > maximumTextBytes)
            m_state = State::Broken;
        else if (textBytes() == 0)
            endText();
    }
    return taken;
}

int HandOverFrame::readText(const char *data, int size)
{
    const int wanted = int(textBytes()) - m_utf8.size();
    const int taken = std::min(wanted, size);
    m_utf8.append(data, taken);
    if (taken == wanted)
        endText();
    return taken;
}

void HandOverFrame::readConfirmation(char byte)
{
    if (byte == confirmation) {
        m_state = State::Confirmed;
    } else {
        m_state = State::Broken;
        m_text.clear();
    }
}

quint32 HandOverFrame::textBytes() const
{
    if (m_header.size() < headerBytes)
        return 0;
    return qFromBigEndian<quint32>(m_header.constData() + markBytes);
}

void HandOverFrame::endText()
{
    // Strict, and keeping a U+FEFF at the start: it is part of the text,
    // not a byte-order mark.
    QTextCodec::ConverterState decoding(QTextCodec::IgnoreHeader);
    const QString text = QTextCodec::codecForMib(106)->toUnicode(m_utf8.constData(), m_utf8.size(),
                                                                  &decoding);
    m_utf8 = QByteArray();
    if (decoding.invalidChars > 0 || decoding.remainingChars > 0) {
        m_state = State::Broken;
        return;
    }
    m_text = text;
    m_state = State::Received;
}
