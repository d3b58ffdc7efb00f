// SketchMaterialGridItemDelegate: thumbnails, the name strip, the selected
// and the empty cells, the imported mark, as pixels of a shown panel; the
// drag text dropped onto a document view; drops refused past a page's items.
#include "materials/materialboxfixture.h"

#include "commands/sketchcommandmanager.h"
#include "editor/sketchdocumentview.h"
#include "materials/sketchmaterialgriditemdelegate.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"
#include "skin/controls/skingridselection.h"
#include "skin/gridfixture.h"
#include "skin/windows/skintheme.h"

#include <QImage>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

// The box of mostly red pixels inside the rect.
QRect redBox(const QImage &image, const QRect &rect)
{
    QRect box;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (isRed(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

bool isNear(const QRect &a, const QRect &b, int tolerance)
{
    return qAbs(a.left() - b.left()) <= tolerance && qAbs(a.top() - b.top()) <= tolerance
        && qAbs(a.right() - b.right()) <= tolerance && qAbs(a.bottom() - b.bottom()) <= tolerance;
}

QString rectText(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

bool isNearColour(QRgb pixel, const QColor &colour, int tolerance)
{
    return qAbs(qRed(pixel) - colour.red()) <= tolerance && qAbs(qGreen(pixel) - colour.green()) <= tolerance
        && qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Where a material of that size lands in a square cell: scaled to leave 3
// pixels on the tighter side and centred.
QRect expectedInk(const QRect &cell, const QSizeF &size)
{
    const double room = cell.width() - 6;
    const double scale = qMin(room / size.width(), room / size.height());
    const double w = size.width() * scale;
    const double h = size.height() * scale;
    return QRectF(cell.x() + 3 + (room - w) / 2, cell.y() + 3 + (room - h) / 2, w, h).toRect();
}

} // namespace

class TestSketchMaterialGridItemDelegate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void thumbnailFillsTheCellWithinItsMargins();
    void thumbnailFollowsTheCellSize();
    void nameStripUnderANamedMaterial_data();
    void nameStripUnderANamedMaterial();
    void selectedAndEmptyCells();
    void importedMaterialIsMarked();
    void dragTextDropsOntoADocumentView();
    void dragPixmapIsTheThumbnail();
    void dropCellRefusesCellsPastTheItems_data();
    void dropCellRefusesCellsPastTheItems();

private:
    // A shown panel on the page of category 0 holding the materials.
    void showLibrary(const QList<SketchMaterial *> &materials, const QSize &size = QSize(230, 420));
    SkinGridView *page() const { return m_box->grids().at(0); }
    QImage grabPage() const { return page()->grab().toImage(); }

    std::unique_ptr<LibraryFolder> m_folder;
    std::unique_ptr<SketchMaterialBox> m_box;
    MaterialCounts m_counts;
};

void TestSketchMaterialGridItemDelegate::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    gridfixture::registerGridTypes();
    setSkinThemeStyle(Black);
}

void TestSketchMaterialGridItemDelegate::init()
{
    m_counts = MaterialCounts();
    m_folder.reset(new LibraryFolder);
    QVERIFY(m_folder->isValid());
}

void TestSketchMaterialGridItemDelegate::cleanup()
{
    m_box.reset();
    m_folder.reset();
    QVERIFY2(MaterialCounts() == m_counts, qPrintable(describe(MaterialCounts())));
}

void TestSketchMaterialGridItemDelegate::showLibrary(const QList<SketchMaterial *> &materials, const QSize &size)
{
    QVERIFY(m_folder->writeLibrary(materials));
    m_box.reset(new SketchMaterialBox);
    QVERIFY(showPanel(m_box.get(), size));
    QCOMPARE(page()->itemCount(), materials.size());
}

void TestSketchMaterialGridItemDelegate::thumbnailFillsTheCellWithinItsMargins()
{
    showLibrary({makeBoxMaterial(0, QSizeF(100, 50)), makeBoxMaterial(0, QSizeF(20, 40))});
    const QImage image = grabPage();
    for (int column = 0; column < 2; ++column) {
        const QRect cell = page()->cellRect(column, 0);
        QCOMPARE(cell.width(), cell.height());
        const QSizeF size = column == 0 ? QSizeF(100, 50) : QSizeF(20, 40);
        const QRect ink = redBox(image, cell);
        const QRect expected = expectedInk(cell, size);
        QVERIFY2(isNear(ink, expected, 1), qPrintable(rectText(ink) + " for " + rectText(expected)));
    }
}

void TestSketchMaterialGridItemDelegate::thumbnailFollowsTheCellSize()
{
    showLibrary({makeBoxMaterial(0, QSizeF(100, 50))});
    SketchMaterial *material = m_box->materialFile()->materials().first();
    QVERIFY(!material->thumbnail() || material->thumbnail()->size() == page()->cellRect(0, 0).size());
    grabPage();
    QCOMPARE(material->thumbnail()->size(), page()->cellRect(0, 0).size());
    const QImage *cached = material->thumbnail();
    const QImage firstShot = grabPage();
    QCOMPARE(material->thumbnail(), cached);

    m_box->resize(320, 420);
    QApplication::processEvents();
    const QRect wider = page()->cellRect(0, 0);
    QVERIFY(wider.width() > firstShot.width() / 3);
    const QImage image = grabPage();
    QCOMPARE(material->thumbnail()->size(), wider.size());
    const QRect ink = redBox(image, wider);
    QVERIFY2(isNear(ink, expectedInk(wider, QSizeF(100, 50)), 1), qPrintable(rectText(ink)));
}

void TestSketchMaterialGridItemDelegate::nameStripUnderANamedMaterial_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("named") << "x";
    QTest::newRow("unnamed") << "";
}

void TestSketchMaterialGridItemDelegate::nameStripUnderANamedMaterial()
{
    QFETCH(QString, name);
    // Upright, so that the shape reaches down under the strip; and a long
    // name under a flat one, over the white cell.
    showLibrary({makeBoxMaterial(0, QSizeF(50, 100), name),
               makeBoxMaterial(0, QSizeF(100, 20), name.isEmpty() ? QString() : "WWW")});
    const QImage image = grabPage();
    const QRect cell = page()->cellRect(0, 0);
    const QRect ink = redBox(image, QRect(cell.x(), cell.y(), cell.width(), cell.height() - 20));
    const int x = ink.left() + 2;
    const int lineY = cell.bottom() - 17;
    if (name.isEmpty()) {
        QVERIFY(isRed(image.pixel(x, lineY)));
        QVERIFY(isRed(image.pixel(x, cell.bottom() - 5)));
    } else {
        QCOMPARE(QColor(image.pixel(x, lineY)), skinBorderColor);
        QCOMPARE(QColor(image.pixel(cell.right(), lineY)), skinBorderColor);
        // White at alpha 180 over the red.
        QVERIFY2(isNearColour(image.pixel(x, cell.bottom() - 5), QColor(255, 180, 180), 4),
                 qPrintable(QColor(image.pixel(x, cell.bottom() - 5)).name()));
    }

    // Dark text in the strip of the long name, centred across it.
    const QRect other = page()->cellRect(1, 0);
    QRect text;
    for (int y = other.bottom() - 16; y <= other.bottom(); ++y) {
        for (int px = other.left() + 1; px < other.right(); ++px) {
            if (qGray(image.pixel(px, y)) < 100)
                text |= QRect(px, y, 1, 1);
        }
    }
    if (name.isEmpty()) {
        QVERIFY(text.isEmpty());
    } else {
        QVERIFY(!text.isEmpty());
        // The strip's text box starts 4 pixels in, so centred text stands
        // 2 pixels right of the middle.
        const int leftMargin = text.left() - other.left();
        const int rightMargin = other.right() - text.right();
        QVERIFY2(leftMargin > 10 && qAbs(leftMargin - rightMargin - 4) <= 4,
                 qPrintable(QStringLiteral("%1 | %2").arg(leftMargin).arg(rightMargin)));
    }
}

void TestSketchMaterialGridItemDelegate::selectedAndEmptyCells()
{
    showLibrary({makeBoxMaterial(0, QSizeF(100, 50)), makeBoxMaterial(0, QSizeF(100, 50))});
    page()->selection()->selectCell(1, false);
    const QImage image = grabPage();
    const QRect plain = page()->cellRect(0, 0);
    const QRect selected = page()->cellRect(1, 0);
    const QRect empty = page()->cellRect(2, 0);
    // In the margin the thumbnail leaves clear.
    QCOMPARE(QColor(image.pixel(plain.left() + 2, plain.top() + 2)), QColor(Qt::white));
    QCOMPARE(QColor(image.pixel(selected.left() + 2, selected.top() + 2)), skinHighlightColor);
    QCOMPARE(QColor(image.pixel(empty.center())), skinPanelColor);
    QCOMPARE(QColor(image.pixel(page()->cellRect(1, 2).center())), skinPanelColor);
}

void TestSketchMaterialGridItemDelegate::importedMaterialIsMarked()
{
    showLibrary({makeBoxMaterial(0, QSizeF(100, 50)), makeBoxMaterial(0, QSizeF(100, 50))});
    m_box->materialFile()->materials().at(1)->setImported(true);
    const QImage image = grabPage();
    const QRect plain = page()->cellRect(0, 0);
    const QRect marked = page()->cellRect(1, 0);
    QCOMPARE(QColor(image.pixel(marked.right() - 1, marked.bottom() - 1)), QColor(Qt::green));
    QVERIFY(QColor(image.pixel(plain.right() - 1, plain.bottom() - 1)) != QColor(Qt::green));
    QVERIFY(QColor(image.pixel(marked.right() - 12, marked.bottom() - 1)) != QColor(Qt::green));
}

void TestSketchMaterialGridItemDelegate::dragTextDropsOntoADocumentView()
{
    SketchShape *box = makeFilledBox(QRectF(10, 10, 60, 30));
    SketchShape *ellipse = makeEllipse(nullptr, QRectF(80, 20, 40, 40));
    auto *material = new SketchMaterial(SketchMaterialRole, {box, ellipse}, true);
    material->setName(QStringLiteral("Pair"));
    delete box;
    delete ellipse;
    QVERIFY(m_folder->writeLibrary({material}));
    m_box.reset(new SketchMaterialBox);

    SkinGridItemDelegate *delegate = page()->itemDelegate();
    const QString text = delegate->cellText(page(), 0, 0);
    QVERIFY2(text.startsWith(QStringLiteral("<StoryloomMaterial ")), qPrintable(text.left(80)));
    QCOMPARE(delegate->cellText(page(), 1, 0), QString());

    SketchDocumentView view;
    view.resize(900, 650);
    view.dropMaterialXml(300, 200, text);
    QCOMPARE(view.currentLayer()->shapes().size(), 2);
    QCOMPARE(view.commandManager()->undoCount(), 1);
    view.commandManager()->undo();
    QCOMPARE(view.currentLayer()->shapes().size(), 0);
    // An empty cell's drag text drops nothing.
    view.dropMaterialXml(300, 200, delegate->cellText(page(), 1, 0));
    QCOMPARE(view.commandManager()->undoCount(), 0);
}

void TestSketchMaterialGridItemDelegate::dragPixmapIsTheThumbnail()
{
    showLibrary({makeBoxMaterial(0, QSizeF(100, 50))});
    const QPixmap pixmap = page()->itemDelegate()->dragPixmap(page(), 0, 0);
    const QRect cell = page()->cellRect(0, 0);
    QCOMPARE(pixmap.size(), cell.size());
    const QImage image = pixmap.toImage();
    const QRect ink = redBox(image, image.rect());
    QVERIFY2(isNear(ink, expectedInk(QRect(QPoint(0, 0), cell.size()), QSizeF(100, 50)), 1),
             qPrintable(rectText(ink)));
    // Around the shape the picture is clear.
    QCOMPARE(qAlpha(image.pixel(1, 1)), 0);
}

void TestSketchMaterialGridItemDelegate::dropCellRefusesCellsPastTheItems_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("after");

    QTest::newRow("within the items") << 0 << 1 << "b,a,,,,";
    QTest::newRow("onto the first free cell") << 0 << 2 << "a,b,,,,";
    QTest::newRow("onto a later free cell") << 1 << 5 << "a,b,,,,";
    QTest::newRow("from a free cell") << 3 << 0 << "a,b,,,,";
    QTest::newRow("outside the grid") << 0 << 9 << "a,b,,,,";
}

void TestSketchMaterialGridItemDelegate::dropCellRefusesCellsPastTheItems()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, after);

    // Every cell open to drag and drop, as a page whose switches went
    // wrong would be: the item count alone decides.
    SkinGridView grid;
    grid.setDragEnabled(true);
    grid.setDropEnabled(true);
    grid.setItemDelegate(new SketchMaterialGridItemDelegate);
    gridfixture::fill(&grid, 3, 2, {"a", "b", "", "", "", ""});
    grid.setItemCount(2);
    QSignalSpy dropped(&grid, SIGNAL(cellDroped()));
    grid.setDragging(true);
    grid.setDragColumn(from % 3);
    grid.setDragRow(from / 3);
    grid.itemDelegate()->dropCell(&grid, to % 3, to / 3, true);

    QCOMPARE(gridfixture::joined(&grid), after);
    QCOMPARE(dropped.count(), after.startsWith("b") ? 1 : 0);
    QVERIFY(!grid.isDragging());
    QCOMPARE(grid.dropColumn(), -1);
}

QTEST_MAIN(TestSketchMaterialGridItemDelegate)
#include "tst_sketchmaterialgriditemdelegate.moc"
