#ifndef HANDOVERFRAME_H
#define HANDOVERFRAME_H

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// One hand-over of a text from a later start to the running instance, as it
// goes over their local connection, and the running instance's reading of
// it. A plain value without I/O: the connection feeds it what arrives and
// writes what it says.
//
// Wire, one hand-over per connection:
//   sender:   the mark "LDH1", the text's UTF-8 length (4 bytes, most
//             significant first), the text as UTF-8;
//   receiver: receivedAnswer, once it holds the whole text;
//   sender:   confirmation, once it has read that answer.
// Only a confirmed text is taken, so a sender that gave up before the answer
// came has withdrawn its text: it never arrives late. The mark's first byte
// makes the length field of an older wire larger than any text, so neither
// side mistakes the other's frames for its own.
//
// Reading never takes more than one whole frame and its confirmation. A
// wrong mark, a length above maximumTextBytes, text that is not valid UTF-8
// or any byte other than the confirmation after the text break the frame;
// a broken frame stays broken and holds no text.
class HandOverFrame
{
public:
    enum class State {
        Incomplete, // more bytes are needed
        Received,   // the whole text is held: answer with receivedAnswer
        Confirmed,  // the sender confirmed: the text is taken
        Broken,     // nothing is taken; the connection should end
    };

    static constexpr char receivedAnswer = '\x06';
    static constexpr char confirmation = '\x04';
    // Far beyond any list of paths; a larger length is a broken or hostile
    // sender, and waiting for that many bytes would hold memory for nothing.
    static constexpr quint32 maximumTextBytes = 16u * 1024u * 1024u;
    // The mark and the length field.
    static constexpr int headerBytes = 8;

    // What the sender writes for the text: header(length) and the UTF-8.
    static QByteArray bytes(const QString &text);
    // The mark and a length field holding `textBytes`.
    static QByteArray header(quint32 textBytes);

    // Takes from the front of the `size` bytes at `data` what belongs to
    // this frame, and returns how many it took: nothing once the frame is
    // confirmed or broken.
    int read(const char *data, int size);
    State state() const { return m_state; }
    // The text once Received or Confirmed; empty otherwise.
    const QString &text() const { return m_text; }

private:
    int readHeader(const char *data, int size);
    int readText(const char *data, int size);
    void readConfirmation(char byte);
    // The length field; 0 until the header is whole.
    quint32 textBytes() const;
    void endText();

    State m_state = State::Incomplete;
    QByteArray m_header;
    // The text's bytes until they are whole; then the text.
    QByteArray m_utf8;
    QString m_text;
};

#endif // HANDOVERFRAME_H
