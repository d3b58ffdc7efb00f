// A document view under the theme's style sheet shows the theme's
// background around the paper, and the paper itself as before.
#include "support/paintcounter.h"
#include "support/pixels.h"
#include "support/shapes.h"

#include "editor/sketchdocumentview.h"
#include "skin/windows/skintheme.h"

#include <QStandardPaths>
#include <QtTest>

class TestDocumentViewTheme : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void backgroundOutsideThePaper_data();
    void backgroundOutsideThePaper();
};

void TestDocumentViewTheme::backgroundOutsideThePaper_data()
{
    QTest::addColumn<int>("theme");
    QTest::newRow("Black") << int(Black);
    QTest::newRow("Gray") << int(Gray);
    QTest::newRow("Blue") << int(Blue);
    QTest::newRow("Olive") << int(Olive);
}

void TestDocumentViewTheme::backgroundOutsideThePaper()
{
    QFETCH(int, theme);
    setSkinThemeStyle(SkinThemeStyle(theme));
    const QColor background = skinDocumentViewColor;
    QVERIFY(background.isValid());

    // The paper (842 x 595 at zoom 1) leaves free space right of and below
    // it.
    SketchDocumentView view;
    view.resize(1200, 900);
    view.setStyleSheet(skinStyleSheet);
    view.show();
    const QImage image = view.grab().toImage();

    QVERIFY(sameColor(image, 1100, 300, background, 0));
    QVERIFY(sameColor(image, 400, 800, background, 0));
    QVERIFY(sameColor(image, 1100, 800, background, 0));
    QVERIFY(sameColor(image, 400, 300, Qt::white, 0));
}

QTEST_MAIN(TestDocumentViewTheme)
#include "tst_documentviewtheme.moc"
