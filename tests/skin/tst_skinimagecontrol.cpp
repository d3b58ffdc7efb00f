// The image swatch: opening a picture through the file dialog and the
// "compress?" question, with their answers given by hooks; the reduction of
// large pictures; keeping the old picture when a file does not read;
// clearing; the right-button menu; and the swatch's painting.
#include "skin/controls/skinimagecontrol.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintheme.h"

#include "controlevents.h"
#include "menuanswer.h"
#include "skinfixture.h"

#include <QBuffer>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct Question {
    QString title;
    QString text;
    int buttons = -1;
    int icon = -1;
};

QByteArray pngBytes(const QSize &size, const QColor &color)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QSize pictureSize(const SkinBrush &brush)
{
    QImage image;
    image.loadFromData(brush.imageData(), "PNG");
    return image.size();
}

// The control's signals in the order they arrive, with the picture's size.
class ImageLog : public QObject
{
public:
    explicit ImageLog(SkinImageControl *control)
    {
        connect(control, qOverload<const SkinBrush &>(&SkinImageControl::selectedBrushChanged), this,
                [this](const SkinBrush &b) {
                    const QSize size = pictureSize(b);
                    entries.append(QStringLiteral("changed %1 %2x%3").arg(b.type()).arg(size.width()).arg(size.height()));
                });
        connect(control, qOverload<>(&SkinImageControl::selectedBrushChanged), this,
                [this] { entries.append("changed"); });
    }

    QStringList entries;
};

} // namespace

class TestSkinImageControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsWithoutPicture();
    void openAsksForAnImage();
    void openLoadsAndReduces_data();
    void openLoadsAndReduces();
    void cancelledDialogChangesNothing();
    void scopedHooksNestAndMayReplaceThemselves();
    void unreadableFileKeepsThePicture_data();
    void unreadableFileKeepsThePicture();
    void clearReportsEvenWhenEmpty();
    void setSelectedBrushTakesOnlyThePicture();
    void leftReleaseOpens();
    void rightReleaseShowsTheMenu_data();
    void rightReleaseShowsTheMenu();
    void menuClearClears();
    void middleButtonOnlyFlashesTheFrame();
    void paintsThePictureStretched();

private:
    QString writePicture(const QString &name, const QSize &size);
    // Answers the next file dialogs with `files` in turn (empty: cancelled).
    void answerFiles(const QStringList &files);
    // Answers every message box with `answer`, recording it.
    void answerBoxes(int answer);
    std::unique_ptr<SkinImageControl> makeControl();

    QTemporaryDir *m_dir = nullptr;
    QStringList m_files;
    int m_dialogs = 0;
    QString m_caption;
    QString m_filter;
    QWidget *m_dialogParent = nullptr;
    QList<Question> m_boxes;
};

void TestSkinImageControl::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qRegisterMetaType<SkinBrush>();
    setSkinThemeStyle(Olive);
}

void TestSkinImageControl::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_files.clear();
    m_dialogs = 0;
    m_boxes.clear();
    // Nothing may reach a real dialog.
    answerFiles({});
    answerBoxes(SkinMessageBox::ResultNo);
}

void TestSkinImageControl::cleanup()
{
    SkinImageControl::setFileDialogHook(SkinImageControl::FileDialogHook());
    SkinMessageBox::setAnswerHook(SkinMessageBox::AnswerHook());
    delete m_dir;
    m_dir = nullptr;
}

QString TestSkinImageControl::writePicture(const QString &name, const QSize &size)
{
    const QString path = m_dir->filePath(name);
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 160, 90));
    if (!image.save(path))
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

void TestSkinImageControl::answerFiles(const QStringList &files)
{
    m_files = files;
    SkinImageControl::setFileDialogHook([this](QWidget *parent, const QString &caption, const QString &filter) {
        ++m_dialogs;
        m_dialogParent = parent;
        m_caption = caption;
        m_filter = filter;
        return m_files.isEmpty() ? QString() : m_files.takeFirst();
    });
}

void TestSkinImageControl::answerBoxes(int answer)
{
    SkinMessageBox::setAnswerHook([this, answer](SkinMessageBox *box) {
        m_boxes.append({box->windowTitle(), box->text(), box->buttons(), box->icon()});
        return answer;
    });
}

std::unique_ptr<SkinImageControl> TestSkinImageControl::makeControl()
{
    auto control = std::make_unique<SkinImageControl>();
    control->resize(178, 119);
    return control;
}

void TestSkinImageControl::startsWithoutPicture()
{
    SkinImageControl control;
    QCOMPARE(control.brush().type(), int(SkinBrushImage));
    QVERIFY(control.brush().imageData().isEmpty());
    QVERIFY(control.brush().isTransparent());
    QVERIFY(control.testAttribute(Qt::WA_NoMousePropagation));
}

void TestSkinImageControl::openAsksForAnImage()
{
    auto control = makeControl();
    answerFiles({writePicture("small.png", QSize(20, 10))});
    control->openImageFile();
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(m_dialogParent, control.get());
    QCOMPARE(m_caption, QStringLiteral("Images"));
    QCOMPARE(m_filter, QStringLiteral("Images(*.png *.jpg *.jpeg *bmp *.gif *.tiff)"));
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().title, QStringLiteral("Confirm"));
    QCOMPARE(m_boxes.first().text, QStringLiteral("Images need to be compressed automatically?"));
    QCOMPARE(m_boxes.first().buttons, int(SkinMessageBox::ButtonsYesNo));
    QCOMPARE(m_boxes.first().icon, int(SkinMessageBox::IconQuestion));
    QCOMPARE(control->cursor().shape(), Qt::ArrowCursor);
}

void TestSkinImageControl::openLoadsAndReduces_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QSize>("loaded");
    const int yes = SkinMessageBox::ResultYes;
    const int no = SkinMessageBox::ResultNo;
    QTest::newRow("yes on 1000 x 400") << QSize(1000, 400) << yes << QSize(300, 120);
    QTest::newRow("no keeps the size") << QSize(1000, 400) << no << QSize(1000, 400);
    QTest::newRow("closing the box keeps it") << QSize(1000, 400) << int(SkinMessageBox::ResultCancel)
                                              << QSize(1000, 400);
    QTest::newRow("yes on 299 x 1000") << QSize(299, 1000) << yes << QSize(299, 1000);
    QTest::newRow("yes on 300 x 300") << QSize(300, 300) << yes << QSize(90, 90);
}

void TestSkinImageControl::openLoadsAndReduces()
{
    QFETCH(QSize, size);
    QFETCH(int, answer);
    QFETCH(QSize, loaded);
    auto control = makeControl();
    answerFiles({writePicture("picture.png", size)});
    answerBoxes(answer);
    ImageLog log(control.get());
    control->openImageFile();
    QCOMPARE(pictureSize(control->brush()), loaded);
    QCOMPARE(log.entries, QStringList({QStringLiteral("changed 4 %1x%2").arg(loaded.width()).arg(loaded.height()),
                                       "changed"}));
}

void TestSkinImageControl::cancelledDialogChangesNothing()
{
    auto control = makeControl();
    control->brush().setImageData(pngBytes(QSize(4, 4), Qt::red));
    const QByteArray before = control->brush().imageData();
    ImageLog log(control.get());
    answerFiles({QString()});
    control->openImageFile();
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(m_boxes.size(), 0);
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(control->brush().imageData(), before);
    QCOMPARE(control->cursor().shape(), Qt::ArrowCursor);
}

void TestSkinImageControl::scopedHooksNestAndMayReplaceThemselves()
{
    const QString picture = writePicture("nested.png", QSize(20, 10));
    auto control = makeControl();
    {
        SkinImageControl::ScopedFileDialogHook outer([](QWidget *, const QString &, const QString &) {
            return QString();
        });
        {
            // It ends its own turn while it answers, and still answers with
            // what it holds.
            SkinImageControl::ScopedFileDialogHook inner([picture](QWidget *, const QString &, const QString &) {
                SkinImageControl::setFileDialogHook(SkinImageControl::FileDialogHook());
                return picture;
            });
            control->openImageFile();
            QCOMPARE(pictureSize(control->brush()), QSize(20, 10));
        }
        // The outer hook is back: it cancels, and the picture stays.
        QVERIFY(bool(SkinImageControl::fileDialogHook()));
        control->openImageFile();
        QCOMPARE(pictureSize(control->brush()), QSize(20, 10));
    }
    // init()'s hook is back, with its list of answers still empty.
    QVERIFY(bool(SkinImageControl::fileDialogHook()));
    const int dialogs = m_dialogs;
    control->openImageFile();
    QCOMPARE(m_dialogs, dialogs + 1);
}

void TestSkinImageControl::unreadableFileKeepsThePicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not a picture") << "text.png" << QByteArray("just some words");
    QTest::newRow("cut short") << "cut.png" << pngBytes(QSize(40, 40), Qt::blue).left(30);
    QTest::newRow("empty") << "empty.png" << QByteArray();
    QTest::newRow("missing") << "" << QByteArray();
}

// The picture is loaded aside first: a file that does not read is reported
// and costs neither the picture the brush had nor an edit.
void TestSkinImageControl::unreadableFileKeepsThePicture()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QString path = m_dir->filePath(QStringLiteral("missing.png"));
    if (!name.isEmpty()) {
        path = m_dir->filePath(name);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    auto control = makeControl();
    control->brush().setImageData(pngBytes(QSize(4, 4), Qt::red));
    const QByteArray before = control->brush().imageData();
    ImageLog log(control.get());
    answerFiles({path});
    answerBoxes(SkinMessageBox::ResultYes);
    control->openImageFile();
    QCOMPARE(control->brush().imageData(), before);
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_boxes.at(1).text, QStringLiteral("The image file cannot be read."));
    QCOMPARE(m_boxes.at(1).icon, int(SkinMessageBox::IconWarning));
    QCOMPARE(m_boxes.at(1).buttons, int(SkinMessageBox::ButtonsOk));
    QCOMPARE(control->cursor().shape(), Qt::ArrowCursor);
}

void TestSkinImageControl::clearReportsEvenWhenEmpty()
{
    auto control = makeControl();
    ImageLog log(control.get());
    control->clearSelectedImage();
    QCOMPARE(log.entries, QStringList({"changed 4 0x0", "changed"}));
    control->brush().setImageData(pngBytes(QSize(4, 4), Qt::red));
    control->clearSelectedImage();
    QVERIFY(control->brush().imageData().isEmpty());
    QCOMPARE(log.entries.size(), 4);
}

void TestSkinImageControl::setSelectedBrushTakesOnlyThePicture()
{
    auto control = makeControl();
    ImageLog log(control.get());
    SkinBrush image(SkinBrushImage);
    image.setImageData(pngBytes(QSize(6, 3), Qt::red));
    image.setOpacity(0.5f);
    control->setSelectedBrush(image);
    QCOMPARE(pictureSize(control->brush()), QSize(6, 3));
    QCOMPARE(control->brush().opacity(), 1.0f);

    // Another type's (empty) picture empties it; the type stays.
    control->setSelectedBrush(SkinBrush(Qt::red));
    QCOMPARE(control->brush().type(), int(SkinBrushImage));
    QVERIFY(control->brush().imageData().isEmpty());
    QCOMPARE(control->brush().stops(), SkinBrush(SkinBrushImage).stops());
    QCOMPARE(log.entries, QStringList());
}

void TestSkinImageControl::leftReleaseOpens()
{
    auto control = makeControl();
    answerFiles({writePicture("click.png", QSize(8, 8))});
    ImageLog log(control.get());
    pressAt(control.get(), QPointF(20, 20));
    releaseAt(control.get(), QPointF(20, 20));
    QCOMPARE(m_dialogs, 1);
    QCOMPARE(log.entries, QStringList({"changed 4 8x8", "changed"}));
}

void TestSkinImageControl::rightReleaseShowsTheMenu_data()
{
    QTest::addColumn<bool>("withPicture");
    QTest::newRow("no picture") << false;
    QTest::newRow("with a picture") << true;
}

// "Clear" only while there is something to clear.
void TestSkinImageControl::rightReleaseShowsTheMenu()
{
    QFETCH(bool, withPicture);
    auto control = makeControl();
    if (withPicture)
        control->brush().setImageData(pngBytes(QSize(4, 4), Qt::red));
    pressAt(control.get(), QPointF(20, 20), Qt::RightButton);
    MenuAnswer answer;
    releaseAt(control.get(), QPointF(20, 20), Qt::RightButton);
    QVERIFY(answer.shown);
    QCOMPARE(answer.texts, QStringList({"Open...", "-", "Clear"}));
    QCOMPARE(answer.enabled, QList<bool>({true, true, withPicture}));
    QCOMPARE(m_dialogs, 0);
}

void TestSkinImageControl::menuClearClears()
{
    auto control = makeControl();
    control->brush().setImageData(pngBytes(QSize(4, 4), Qt::red));
    ImageLog log(control.get());
    pressAt(control.get(), QPointF(20, 20), Qt::RightButton);
    std::unique_ptr<MenuAnswer> answer(MenuAnswer::choosing(QStringLiteral("Clear"), nullptr));
    releaseAt(control.get(), QPointF(20, 20), Qt::RightButton);
    QVERIFY(answer->shown);
    QVERIFY(control->brush().imageData().isEmpty());
    QCOMPARE(log.entries, QStringList({"changed 4 0x0", "changed"}));

    // "Open..." asks for a file.
    pressAt(control.get(), QPointF(20, 20), Qt::RightButton);
    answer.reset(MenuAnswer::choosing(QStringLiteral("Open..."), nullptr));
    releaseAt(control.get(), QPointF(20, 20), Qt::RightButton);
    QCOMPARE(m_dialogs, 1);
}

void TestSkinImageControl::middleButtonOnlyFlashesTheFrame()
{
    auto control = makeControl();
    ImageLog log(control.get());
    const QColor black(Qt::black);
    QCOMPARE(skintest::countColour(paintedImage(control.get()), black), 0);
    pressAt(control.get(), QPointF(20, 20), Qt::MiddleButton);
    const QImage pressed = paintedImage(control.get());
    // A dotted outline from pixel (4, 4) to pixel (W - 6, H - 6).
    QVERIFY(skintest::countColour(pressed, black, QRect(4, 4, 1, 111)) > 20);
    QVERIFY(skintest::countColour(pressed, black, QRect(172, 4, 1, 111)) > 20);
    QVERIFY(skintest::countColour(pressed, black, QRect(4, 113, 169, 1)) > 20);
    QCOMPARE(skintest::countColour(pressed, black, QRect(173, 0, 5, 119)), 0);
    QCOMPARE(skintest::countColour(pressed, black, QRect(0, 0, 4, 119)), 0);
    MenuAnswer answer;
    releaseAt(control.get(), QPointF(20, 20), Qt::MiddleButton);
    QTest::qWait(30);
    QVERIFY(!answer.shown);
    QCOMPARE(m_dialogs, 0);
    QCOMPARE(log.entries, QStringList());
    QCOMPARE(skintest::countColour(paintedImage(control.get()), black), 0);
}

void TestSkinImageControl::paintsThePictureStretched()
{
    auto control = makeControl();
    control->setSelectedBrush([] {
        SkinBrush brush(SkinBrushImage);
        brush.setImageData(pngBytes(QSize(2, 2), Qt::red));
        return brush;
    }());
    const QImage image = paintedImage(control.get());
    // Over (1, 1, W - 2, H - 2), the edge row and column left alone.
    QCOMPARE(skintest::countColour(image, Qt::red), 176 * 117);
    QCOMPARE(image.pixelColor(1, 1), QColor(Qt::red));
    QCOMPARE(image.pixelColor(176, 117), QColor(Qt::red));
    QVERIFY(image.pixelColor(0, 0) != QColor(Qt::red));
    QVERIFY(image.pixelColor(177, 118) != QColor(Qt::red));
}

QTEST_MAIN(TestSkinImageControl)
#include "tst_skinimagecontrol.moc"
