// The images of the menu and tool-bar actions. A missing resource loads as
// a null icon and the action silently shows none; and since the window
// tints every icon by painting each visible pixel opaque, a half-covered
// pixel would come out as a bump: each image is a crisp silhouette.
#include "support/silhouettes.h"

#include <QImage>
#include <QStandardPaths>
#include <QtTest>

class TestActionImages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void loadsAsACrispSilhouette_data();
    void loadsAsACrispSilhouette();
    void showsEachActionDifferently();
};

namespace {

const char *const actionNames[] = {
    "NewFile", "Open", "Save", "Print", "Undo", "Redo", "BringForward", "SendBackward",
    "BringToFront", "SendToBack", "ShapeAlignLeft", "ShapeAlignRight", "ShapeAlignTop",
    "ShapeAlignBottom", "ShapeAlignCenter", "FlipHorizontal", "FlipVertical", "Group",
    "UnGroup", "EditGroup", "Lock", "UnLock"};

QImage actionImage(const QString &name)
{
    return QImage(":/actions/images/" + name + ".png").convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void TestActionImages::loadsAsACrispSilhouette_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : actionNames)
        QTest::newRow(name) << QString(name);
}

void TestActionImages::loadsAsACrispSilhouette()
{
    QFETCH(QString, name);
    const QImage image = actionImage(name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), QSize(16, 16));
    const QString problem = silhouetteProblem(image);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

// Tinted, only the shape tells them apart.
void TestActionImages::showsEachActionDifferently()
{
    QHash<QByteArray, QString> shapes;
    for (const char *name : actionNames) {
        const QByteArray mask = tintedMask(actionImage(name));
        QVERIFY2(!shapes.contains(mask), qPrintable(shapes.value(mask) + " and " + name));
        shapes.insert(mask, name);
    }
}

QTEST_GUILESS_MAIN(TestActionImages)
#include "tst_actionimages.moc"
