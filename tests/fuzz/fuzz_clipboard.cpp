// The clipboard texts, through the document view's own copy and paste: an
// input is the text on the clipboard. Shape text is pasted and copied, a
// format text pasted onto a shape and copied from it, material drag text
// dropped and copied. The copied text then comes back from pasting and
// copying again unchanged (up to the order of attributes, which the
// clipboard's writer does not fix), and the page paints the same.
#include "fuzz/fuzzsupport.h"
#include "fuzz/roundtrip.h"

#include "editor/sketchdocumentview.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

#include <QClipboard>
#include <QDomDocument>
#include <QXmlStreamReader>

#include <algorithm>
#include <memory>

namespace {

const QLatin1String ShapePrefix("<StoryloomClipboardShape");
const QLatin1String FormatPrefix("<StoryloomClipboardFormat");
const QLatin1String MaterialPrefix("<StoryloomMaterial");

QClipboard *clipboard()
{
    return QApplication::clipboard();
}

std::unique_ptr<SketchDocumentView> newView()
{
    auto view = std::make_unique<SketchDocumentView>();
    view->resize(800, 600);
    return view;
}

// The elements and texts of an XML text with every element's attributes in
// name order.
QString canonicalText(const QString &text)
{
    QXmlStreamReader xml(text);
    QString out;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            QStringList attributes;
            for (const QXmlStreamAttribute &a : xml.attributes())
                attributes.append(a.qualifiedName().toString() + QLatin1String("=\"") + a.value().toString() + QLatin1Char('"'));
            std::sort(attributes.begin(), attributes.end());
            out += QLatin1Char('<') + xml.qualifiedName().toString() + QLatin1Char(' ') + attributes.join(QLatin1Char(' ')) + QLatin1String(">\n");
        } else if (xml.isEndElement()) {
            out += QLatin1String("</") + xml.qualifiedName().toString() + QLatin1String(">\n");
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            out += xml.text().toString() + QLatin1Char('\n');
        }
    }
    if (xml.hasError())
        out += QLatin1String("unreadable: ") + xml.errorString();
    return out;
}

void compareTexts(const char *what, const QString &first, const QString &second)
{
    const QString a = canonicalText(first);
    const QString b = canonicalText(second);
    if (a != b)
        fuzzFail(QStringLiteral("%1 text changes when pasted and copied again, %2")
                     .arg(QLatin1String(what), roundTripDifference(a.toUtf8(), b.toUtf8())));
}

void comparePages(const char *what, SketchDocumentView &first, SketchDocumentView &second)
{
    if (roundTripPicture(*first.document()) != roundTripPicture(*second.document()))
        fuzzFail(QStringLiteral("%1 text paints differently when pasted again").arg(QLatin1String(what)));
}

// The bounding rectangles of the shapes the text holds, read as paste reads
// them.
QList<QRectF> shapeBoxes(const QString &text)
{
    QList<QRectF> boxes;
    QDomDocument document;
    if (!document.setContent(text))
        return boxes;
    SketchLayer layer(nullptr, QString());
    for (QDomNode node = document.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        std::unique_ptr<SketchShape> shape(createSketchShape(node.nodeName(), &layer));
        if (!shape)
            continue;
        shape->readXml(node.toElement());
        boxes.append(shape->boundingRect());
    }
    return boxes;
}

QList<QRectF> layerBoxes(const SketchDocumentView &view)
{
    QList<QRectF> boxes;
    for (const SketchShape *shape : view.currentLayer()->shapes())
        boxes.append(shape->boundingRect());
    return boxes;
}

// What the view copies of its selection, empty when nothing is selected.
QString copied(SketchDocumentView &view)
{
    clipboard()->clear();
    if (!view.copy())
        return QString();
    return clipboard()->text();
}

// Shape text pasted into a new view and copied from it. A paste centres the
// shapes on the paste point, so the text comes back unchanged only when that
// moved them by nothing; a move of a whole pixel is left unchecked (the
// text form rounds far coordinates, and a paste of such a copy moves it a
// little).
void checkShapeText(const QString &text)
{
    const auto view = newView();
    clipboard()->setText(text);
    view->paste();
    if (view->currentLayer()->shapes().isEmpty())
        return;
    if (layerBoxes(*view) != shapeBoxes(text))
        return;
    const QString again = copied(*view);
    compareTexts("shape", text, again);
    const auto third = newView();
    clipboard()->setText(again);
    third->paste();
    comparePages("shape", *view, *third);
}

// A box of the default style, selected.
SketchShape *addSelectedBox(SketchDocumentView &view)
{
    auto *shape = new SketchShape(view.currentLayer());
    shape->setBehavior(SketchShapeBox);
    shape->points().append(new SketchPoint(100, 100));
    shape->points().append(new SketchPoint(300, 100));
    shape->points().append(new SketchPoint(300, 200));
    shape->points().append(new SketchPoint(100, 200));
    shape->setText(QStringLiteral("Ab\nc"));
    view.currentLayer()->shapes().append(shape);
    shape->setSelected(true);
    return shape;
}

// The style copied from a box that took the text's format.
QString formatCopied(SketchDocumentView &view, const QString &text)
{
    SketchShape *box = addSelectedBox(view);
    clipboard()->setText(text);
    view.pasteFormat();
    box->setSelected(true);
    clipboard()->clear();
    view.copyFormat();
    return clipboard()->text();
}

void checkFormatText(const QString &text)
{
    const auto view = newView();
    const QString first = formatCopied(*view, text);
    const auto second = newView();
    const QString again = formatCopied(*second, first);
    compareTexts("format", first, again);
    const auto third = newView();
    formatCopied(*third, again);
    comparePages("format", *second, *third);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > FuzzMaxInputSize)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    if (text.startsWith(FormatPrefix)) {
        checkFormatText(text);
        return 0;
    }
    const auto view = newView();
    if (text.startsWith(MaterialPrefix)) {
        view->dropMaterialXml(400, 300, text);
    } else {
        clipboard()->setText(text);
        view->paste();
    }
    const QString copiedText = copied(*view);
    if (!copiedText.isEmpty())
        checkShapeText(copiedText);
    return 0;
}
