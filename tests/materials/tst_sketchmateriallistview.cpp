// The online catalogue page: its cards from the service's list, the replies
// it refuses, how a card looks, hovers and opens, and what it owns.
#include "app/usersettings.h"
#include "materials/cataloguefixture.h"
#include "materials/materialcataloguelist.h"
#include "materials/materialfixture.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialfile.h"
#include "materials/sketchmateriallistview.h"
#include "materials/sketchmateriallistviewgriditemdelegate.h"
#include "skin/gridfixture.h"
#include "skin/windows/skinmessagebox.h"
#include "skin/windows/skintheme.h"
#include "support/pixels.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct ShownBox
{
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
};

// Answers every message box with OK and notes what it showed and how.
class BoxRecorder
{
public:
    BoxRecorder()
        : m_hook([this](SkinDialog *dialog) {
            auto *box = qobject_cast<SkinMessageBox *>(dialog);
            ShownBox shown{dialog->windowTitle(), box ? box->text() : QString()};
            for (const QLabel *label : dialog->findChildren<QLabel *>()) {
                if (box && label->text() == box->text())
                    shown.format = label->textFormat();
            }
            boxes.append(shown);
            return int(SkinMessageBox::ResultOk);
        })
    {
    }
    QList<ShownBox> boxes;

private:
    SkinDialog::ScopedAnswerHook m_hook;
};

QStringList cardNames(const SketchMaterialListView &view)
{
    QStringList names;
    for (const SketchMaterialFile *file : view.materialFiles())
        names.append(file->name());
    return names;
}

QStringList priceTexts(const SketchMaterialListView &view)
{
    QStringList prices;
    for (const SketchMaterialFile *file : view.materialFiles())
        prices.append(SketchMaterialListView::priceText(file));
    return prices;
}

} // namespace

class TestSketchMaterialListView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void listsSixEntriesInTwoRows();
    void asksWithTheUserAndTheProgram();
    void showsOnlyTheServicesShortTexts_data();
    void showsOnlyTheServicesShortTexts();
    void endsARequestThatIsNeverAnswered();
    void showsTheFirstPageOfALongList();
    void showsNothingOfAReplyBeyondItsBound();
    void isAPageButNoDocument();
    void writesPrices_data();
    void writesPrices();
    void paintsCards();
    void veilsTheCardUnderTheMouse();
    void opensTheClickedCard();
    void deletesItsFilesWithItself();
};

void TestSketchMaterialListView::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    UserSettings::instance().load();
    gridfixture::registerGridTypes();
    qRegisterMetaType<SketchMaterialFile *>("SketchMaterialFile*");
}

void TestSketchMaterialListView::listsSixEntriesInTwoRows()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    BoxRecorder boxes;
    SketchMaterialListView view;

    QVERIFY(boxes.boxes.isEmpty());
    SkinGridView *grid = view.grid();
    QCOMPARE(grid->columnCount(), 5);
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->itemCount(), 6);
    QCOMPARE(cardNames(view), (QStringList{"Four", "Free", "Yen", "A", "B", "Cats & Dogs#1"}));
    QCOMPARE(priceTexts(view), (QStringList{"free", "free", QString::fromUtf8("¥2.5"), "$10", "$10", "$10"}));
    QCOMPARE(grid->cellText(0, 1), QStringLiteral("Cats & Dogs#1"));
    for (int column = 1; column < 5; ++column)
        QVERIFY(!grid->cellData(column, 1));
    QCOMPARE(grid->cellBackgroundColor(2, 0), QColor(Qt::white));

    // One preview each, read from the entry's first element (a comment
    // comes first); an entry without one shows an empty preview.
    for (const SketchMaterialFile *file : view.materialFiles())
        QCOMPARE(file->materials().size(), 1);
    const SketchMaterial *preview = view.materialFiles().first()->materials().first();
    QCOMPARE(preview->shapes().size(), 1);
    QCOMPARE(preview->size(), QSizeF(40, 30));
    QVERIFY(view.materialFiles().last()->materials().first()->shapes().isEmpty());
    QCOMPARE(view.materialFiles().at(1)->price(), 0.0f);
    QCOMPARE(view.materialFiles().at(4)->currency(), 2);
}

void TestSketchMaterialListView::asksWithTheUserAndTheProgram()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("empty")));
    SketchMaterialListView view;
    const QList<QJsonObject> requests = service.requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().value("path").toString(), QStringLiteral("/Services/MaterialList.ashx"));
    QCOMPARE(requests.first().value("query").toString(), QStringLiteral("UserId=&Version=2.2&LangName=EN"));
}

void TestSketchMaterialListView::showsOnlyTheServicesShortTexts_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("boxText");

    QTest::newRow("root without entries") << "empty" << QString();
    QTest::newRow("only white space") << "blank" << QString();
    QTest::newRow("10 characters once trimmed") << "short-error" << "Failed</b>";
    QTest::newRow("11 characters, not XML") << "not-xml" << QString();
    QTest::newRow("404") << "404" << QString();
    QTest::newRow("500") << "500" << QString();
    QTest::newRow("refused") << QString() << QString();
}

void TestSketchMaterialListView::showsOnlyTheServicesShortTexts()
{
    QFETCH(QString, list);
    QFETCH(QString, boxText);
    CatalogueService service;
    if (list.isEmpty())
        service.pointAtNothing();
    else
        QVERIFY(service.start(list));
    BoxRecorder boxes;
    SketchMaterialListView view;

    QCOMPARE(view.grid()->itemCount(), 0);
    QCOMPARE(view.grid()->rowCount(), 0);
    if (boxText.isEmpty()) {
        QCOMPARE(boxes.boxes.size(), 0);
        return;
    }
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes.first().title, QStringLiteral("Error"));
    QCOMPARE(boxes.boxes.first().text, boxText);
    // Markup from the service is shown, never rendered.
    QCOMPARE(boxes.boxes.first().format, Qt::PlainText);
}

void TestSketchMaterialListView::endsARequestThatIsNeverAnswered()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("silent")));
    MaterialCatalogueRequest::setTimeoutMs(300);
    BoxRecorder boxes;
    QElapsedTimer clock;
    clock.start();
    SketchMaterialListView view;
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(view.grid()->itemCount(), 0);
    QVERIFY(boxes.boxes.isEmpty());
}

// The list from a file the service sends as its body.
bool startWithList(CatalogueService &service, QTemporaryDir &folder, const QByteArray &list)
{
    QFile file(folder.filePath(QStringLiteral("list.xml")));
    if (!file.open(QIODevice::WriteOnly) || file.write(list) != list.size())
        return false;
    file.close();
    return service.start(QStringLiteral("empty"),
                         QJsonObject{{QStringLiteral("/Services/MaterialList.ashx"), fakeanswer::file(file.fileName())}});
}

void TestSketchMaterialListView::showsTheFirstPageOfALongList()
{
    QByteArray list = "<MaterialList>";
    for (int i = 0; i < MaterialCatalogueList::maxCards + 500; ++i)
        list += QStringLiteral("<File Name=\"c%1\"/>").arg(i).toUtf8();
    QTemporaryDir folder;
    CatalogueService service;
    QVERIFY(startWithList(service, folder, list + "</MaterialList>"));
    SketchMaterialListView view;
    QCOMPARE(view.grid()->itemCount(), MaterialCatalogueList::maxCards);
    QCOMPARE(view.grid()->rowCount(), MaterialCatalogueList::maxCards / 5);
    const QList<SketchMaterialFile *> files = view.materialFiles();
    QCOMPARE(files.first()->name(), QStringLiteral("c0"));
    QCOMPARE(files.last()->name(), QStringLiteral("c%1").arg(MaterialCatalogueList::maxCards - 1));
}

void TestSketchMaterialListView::showsNothingOfAReplyBeyondItsBound()
{
    const QByteArray head = "<MaterialList><File Name=\"big\"/><File Name=\"";
    const QByteArray tail = "\"/></MaterialList>";
    QTemporaryDir folder;
    CatalogueService service;
    QVERIFY(startWithList(service, folder,
                          head + QByteArray(int(MaterialCatalogueList::maxReplySize) - head.size() - tail.size() + 1, 'x') + tail));
    BoxRecorder boxes;
    SketchMaterialListView view;
    QCOMPARE(view.grid()->itemCount(), 0);
    QVERIFY(boxes.boxes.isEmpty());
}

void TestSketchMaterialListView::isAPageButNoDocument()
{
    CatalogueService service;
    service.pointAtNothing();
    SketchMaterialListView view;
    QCOMPARE(view.caption(), QStringLiteral("Material Library"));
    QVERIFY(!view.isModified());
    view.setModified(true);
    QVERIFY(!view.isModified());
    QVERIFY(view.isEmpty());

    view.resize(700, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.grid()->geometry(), QRect(0, 0, 700, 400));
    QCOMPARE(view.grid()->gridLineColor(), skinBorderColor);
    QCOMPARE(view.grid()->backgroundColor(), skinPanelColor);
}

void TestSketchMaterialListView::writesPrices_data()
{
    QTest::addColumn<float>("price");
    QTest::addColumn<int>("currency");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0.0f << 0 << "free";
    QTest::newRow("negative") << -3.0f << 1 << "free";
    QTest::newRow("yen") << 2.5f << 1 << QString::fromUtf8("¥2.5");
    QTest::newRow("dollar 0") << 10.0f << 0 << "$10";
    QTest::newRow("dollar 2") << 10.0f << 2 << "$10";
    QTest::newRow("dollar 7") << 10.0f << 7 << "$10";
    QTest::newRow("two decimals") << 1.99f << 0 << "$1.99";
    QTest::newRow("six digits") << 1234567.0f << 0 << "$1.23457e+06";
}

void TestSketchMaterialListView::writesPrices()
{
    QFETCH(float, price);
    QFETCH(int, currency);
    QFETCH(QString, text);
    SketchMaterialFile file(QStringLiteral("f"));
    file.setPrice(price);
    file.setCurrency(currency);
    QCOMPARE(SketchMaterialListView::priceText(&file), text);
}

void TestSketchMaterialListView::paintsCards()
{
    const QRect cell(0, 0, 120, 150);
    QCOMPARE(SketchMaterialListViewGridItemDelegate::cardRect(cell), QRect(QPoint(8, 8), QPoint(111, 141)));
    QCOMPARE(SketchMaterialListViewGridItemDelegate::previewRect(cell), QRect(16, 16, 88, 106));
    QCOMPARE(SketchMaterialListViewGridItemDelegate::nameRect(cell), QRectF(16, 121, 88, 20));
    QCOMPARE(SketchMaterialListViewGridItemDelegate::priceRect(cell), QRectF(63, 121, 40, 20));

    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    SketchMaterialListView view;
    view.resize(700, 320);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage image = view.grid()->grab().toImage();

    // Card 0: white card, the blue box of its preview, red price ink.
    QVERIFY(sameColor(image, 9, 9, Qt::white));
    QVERIFY(sameColor(image, 60, 68, QColor(0x30, 0x80, 0xc0)));
    QVERIFY(sameColor(image, 17, 17, QColor(128, 128, 128)));
    QVERIFY(hasColorNear(image, QPoint(90, 131), 10, Qt::red));
    // The entry without a preview material shows the grey area only.
    QVERIFY(sameColor(image, 60, 150 + 68, QColor(128, 128, 128)));
    // Cells without a file show the grid's background.
    QVERIFY(sameColor(image, 120 + 60, 150 + 68, skinPanelColor));
    // The preview was rendered at the size of its area, and kept.
    const QImage *thumbnail = view.materialFiles().first()->materials().first()->thumbnail();
    QVERIFY(thumbnail);
    QCOMPARE(thumbnail->size(), QSize(88, 106));
    view.grid()->grab();
    QCOMPARE(view.materialFiles().first()->materials().first()->thumbnail(), thumbnail);
}

void TestSketchMaterialListView::veilsTheCardUnderTheMouse()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    SketchMaterialListView view;
    view.resize(700, 320);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    SkinGridView *grid = view.grid();
    QCOMPARE(grid->cursor().shape(), Qt::ArrowCursor);
    const QColor bare = grid->grab().toImage().pixelColor(17, 17);

    gridfixture::moveTo(grid, QPoint(60, 60));
    QCOMPARE(grid->cursor().shape(), Qt::PointingHandCursor);
    const QColor hovered = grid->grab().toImage().pixelColor(17, 17);
    QVERIFY(hovered.value() < bare.value());
    // Pressing darkens it more.
    gridfixture::press(grid, QPoint(60, 60));
    const QColor pressed = grid->grab().toImage().pixelColor(17, 17);
    QVERIFY(pressed.value() < hovered.value());
    gridfixture::release(grid, QPoint(60, 60));
    // Off the cells: the arrow again.
    gridfixture::moveTo(grid, QPoint(650, 60));
    QCOMPARE(grid->cursor().shape(), Qt::ArrowCursor);
}

void TestSketchMaterialListView::opensTheClickedCard()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    SketchMaterialListView view;
    view.resize(700, 320);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy opened(&view, SIGNAL(materialClicked(SketchMaterialFile*)));

    // The margin around a card counts as the card.
    gridfixture::click(view.grid(), QPoint(120 + 3, 3));
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.first().first().value<SketchMaterialFile *>()->name(), QStringLiteral("Free"));
    // A cell without a file opens nothing.
    gridfixture::click(view.grid(), QPoint(360, 200));
    QCOMPARE(opened.size(), 1);
    view.gridCellClicked(nullptr);
    QCOMPARE(opened.size(), 1);
}

void TestSketchMaterialListView::deletesItsFilesWithItself()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    const MaterialCounts before;
    {
        SketchMaterialListView view;
        QCOMPARE(SketchGlobals::MaterialFileCount, before.files + 6);
        QCOMPARE(SketchGlobals::MaterialCount, before.materials + 6);
    }
    QVERIFY2(MaterialCounts() == before, qPrintable(describe(MaterialCounts())));
}

QTEST_MAIN(TestSketchMaterialListView)
#include "tst_sketchmateriallistview.moc"
