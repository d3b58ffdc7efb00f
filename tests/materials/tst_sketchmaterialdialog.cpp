// The dialog of one catalogue entry: the download and its cache, the replies
// it refuses, its layout, and the import into the materials panel.
#include "app/usersettings.h"
#include "materials/cataloguefixture.h"
#include "materials/materialboxfixture.h"
#include "materials/sketchmaterialdialog.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/gridfixture.h"
#include "support/pixels.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

namespace {

// The materials of the dialog's cells in linear order, by name.
QStringList cellNames(const SketchMaterialDialog &dialog)
{
    QStringList names;
    const SkinGridView *grid = dialog.grid();
    for (int index = 0; index < grid->cellCount(); ++index) {
        auto *material = qobject_cast<SketchMaterial *>(grid->cellData(index % 3, index / 3));
        names.append(material ? material->name() : QString());
    }
    return names;
}

Qt::TextFormat formatOf(const SkinMessageBox *box)
{
    for (const QLabel *label : box->findChildren<QLabel *>()) {
        if (label->text() == box->text())
            return label->textFormat();
    }
    return Qt::AutoText;
}

} // namespace

class TestSketchMaterialDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void showsTheFileInThreeColumns();
    void downloadsAnEntryOncePerRun();
    void keepsARenamedReplyUnderTheNameAskedFor();
    void asksAgainAfterAReplyWithoutMaterials_data();
    void asksAgainAfterAReplyWithoutMaterials();
    void endsADownloadThatIsNeverAnswered();
    void keepsTheCacheWithinItsBound();
    void laysOutTheButtonAndSquareCells();
    void downloadClosesThenImports();
    void returnDownloads();
    void escapeImportsNothing();
    void deletesItsFileWithItself();
};

void TestSketchMaterialDialog::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    UserSettings::instance().load();
    gridfixture::registerGridTypes();
}

void TestSketchMaterialDialog::showsTheFileInThreeColumns()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    BoxRecorder boxes;
    SketchMaterialDialog dialog(nullptr, QStringLiteral("Four"));

    QVERIFY(boxes.boxes.isEmpty());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Four(4)"));
    QCOMPARE(dialog.size(), QSize(400, 450));
    QCOMPARE(dialog.grid()->columnCount(), 3);
    QCOMPARE(dialog.grid()->rowCount(), 2);
    QCOMPARE(dialog.grid()->itemCount(), 4);
    // Regrouped by category (0, 1, 3, 3); a comment before them counts not.
    QCOMPARE(cellNames(dialog), (QStringList{"Girl", "Cup", "Tree", "Rock", "", ""}));
    QCOMPARE(dialog.grid()->cellBackgroundColor(0, 1), QColor(Qt::white));
    QCOMPARE(dialog.downloadButton()->text(), QStringLiteral("Download"));

    const QList<QJsonObject> requests = service.requestsFor(QStringLiteral("/Services/MaterialGet.ashx"));
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().value("query").toString(),
             QStringLiteral("UserId=&Version=2.2&LangName=EN&MaterialFileName=Four"));
}

void TestSketchMaterialDialog::downloadsAnEntryOncePerRun()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    for (const QString &name : {QStringLiteral("Four"), QStringLiteral("Cats & Dogs#1")}) {
        QString firstTitle;
        {
            SketchMaterialDialog first(nullptr, name);
            firstTitle = first.windowTitle();
        }
        const int requests = service.materialRequests();
        SketchMaterialDialog second(nullptr, name);
        QCOMPARE(service.materialRequests(), requests);
        QCOMPARE(second.windowTitle(), firstTitle);
        QVERIFY(second.materialFile()->materials().size() > 0);
    }
    QCOMPARE(service.materialRequests(), 2);
    QCOMPARE(service.requests().last().value("query_fields").toObject().value("MaterialFileName").toString(),
             QStringLiteral("Cats & Dogs#1"));
}

void TestSketchMaterialDialog::keepsARenamedReplyUnderTheNameAskedFor()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    {
        // "A" calls itself "B".
        SketchMaterialDialog a(nullptr, QStringLiteral("A"));
        QCOMPARE(a.windowTitle(), QStringLiteral("B(1)"));
    }
    QVERIFY(SketchGlobals::materialCache.contains(QStringLiteral("A")));
    QVERIFY(!SketchGlobals::materialCache.contains(QStringLiteral("B")));
    {
        SketchMaterialDialog b(nullptr, QStringLiteral("B"));
        QCOMPARE(b.windowTitle(), QStringLiteral("B(2)"));
        QCOMPARE(service.materialRequests(), 2);
    }
    SketchMaterialDialog again(nullptr, QStringLiteral("A"));
    QCOMPARE(again.windowTitle(), QStringLiteral("B(1)"));
    SketchMaterialDialog bAgain(nullptr, QStringLiteral("B"));
    QCOMPARE(bAgain.windowTitle(), QStringLiteral("B(2)"));
    QCOMPARE(service.materialRequests(), 2);
}

void TestSketchMaterialDialog::asksAgainAfterAReplyWithoutMaterials_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("boxText");

    QTest::newRow("10 characters") << "Short" << "Error</b>!";
    QTest::newRow("11 characters, not XML") << "Junk" << QString();
    QTest::newRow("404") << "Missing" << QString();
    QTest::newRow("refused") << "" << QString();
}

void TestSketchMaterialDialog::asksAgainAfterAReplyWithoutMaterials()
{
    QFETCH(QString, name);
    QFETCH(QString, boxText);
    CatalogueService service;
    if (name.isEmpty())
        service.pointAtNothing();
    else
        QVERIFY(service.start(QStringLiteral("six")));
    const QString asked = name.isEmpty() ? QStringLiteral("Four") : name;

    QStringList shown;
    QList<Qt::TextFormat> formats;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        auto *box = qobject_cast<SkinMessageBox *>(dialog);
        shown.append(dialog->windowTitle() + QLatin1Char('|') + (box ? box->text() : QString()));
        formats.append(box ? formatOf(box) : Qt::AutoText);
        return int(SkinDialog::ResultOk);
    });
    for (int opening = 1; opening <= 2; ++opening) {
        SketchMaterialDialog dialog(nullptr, asked);
        QCOMPARE(dialog.windowTitle(), asked + QStringLiteral("(0)"));
        QCOMPARE(dialog.grid()->itemCount(), 0);
        QVERIFY(SketchGlobals::materialCache.isEmpty());
        if (!name.isEmpty())
            QCOMPARE(service.materialRequests(), opening);
    }
    if (boxText.isEmpty()) {
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join(';')));
        return;
    }
    QCOMPARE(shown, (QStringList{"Error|" + boxText, "Error|" + boxText}));
    QCOMPARE(formats.first(), Qt::PlainText);
}

void TestSketchMaterialDialog::endsADownloadThatIsNeverAnswered()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    MaterialCatalogueRequest::setTimeoutMs(300);
    QElapsedTimer clock;
    clock.start();
    SketchMaterialDialog dialog(nullptr, QStringLiteral("Silent"));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Silent(0)"));
}

void TestSketchMaterialDialog::keepsTheCacheWithinItsBound()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    { SketchMaterialDialog four(nullptr, QStringLiteral("Four")); }
    // Room for one reply only: the next one pushes "Four" out.
    SketchGlobals::materialCache.setCapacity(SketchGlobals::materialCache.size() + 64);
    { SketchMaterialDialog b(nullptr, QStringLiteral("B")); }
    QCOMPARE(SketchGlobals::materialCache.keys(), QList<QString>{QStringLiteral("B")});
    QVERIFY(SketchGlobals::materialCache.size() <= SketchGlobals::materialCache.capacity());
    { SketchMaterialDialog four(nullptr, QStringLiteral("Four")); }
    QCOMPARE(service.materialRequests(), 3);
}

void TestSketchMaterialDialog::laysOutTheButtonAndSquareCells()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    SketchMaterialDialog dialog(nullptr, QStringLiteral("Four"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QWidget *central = dialog.centralWidget();
    const int w = central->width();
    const int h = central->height();
    QCOMPARE(dialog.downloadButton()->geometry(), QRect(w / 2 - 50, 6, 108, 25));
    QCOMPARE(dialog.grid()->geometry(), QRect(8, 36, w - 16, h - 44));
    const int side = dialog.grid()->columns().first()->width();
    QVERIFY(side > 100);
    for (const SkinGridRow *row : dialog.grid()->rows())
        QCOMPARE(row->height(), side);

    // Enough rows for the scroll bar, which narrows the columns: still square.
    QString many = QStringLiteral("<MaterialFile Name=\"Many\">");
    for (int index = 0; index < 12; ++index)
        many += QStringLiteral("<Material Guid=\"{m%1}\"/>").arg(index);
    SketchGlobals::materialCache.insert(QStringLiteral("Many"), many + QStringLiteral("</MaterialFile>"));
    SketchMaterialDialog scrolled(nullptr, QStringLiteral("Many"));
    QCOMPARE(scrolled.windowTitle(), QStringLiteral("Many(12)"));
    scrolled.show();
    QVERIFY(QTest::qWaitForWindowExposed(&scrolled));
    QVERIFY(scrolled.grid()->verticalScrollBar()->isVisible());
    const int narrower = scrolled.grid()->columns().first()->width();
    QVERIFY(narrower < side);
    for (const SkinGridRow *row : scrolled.grid()->rows())
        QCOMPARE(row->height(), narrower);
    QCOMPARE(service.materialRequests(), 1);

    // A clicked cell shows the highlight behind its shapes.
    gridfixture::click(dialog.grid(), dialog.grid()->cellRect(1, 0).topLeft() + QPoint(3, 3));
    const QImage image = dialog.grid()->grab().toImage();
    QVERIFY(sameColor(image, dialog.grid()->cellRect(1, 0).left() + 3, 3, skinHighlightColor));
    QVERIFY(sameColor(image, dialog.grid()->cellRect(0, 0).left() + 3, 3, Qt::white));
}

void TestSketchMaterialDialog::downloadClosesThenImports()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    LibraryFolder library;
    QVERIFY(library.isValid());
    SketchMaterialBox box;

    QStringList events;
    SketchMaterialDialog *running = nullptr;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        if (auto *entry = qobject_cast<SketchMaterialDialog *>(dialog)) {
            running = entry;
            QTest::mouseClick(entry->downloadButton(), Qt::LeftButton);
            events.append(QStringLiteral("after click"));
            return entry->result();
        }
        // The dialog has ended (result 2) before the panel reports.
        events.append(QStringLiteral("%1|%2|%3").arg(dialog->windowTitle(),
                                                     qobject_cast<SkinMessageBox *>(dialog)->text())
                          .arg(running ? running->result() : -1));
        return int(SkinDialog::ResultOk);
    });
    SketchMaterialDialog dialog(nullptr, QStringLiteral("Four"));
    dialog.setMaterialBox(&box);
    QCOMPARE(dialog.exec(), 2);
    QCOMPARE(events, (QStringList{"Finished|4 materials are imported.|2", "after click"}));
    QCOMPARE(box.materialFile()->materials().size(), 4);
    QCOMPARE(library.libraryEntries().size(), 4);
    for (const SketchMaterial *material : dialog.materialFile()->materials())
        QVERIFY(material->isImported());
}

// A preview picked with the mouse, then Return on the focused widget, as
// real events: "Download" answers it.
void TestSketchMaterialDialog::returnDownloads()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    LibraryFolder library;
    QVERIFY(library.isValid());
    SketchMaterialBox box;
    QStringList boxes;
    bool stayedOpen = false;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        auto *entry = qobject_cast<SketchMaterialDialog *>(dialog);
        if (!entry) {
            boxes.append(qobject_cast<SkinMessageBox *>(dialog)->text());
            return int(SkinDialog::ResultOk);
        }
        entry->show();
        if (!QTest::qWaitForWindowActive(entry))
            return entry->result();
        gridfixture::click(entry->grid(), entry->grid()->cellRect(1, 0).topLeft() + QPoint(3, 3));
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused && entry->isAncestorOf(focused) ? focused : entry, Qt::Key_Return);
        stayedOpen = entry->isVisible();
        return entry->result();
    });
    SketchMaterialDialog dialog(nullptr, QStringLiteral("Four"));
    dialog.setMaterialBox(&box);
    dialog.exec();
    QVERIFY(!stayedOpen);
    QCOMPARE(boxes, QStringList{"4 materials are imported."});
    QCOMPARE(box.materialFile()->materials().size(), 4);
}

void TestSketchMaterialDialog::escapeImportsNothing()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    LibraryFolder library;
    SketchMaterialBox box;
    QStringList events;
    SkinDialog::ScopedAnswerHook hook([&](SkinDialog *dialog) {
        events.append(dialog->windowTitle());
        if (qobject_cast<SketchMaterialDialog *>(dialog))
            QTest::keyClick(dialog, Qt::Key_Escape);
        return dialog->result();
    });
    SketchMaterialDialog dialog(nullptr, QStringLiteral("Four"));
    dialog.setMaterialBox(&box);
    QCOMPARE(dialog.exec(), 2);
    QCOMPARE(events, QStringList{"Four(4)"});
    QVERIFY(box.materialFile()->materials().isEmpty());
    QVERIFY(!QFile::exists(library.libraryPath()));
}

void TestSketchMaterialDialog::deletesItsFileWithItself()
{
    CatalogueService service;
    QVERIFY(service.start(QStringLiteral("six")));
    const MaterialCounts before;
    {
        SketchMaterialDialog dialog(nullptr, QStringLiteral("Four"));
        QCOMPARE(SketchGlobals::MaterialFileCount, before.files + 1);
    }
    {
        // Without a panel "Download" only closes.
        SketchMaterialDialog dialog(nullptr, QStringLiteral("B"));
        dialog.downloadButton()->click();
        QCOMPARE(dialog.result(), 2);
    }
    QVERIFY2(MaterialCounts() == before, qPrintable(describe(MaterialCounts())));
}

QTEST_MAIN(TestSketchMaterialDialog)
#include "tst_sketchmaterialdialog.moc"
