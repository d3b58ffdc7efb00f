#include "support/history.h"
#include "support/shapes.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandchangepaperborder.h"
#include "commands/sketchcommandchangepapercolor.h"
#include "commands/sketchcommandcomposite.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandremove.h"
#include "commands/sketchcommandrename.h"
#include "commands/sketchcommandresizepaper.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchslice.h"

#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtTest>

namespace {

// The document as saveToFile writes it.
QString documentText(SketchDocument *document)
{
    return QString::fromUtf8(document->toFileText());
}

class RandomEditor
{
public:
    RandomEditor(SketchDocumentView *view, quint32 seed)
        : m_view(view)
        , m_document(view->document())
        , m_random(seed)
    {
    }

    void generateDocument()
    {
        m_document->layers().first()->setName("Base");
        for (int i = 0; i < 2; ++i) {
            auto *layer = new SketchLayer(m_document, QString("Layer %1").arg(i + 2));
            m_document->layers().append(layer);
        }
        for (SketchLayer *layer : m_document->layers()) {
            const int count = 3 + int(m_random.bounded(4));
            for (int i = 0; i < count; ++i)
                layer->shapes().append(makeShape(layer));
        }
        // One framed shape, showing its first frame, which holds its state;
        // the other frames are other shapes, with names of their own.
        SketchShape *framed = m_document->layers().first()->shapes().first();
        for (int i = 0; i < 3; ++i) {
            SketchShape *frame = framed->clone(false);
            frame->translate(float(i * 7), 0);
            frame->setName(QString("frame%1").arg(i));
            framed->appendFrame(frame);
        }
        framed->syncCurrentFrame();
        for (int i = 0; i < 2; ++i)
            m_document->slices().append(makeSlice());
        m_document->updateSliceGrid();
    }

    // One random edit, pushed as one command; false when the drawn kind found
    // nothing to work on.
    bool pushRandomCommand()
    {
        switch (m_random.bounded(15)) {
        case 0:
        case 1:
        case 2:
            return updateShapes();
        case 3:
            return addShapes();
        case 4:
            return removeShapes();
        case 5:
            return removePoint();
        case 6:
            return addLayer();
        case 7:
            return removeLayer();
        case 8:
            return renameLayer();
        case 9:
            return push(new SketchCommandResizePaper(m_view, 300 + int(m_random.bounded(900)),
                                                     300 + int(m_random.bounded(900))),
                        "Resize Paper");
        case 10:
            return push(new SketchCommandChangePaperColor(m_view, SkinBrush(randomColor())), "Change Paper Color");
        case 11:
            return push(new SketchCommandChangePaperBorder(m_view, SketchStroke(randomColor(), 1 + int(m_random.bounded(5)),
                                                                                int(m_random.bounded(2)))),
                        "changePaperBorder");
        case 12:
            return sliceCommand();
        case 13:
            return composite();
        default:
            return updateShapes();
        }
    }

    int randomBounded(int bound) { return int(m_random.bounded(bound)); }

private:
    bool push(SketchCommand *command, const QString &text)
    {
        m_view->commandManager()->push(command, text);
        return true;
    }

    QColor randomColor() { return QColor::fromRgb(m_random.generate() & 0xffffff); }

    SketchShape *makeShape(SketchLayer *layer)
    {
        auto *shape = new SketchShape(layer);
        const qreal x = m_random.bounded(700);
        const qreal y = m_random.bounded(500);
        if (m_random.bounded(2) == 0) {
            shape->setBehavior(SketchShapeBox);
            const qreal w = 10 + m_random.bounded(100);
            const qreal h = 10 + m_random.bounded(100);
            shape->points() << new SketchPoint(x, y) << new SketchPoint(x + w, y)
                            << new SketchPoint(x + w, y + h) << new SketchPoint(x, y + h);
        } else {
            const int count = 3 + int(m_random.bounded(5));
            for (int i = 0; i < count; ++i)
                shape->points() << new SketchPoint(x + m_random.bounded(120), y + m_random.bounded(120),
                                                   m_random.bounded(3) == 0);
            shape->setClosed(m_random.bounded(2) == 0);
        }
        shape->setFill(SkinBrush(randomColor()));
        shape->setName(QString("s%1").arg(m_random.bounded(1000)));
        return shape;
    }

    SketchSlice *makeSlice()
    {
        auto *slice = new SketchSlice(m_document);
        slice->setRect(QRect(int(m_random.bounded(700)), int(m_random.bounded(500)),
                             1 + int(m_random.bounded(150)), 1 + int(m_random.bounded(150))));
        return slice;
    }

    QList<SketchShape *> allShapes() const
    {
        QList<SketchShape *> shapes;
        for (SketchLayer *layer : m_document->layers())
            shapes += layer->shapes();
        return shapes;
    }

    // A random subset in document order (layer order, then shape order).
    QList<SketchShape *> someShapes(int most)
    {
        QList<SketchShape *> picked;
        for (SketchShape *shape : allShapes()) {
            if (picked.size() < most && m_random.bounded(4) == 0)
                picked.append(shape);
        }
        return picked;
    }

    void mutate(SketchShape *shape)
    {
        switch (m_random.bounded(8)) {
        case 0:
            shape->translate(float(m_random.bounded(40) - 20), float(m_random.bounded(40) - 20));
            break;
        case 1: {
            // A shape's brushes carry the shape's opacity, as the design panel
            // hands them over; a copy of the shape restores them that way.
            SkinBrush fill(randomColor());
            fill.setOpacity(shape->opacity());
            shape->setFill(fill);
            break;
        }
        case 2: {
            SketchStroke stroke(randomColor(), 1 + int(m_random.bounded(6)), int(m_random.bounded(2)));
            stroke.brush().setOpacity(shape->opacity());
            shape->setStroke(stroke);
            break;
        }
        case 3:
            shape->setOpacity(float(m_random.bounded(100)) / 100.0f);
            break;
        case 4:
            shape->setText(QString("text %1").arg(m_random.bounded(100)));
            break;
        case 5:
            shape->setRotateAngle(float(m_random.bounded(90)) / 100.0f);
            shape->centerRotatePoint();
            break;
        case 6:
            shape->flipHorizontal();
            break;
        default:
            shape->setActiveHandle(int(m_random.bounded(3 + shape->pointCount())));
            shape->moveHandle(float(m_random.bounded(30) - 15), float(m_random.bounded(30) - 15));
            break;
        }
    }

    bool updateShapes()
    {
        const QList<SketchShape *> shapes = someShapes(3);
        if (shapes.isEmpty())
            return false;
        auto *command = new SketchCommandUpdate(m_view, shapes);
        for (SketchShape *shape : shapes)
            mutate(shape);
        return push(command, "moveSelection");
    }

    bool addShapes()
    {
        QList<SketchLayer *> &layers = m_document->layers();
        if (layers.isEmpty())
            return false;
        SketchLayer *layer = layers.at(int(m_random.bounded(layers.size())));
        QList<SketchShape *> shapes{makeShape(layer)};
        if (m_random.bounded(2) == 0)
            shapes.append(makeShape(layer));
        return push(new SketchCommandAdd(m_view, shapes), "pasteFromClipboard");
    }

    bool removeShapes()
    {
        const QList<SketchShape *> shapes = someShapes(4);
        if (shapes.isEmpty())
            return false;
        for (SketchShape *shape : shapes)
            shape->setActiveHandle(SketchHandleInside);
        return push(new SketchCommandRemove(m_view, shapes), "delelteSelection");
    }

    bool removePoint()
    {
        QList<SketchShape *> candidates;
        for (SketchShape *shape : allShapes()) {
            if (shape->pointCount() > 2)
                candidates.append(shape);
        }
        if (candidates.isEmpty())
            return false;
        SketchShape *shape = candidates.at(int(m_random.bounded(candidates.size())));
        shape->setActiveHandle(3 + int(m_random.bounded(shape->pointCount())));
        return push(new SketchCommandRemove(m_view, shape), "cutofPoint");
    }

    bool addLayer()
    {
        QList<SketchLayer *> &layers = m_document->layers();
        if (!layers.isEmpty() && m_random.bounded(2) == 0)
            return push(new SketchCommandAdd(m_view, layers.at(int(m_random.bounded(layers.size())))->clone()),
                        "duplicateLayer");
        auto *layer = new SketchLayer(m_document, QString("New %1").arg(m_random.bounded(100)));
        layer->shapes().append(makeShape(layer));
        return push(new SketchCommandAdd(m_view, layer), "newLayer");
    }

    bool removeLayer()
    {
        QList<SketchLayer *> &layers = m_document->layers();
        if (layers.size() < 2)
            return false;
        return push(new SketchCommandRemove(m_view, QList<SketchLayer *>{layers.at(int(m_random.bounded(layers.size())))}),
                    "deleteLayer");
    }

    bool renameLayer()
    {
        QList<SketchLayer *> &layers = m_document->layers();
        if (layers.isEmpty())
            return false;
        return push(new SketchCommandRename(m_view, layers.at(int(m_random.bounded(layers.size()))),
                                            QString("Renamed %1").arg(m_random.bounded(100))),
                    "renameLayer");
    }

    bool sliceCommand()
    {
        QList<SketchSlice *> &slices = m_document->slices();
        const int kind = int(m_random.bounded(3));
        if (kind == 0 || slices.isEmpty())
            return push(new SketchCommandAdd(m_view, makeSlice()), "addSlice");
        if (kind == 1) {
            QList<SketchSlice *> picked;
            for (SketchSlice *slice : slices) {
                if (m_random.bounded(2) == 0)
                    picked.append(slice);
            }
            return push(new SketchCommandRemove(m_view, picked), "delelteSelection");
        }
        SketchSlice *slice = slices.at(int(m_random.bounded(slices.size())));
        auto *command = new SketchCommandUpdate(m_view, slice);
        slice->moveBy(int(m_random.bounded(40)) - 20, int(m_random.bounded(40)) - 20);
        slice->setSelected(m_random.bounded(2) == 0);
        return push(command, "handleSlice");
    }

    bool composite()
    {
        const QList<SketchShape *> shapes = someShapes(2);
        QList<SketchLayer *> &layers = m_document->layers();
        if (shapes.isEmpty() || layers.isEmpty())
            return false;
        auto *update = new SketchCommandUpdate(m_view, shapes);
        for (SketchShape *shape : shapes)
            mutate(shape);
        auto *rename = new SketchCommandRename(m_view, layers.first(), "Composite");
        return push(new SketchCommandComposite(m_view, {update, rename}), "groupEdited");
    }

    SketchDocumentView *m_view;
    SketchDocument *m_document;
    QRandomGenerator m_random;
};

} // namespace

class TestRandomEdits : public QObject
{
    Q_OBJECT

private slots:
    // Settings and file dialogs use the test locations, never the real ones.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void undoAllAndRedoAll_data();
    void undoAllAndRedoAll();
};

void TestRandomEdits::undoAllAndRedoAll_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::newRow("seed 1") << 1u;
    QTest::newRow("seed 42") << 42u;
    QTest::newRow("seed 2024") << 2024u;
    QTest::newRow("seed 31337") << 31337u;
}

void TestRandomEdits::undoAllAndRedoAll()
{
    QFETCH(quint32, seed);
    const int shapesBefore = SketchGlobals::ShapeCount;
    const int commandsBefore = SketchGlobals::CommandCount;
    {
        SketchDocumentView view(nullptr);
        RandomEditor editor(&view, seed);
        editor.generateDocument();
        SketchCommandManager *manager = view.commandManager();
        const QString first = documentText(view.document());

        int pushed = 0;
        while (pushed < 300) {
            // Now and then step back a little: the next push discards what
            // was undone.
            if (pushed > 0 && editor.randomBounded(10) == 0) {
                const int back = 1 + editor.randomBounded(3);
                for (int i = 0; i < back; ++i)
                    manager->undo();
                if (editor.randomBounded(2) == 0)
                    manager->redo();
            }
            if (editor.pushRandomCommand())
                ++pushed;
        }
        QCOMPARE(manager->redoCount(), 0);
        const QString last = documentText(view.document());
        QVERIFY(last != first);

        const int steps = manager->undoCount();
        while (manager->undoCount() > 0)
            manager->undo();
        QCOMPARE(documentText(view.document()), first);
        QCOMPARE(manager->redoCount(), steps);

        while (manager->redoCount() > 0)
            manager->redo();
        QCOMPARE(documentText(view.document()), last);

        // And back once more: redone commands undo as exactly.
        while (manager->undoCount() > 0)
            manager->undo();
        QCOMPARE(documentText(view.document()), first);
    }
    QCOMPARE(SketchGlobals::CommandCount, commandsBefore);
    QCOMPARE(SketchGlobals::ShapeCount, shapesBefore);
}

QTEST_MAIN(TestRandomEdits)
#include "tst_randomedits.moc"
