// The hand-over frame as the running instance reads it: a frame built by the
// sender comes back whole however the bytes arrive, is taken only once
// confirmed, never takes a byte past its confirmation, and anything else
// breaks it for good.
#include "app/handoverframe.h"

#include <QtTest>

using State = HandOverFrame::State;

Q_DECLARE_METATYPE(HandOverFrame::State)

namespace {

const QByteArray confirmation(1, HandOverFrame::confirmation);

// Reads the bytes in pieces of `piece` bytes; the number taken in all.
int readInPieces(HandOverFrame &frame, const QByteArray &bytes, int piece)
{
    int taken = 0;
    for (int at = 0; at < bytes.size(); at += piece)
        taken += frame.read(bytes.constData() + at, qMin(piece, bytes.size() - at));
    return taken;
}

} // namespace

class TestHandOverFrame : public QObject
{
    Q_OBJECT

private slots:
    void comesBackWholeInAnyPieces_data();
    void comesBackWholeInAnyPieces();
    void holdsTheTextUntilConfirmed();
    void takesNothingPastItsConfirmation();
    void breaksForGood_data();
    void breaksForGood();
    void acceptsTheLargestText();
};

void TestHandOverFrame::comesBackWholeInAnyPieces_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("paths") << QString("/home/me/a%2Cb.slf,/tmp/c.slf,");
    QTest::newRow("beyond ASCII") << QString("/tmp/\u00fcbung/\u5716 \U0001F600.slf,");
    // Not a byte-order mark: it belongs to the text.
    QTest::newRow("begins with U+FEFF") << QString("\ufeff\ufeffa.slf,");
    QTest::newRow("a NUL inside") << QString::fromUtf8("a\0b.slf,", 8);
}

void TestHandOverFrame::comesBackWholeInAnyPieces()
{
    QFETCH(QString, text);
    const QByteArray bytes = HandOverFrame::bytes(text) + confirmation;
    for (int piece = 1; piece <= bytes.size(); ++piece) {
        HandOverFrame frame;
        QCOMPARE(readInPieces(frame, bytes, piece), bytes.size());
        QCOMPARE(frame.state(), State::Confirmed);
        QCOMPARE(frame.text(), text);
    }
}

void TestHandOverFrame::holdsTheTextUntilConfirmed()
{
    const QByteArray bytes = HandOverFrame::bytes("a.slf,");
    HandOverFrame frame;
    QCOMPARE(frame.read(bytes.constData(), bytes.size() - 1), bytes.size() - 1);
    QCOMPARE(frame.state(), State::Incomplete);
    QCOMPARE(frame.text(), QString());
    QCOMPARE(frame.read(bytes.constData() + bytes.size() - 1, 1), 1);
    QCOMPARE(frame.state(), State::Received);
    QCOMPARE(frame.text(), QString("a.slf,"));
    QCOMPARE(frame.read(confirmation.constData(), 1), 1);
    QCOMPARE(frame.state(), State::Confirmed);
}

void TestHandOverFrame::takesNothingPastItsConfirmation()
{
    // A second frame on the same connection is not read.
    const QByteArray first = HandOverFrame::bytes("a.slf,") + confirmation;
    const QByteArray bytes = first + HandOverFrame::bytes("b.slf,") + confirmation;
    HandOverFrame frame;
    QCOMPARE(frame.read(bytes.constData(), bytes.size()), first.size());
    QCOMPARE(frame.text(), QString("a.slf,"));
    QCOMPARE(frame.read(bytes.constData(), bytes.size()), 0);
    QCOMPARE(frame.state(), State::Confirmed);
}

void TestHandOverFrame::breaksForGood_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("taken"); // up to and with the byte that breaks it

    const QByteArray good = HandOverFrame::bytes("a.slf,");
    const auto withText = [](const QByteArray &utf8) {
        return HandOverFrame::header(quint32(utf8.size())) + utf8;
    };
    QByteArray oldWire(4, '\0');
    oldWire[3] = 6;
    QTest::newRow("a frame of the older wire") << oldWire + "a.slf," << 1;
    QTest::newRow("a wrong last byte of the mark") << QByteArray("LDH2") + good.mid(4) << 4;
    QTest::newRow("a length beyond the largest text")
        << HandOverFrame::header(HandOverFrame::maximumTextBytes + 1) + "a" << 8;
    QTest::newRow("the largest length field") << HandOverFrame::header(0xffffffffu) << 8;
    QTest::newRow("a lone continuation byte") << withText("a\x80.slf") << 14;
    QTest::newRow("a sequence cut at the end") << withText("a.slf\xc3") << 14;
    QTest::newRow("an encoded surrogate") << withText("\xed\xa0\x80") << 11;
    QTest::newRow("an overlong slash") << withText("\xc0\xaf") << 10;
    QTest::newRow("another byte than the confirmation")
        << good + QByteArray(1, HandOverFrame::receivedAnswer) << good.size() + 1;
}

void TestHandOverFrame::breaksForGood()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, taken);
    const QByteArray more = bytes + HandOverFrame::bytes("b.slf,") + confirmation;
    HandOverFrame frame;
    QCOMPARE(frame.read(more.constData(), more.size()), taken);
    QCOMPARE(frame.state(), State::Broken);
    QCOMPARE(frame.text(), QString());
    QCOMPARE(frame.read(more.constData(), more.size()), 0);
    QCOMPARE(frame.state(), State::Broken);
}

void TestHandOverFrame::acceptsTheLargestText()
{
    const QByteArray text(int(HandOverFrame::maximumTextBytes), 'a');
    const QByteArray bytes = HandOverFrame::header(HandOverFrame::maximumTextBytes) + text;
    HandOverFrame frame;
    QCOMPARE(frame.read(bytes.constData(), bytes.size()), bytes.size());
    QCOMPARE(frame.state(), State::Received);
    QCOMPARE(frame.text().size(), text.size());
}

QTEST_APPLESS_MAIN(TestHandOverFrame)
#include "tst_handoverframe.moc"
