// Drops onto a document view, sent as the drag events a window system
// delivers: materials, URLs and other data; and picture files placed by
// dropImageFiles.
#include "support/history.h"
#include "support/input.h"
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "editor/sketchtool.h"
#include "materials/sketchmaterial.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QDomDocument>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QStandardPaths>
#include <QtTest>

#include <cmath>

namespace {

// A material of a 100 x 50 box and a diagonal line across it.
const QString MaterialText = QStringLiteral(
    "<StoryloomMaterial Guid=\"{m}\" Name=\"two\" Category=\"1\" Size=\"100,50\">\n"
    "    <Shape Behavior=\"1\" Points=\"0,0;100,0;100,50;0,50\"/>\n"
    "    <Shape Closed=\"0\" Points=\"0,0;100,50\"/>\n"
    "</StoryloomMaterial>\n");

struct DragResult
{
    bool enterAccepted = false;
    bool moveAccepted = false;
    bool dropAccepted = false;
};

// Enter, move and drop at one point, as a drag from another program.
DragResult dragAndDrop(QWidget *view, const QPoint &pos, QMimeData *data)
{
    DragResult result;
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    result.enterAccepted = enter.isAccepted();
    QDragMoveEvent move(pos, actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    result.moveAccepted = move.isAccepted();
    QDropEvent drop(QPointF(pos), actions, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &drop);
    result.dropAccepted = drop.isAccepted();
    return result;
}

QMimeData *textData(const QString &text)
{
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

QRectF boxOf(const SketchShape *shape)
{
    return QRectF(QPointF(shape->pointX(0), shape->pointY(0)), QPointF(shape->pointX(2), shape->pointY(2)));
}

} // namespace

class TestDrops : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void materialLandsCentredOnTheDropPoint_data();
    void materialLandsCentredOnTheDropPoint();
    void urlsAreHandedOnAndWinOverText();
    void otherTextIsAcceptedAndAddsNothing_data();
    void otherTextIsAcceptedAndAddsNothing();
    void dataWithoutTextOrUrlsIsIgnored();
    void nothingIsAddedUnderTheSliceTool();
    void lockedOrHiddenLayerTakesNoDrop();
    void dropMaterialCopiesTheShapes();
    void imageFilesBecomeOneStepOfBoxes();
    void filesThatAreNoPicturesAreSkipped();
    void compressedPicturesKeepTheirFullSizeBox();
    void boxesStayPositiveNearThePaperEdge_data();
    void boxesStayPositiveNearThePaperEdge();
    void imageFilesNeedALayerAndNoSliceTool();

private:
    SketchLayer *layer() const { return m_view->currentLayer(); }
    QString writePicture(const QString &name, const QSize &size)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::darkCyan);
        const QString path = m_dir.filePath(name);
        if (!image.save(path, "PNG"))
            qWarning("could not write %s", qPrintable(path));
        return path;
    }

    SketchDocumentView *m_view = nullptr;
    QTemporaryDir m_dir;
};

void TestDrops::init()
{
    QVERIFY(m_dir.isValid());
    m_view = new SketchDocumentView;
    m_view->resize(1000, 800);
}

void TestDrops::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestDrops::materialLandsCentredOnTheDropPoint_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPointF>("centre");

    QTest::newRow("zoom 1") << 1.0f << QPoint(0, 0) << QPointF(300, 200);
    QTest::newRow("zoom 2, scrolled") << 2.0f << QPoint(-40, -20) << QPointF(170, 110);
}

void TestDrops::materialLandsCentredOnTheDropPoint()
{
    QFETCH(float, zoom);
    QFETCH(QPoint, scroll);
    QFETCH(QPointF, centre);

    SketchShape *before = addBox(layer(), 10, 10, 5, 5);
    selectShape(before);
    m_view->setZoom(zoom);
    m_view->setScrollX(scroll.x(), false);
    m_view->setScrollY(scroll.y(), false);

    QScopedPointer<QMimeData> data(textData(MaterialText));
    const DragResult result = dragAndDrop(m_view, QPoint(300, 200), data.data());
    QVERIFY(result.enterAccepted);
    QVERIFY(result.moveAccepted);
    QVERIFY(result.dropAccepted);

    QCOMPARE(layer()->shapes().size(), 3);
    SketchShape *box = layer()->shapes().at(1);
    SketchShape *line = layer()->shapes().at(2);
    QCOMPARE(boxOf(box), QRectF(centre - QPointF(50, 25), QSizeF(100, 50)));
    QCOMPARE(pointsOf(line), (QList<QPointF>{centre - QPointF(50, 25), centre + QPointF(50, 25)}));
    QVERIFY(!line->isClosed());
    QVERIFY(!before->isSelected());
    QVERIFY(box->isSelected() && line->isSelected());

    QCOMPARE(undoTexts(m_view), QStringLiteral("dropMaterialOnDocumentView"));
    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().size(), 1);
}

void TestDrops::urlsAreHandedOnAndWinOverText()
{
    QSignalSpy dropped(m_view, &SketchView::urlsDroped);
    const QList<QUrl> urls{QUrl::fromLocalFile(QStringLiteral("/tmp/a.slf")),
                           QUrl::fromLocalFile(QStringLiteral("/tmp/b.png"))};
    QScopedPointer<QMimeData> data(textData(MaterialText));
    data->setUrls(urls);
    // setUrls replaces the text with the URLs' text: put the material back.
    data->setText(MaterialText);
    QVERIFY(data->hasUrls() && data->hasText());

    const DragResult result = dragAndDrop(m_view, QPoint(300, 200), data.data());
    QVERIFY(result.enterAccepted);
    // The main window decides what the URLs are; the view does not take them.
    QVERIFY(!result.dropAccepted);
    QCOMPARE(dropped.count(), 1);
    QCOMPARE(dropped.first().first().value<QList<QUrl>>(), urls);
    QVERIFY(layer()->shapes().isEmpty());
}

void TestDrops::otherTextIsAcceptedAndAddsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain words") << "hello";
    QTest::newRow("material prefix, broken XML") << "<StoryloomMaterial Size=\"100,50\"><Shape Points=\"0,0;5,5\"/>";
    QTest::newRow("material without shapes") << "<StoryloomMaterial Size=\"100,50\"/>";
    QTest::newRow("leading blank") << QString(QLatin1Char(' ') + MaterialText);
}

void TestDrops::otherTextIsAcceptedAndAddsNothing()
{
    QFETCH(QString, text);
    QScopedPointer<QMimeData> data(textData(text));
    const DragResult result = dragAndDrop(m_view, QPoint(300, 200), data.data());
    QVERIFY(result.enterAccepted);
    QVERIFY(result.dropAccepted);
    QVERIFY(layer()->shapes().isEmpty());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

void TestDrops::dataWithoutTextOrUrlsIsIgnored()
{
    QScopedPointer<QMimeData> data(new QMimeData);
    data->setData(QStringLiteral("application/x-something"), QByteArray("1234"));
    const DragResult result = dragAndDrop(m_view, QPoint(300, 200), data.data());
    QVERIFY(!result.enterAccepted);
    QVERIFY(!result.moveAccepted);
    QVERIFY(!result.dropAccepted);
    QVERIFY(layer()->shapes().isEmpty());
}

void TestDrops::nothingIsAddedUnderTheSliceTool()
{
    m_view->setCurrentTool(SketchToolTypeSlice, false);
    QScopedPointer<QMimeData> data(textData(MaterialText));
    const DragResult result = dragAndDrop(m_view, QPoint(300, 200), data.data());
    QVERIFY(result.dropAccepted);
    QVERIFY(layer()->shapes().isEmpty());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);

    SketchMaterial material;
    QDomDocument document;
    QVERIFY(document.setContent(MaterialText));
    material.readXml(document.documentElement());
    m_view->dropMaterial(300, 200, &material);
    QVERIFY(layer()->shapes().isEmpty());
}

void TestDrops::lockedOrHiddenLayerTakesNoDrop()
{
    QSignalSpy dropped(m_view, &SketchView::urlsDroped);
    QScopedPointer<QMimeData> data(textData(MaterialText));
    QScopedPointer<QMimeData> urls(new QMimeData);
    urls->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.png"))});

    layer()->setLocked(true);
    QVERIFY(!dragAndDrop(m_view, QPoint(300, 200), data.data()).enterAccepted);
    dragAndDrop(m_view, QPoint(300, 200), urls.data());
    layer()->setLocked(false);
    layer()->setVisible(false);
    QVERIFY(!dragAndDrop(m_view, QPoint(300, 200), data.data()).dropAccepted);
    layer()->setVisible(true);
    m_view->setCurrentLayer(nullptr, false);
    QVERIFY(!dragAndDrop(m_view, QPoint(300, 200), data.data()).dropAccepted);

    QVERIFY(m_view->document()->shapes().isEmpty());
    QCOMPARE(dropped.count(), 0);
}

void TestDrops::dropMaterialCopiesTheShapes()
{
    SketchMaterial material;
    QDomDocument document;
    QVERIFY(document.setContent(MaterialText));
    material.readXml(document.documentElement());

    m_view->dropMaterial(300, 200, &material);
    m_view->dropMaterial(500, 400, &material);
    QCOMPARE(layer()->shapes().size(), 4);
    QCOMPARE(boxOf(layer()->shapes().at(2)), QRectF(450, 375, 100, 50));
    // The material keeps its own shapes where they were.
    QCOMPARE(material.shapes().size(), 2);
    QCOMPARE(material.shapes().first()->pointX(0), 0.0f);
    QCOMPARE(undoTexts(m_view), QStringLiteral("dropMaterialOnDocumentView,dropMaterialOnDocumentView"));

    m_view->dropMaterial(300, 200, nullptr);
    SketchMaterial empty;
    m_view->dropMaterial(300, 200, &empty);
    QCOMPARE(m_view->commandManager()->undoCount(), 2);
}

void TestDrops::imageFilesBecomeOneStepOfBoxes()
{
    const QStringList files{writePicture(QStringLiteral("a.png"), QSize(40, 30)),
                            writePicture(QStringLiteral("b.png"), QSize(40, 30)),
                            writePicture(QStringLiteral("c.png"), QSize(40, 30))};
    SketchShape *before = addBox(layer(), 10, 10, 5, 5);
    selectShape(before);
    m_view->dropImageFiles(100, 100, files, 1.0f);

    QCOMPARE(layer()->shapes().size(), 4);
    for (int k = 0; k < 3; ++k) {
        SketchShape *shape = layer()->shapes().at(1 + k);
        QCOMPARE(boxOf(shape), QRectF(QPointF(80 + 10 * k, 85 + 10 * k), QPointF(119 + 10 * k, 114 + 10 * k)));
        QCOMPARE(shape->fill().type(), 4);
        QCOMPARE(shape->fill().picture().size(), QSize(40, 30));
        QVERIFY(shape->stroke().brush().isTransparent());
        QVERIFY(shape->isClosed());
        QVERIFY(shape->isSelected());
    }
    QVERIFY(!before->isSelected());
    QCOMPARE(undoTexts(m_view), QStringLiteral("dropImageFiles"));
    m_view->commandManager()->undo();
    QCOMPARE(layer()->shapes().size(), 1);
}

void TestDrops::filesThatAreNoPicturesAreSkipped()
{
    const QString text = m_dir.filePath(QStringLiteral("notes.png"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture at all");
    file.close();
    const QStringList files{writePicture(QStringLiteral("a.png"), QSize(40, 30)), text,
                            m_dir.filePath(QStringLiteral("missing.png")),
                            writePicture(QStringLiteral("b.png"), QSize(40, 30))};
    m_view->dropImageFiles(100, 100, files, 1.0f);

    QCOMPARE(layer()->shapes().size(), 2);
    // The second picture takes the place right after the first.
    QCOMPARE(boxOf(layer()->shapes().at(1)), QRectF(QPointF(90, 95), QPointF(129, 124)));

    m_view->dropImageFiles(100, 100, {text}, 1.0f);
    QCOMPARE(layer()->shapes().size(), 2);
    QCOMPARE(m_view->commandManager()->undoCount(), 1);
}

void TestDrops::compressedPicturesKeepTheirFullSizeBox()
{
    const QString file = writePicture(QStringLiteral("big.png"), QSize(400, 400));
    m_view->dropImageFiles(300, 300, {file}, 0.5f);
    SketchShape *shape = layer()->shapes().first();
    QCOMPARE(boxOf(shape), QRectF(QPointF(100, 100), QPointF(499, 499)));
    QCOMPARE(shape->fill().picture().size(), QSize(200, 200));
}

void TestDrops::boxesStayPositiveNearThePaperEdge_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("count");
    QTest::addColumn<QPoint>("at");

    QTest::newRow("many near the corner") << QSize(200, 200) << 40 << QPoint(830, 585);
    QTest::newRow("many from the top left") << QSize(120, 80) << 80 << QPoint(10, 10);
    QTest::newRow("long and thin") << QSize(1000, 3) << 3 << QPoint(800, 300);
    QTest::newRow("tall and thin") << QSize(3, 1000) << 3 << QPoint(400, 580);
    QTest::newRow("beyond the paper") << QSize(50, 50) << 2 << QPoint(3000, 3000);
}

void TestDrops::boxesStayPositiveNearThePaperEdge()
{
    QFETCH(QSize, picture);
    QFETCH(int, count);
    QFETCH(QPoint, at);

    const QString file = writePicture(QStringLiteral("p.png"), picture);
    QStringList files;
    for (int i = 0; i < count; ++i)
        files.append(file);
    m_view->dropImageFiles(at.x(), at.y(), files, 1.0f);

    QCOMPARE(layer()->shapes().size(), count);
    for (const SketchShape *shape : layer()->shapes()) {
        const QRectF box = boxOf(shape);
        QVERIFY(std::isfinite(box.left()) && std::isfinite(box.top()));
        QVERIFY(std::isfinite(box.width()) && std::isfinite(box.height()));
        QVERIFY2(box.width() >= 1 && box.height() >= 1,
                 qPrintable(QStringLiteral("box %1 x %2").arg(box.width()).arg(box.height())));
    }
}

void TestDrops::imageFilesNeedALayerAndNoSliceTool()
{
    const QStringList files{writePicture(QStringLiteral("a.png"), QSize(40, 30))};
    m_view->dropImageFiles(100, 100, {}, 1.0f);
    m_view->setCurrentTool(SketchToolTypeSlice, false);
    m_view->dropImageFiles(100, 100, files, 1.0f);
    m_view->setCurrentTool(SketchToolTypeSelect, false);
    layer()->setLocked(true);
    m_view->dropImageFiles(100, 100, files, 1.0f);
    layer()->setLocked(false);
    QVERIFY(layer()->shapes().isEmpty());
    QCOMPARE(m_view->commandManager()->undoCount(), 0);
}

QTEST_MAIN(TestDrops)
#include "tst_drops.moc"
