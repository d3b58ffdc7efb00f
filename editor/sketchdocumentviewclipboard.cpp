// The document view's exchange with the outside world: copy and paste of
// shapes and of a shape's style through the system clipboard, drops of
// materials, URLs and picture files, and the end of an in-place text edit.

#include "editor/sketchdocumentview.h"

#include "commands/sketchcommandadd.h"
#include "commands/sketchcommandmanager.h"
#include "commands/sketchcommandupdate.h"
#include "editor/sketchtool.h"
#include "materials/sketchmaterial.h"
#include "model/geometry.h"
#include "model/sketchdocument.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"
#include "model/xmlattributes.h"
#include "model/xmltextwriter.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDomDocument>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QImageReader>
#include <QMimeData>
#include <QPainterPath>
#include <QTextDocument>
#include <QTextEdit>
#include <QtMath>

#include <algorithm>

namespace {

const QString ShapeRoot = QStringLiteral("StoryloomClipboardShape");
const QString FormatRoot = QStringLiteral("StoryloomClipboardFormat");
const QLatin1String ShapePrefix("<StoryloomClipboardShape");
const QLatin1String FormatPrefix("<StoryloomClipboardFormat");
const QLatin1String MaterialPrefix("<StoryloomMaterial");

// Successive pastes, and the paste position after a copy, step this far.
constexpr qreal kPasteStep = 5.0;
// Where a paste goes in a view that was never clicked.
const QPointF kDefaultPastePos(100.0, 100.0);
// Pictures keep this far from the paper's top-left corner; several dropped
// at once are stacked this far apart.
constexpr int kImageMargin = 10;
constexpr int kImageStep = 10;
// A picture box spans at least one unit each way (two pixels), so that a
// tiny or squeezed picture still leaves a shape that can be seen and hit.
constexpr int kMinimumImageSize = 2;

QString clipboardText()
{
    return QApplication::clipboard()->text(QClipboard::Clipboard);
}

// The XML text of a document whose root is the element, indented by 4,
// without a declaration or a document type, the same in every run.
void putOnClipboard(QDomDocument &document, QDomElement &root)
{
    document.appendChild(root);
    QApplication::clipboard()->setText(XmlTextWriter::elementText(root), QClipboard::Clipboard);
}

QRectF unitedBoundingRect(const QList<SketchShape *> &shapes)
{
    QRectF united;
    for (int i = 0; i < shapes.size(); ++i)
        united = i == 0 ? shapes.at(i)->boundingRect() : (united | shapes.at(i)->boundingRect());
    return united;
}

void appendBoxPoints(SketchShape *shape, const QRect &box)
{
    const int right = box.left() + box.width() - 1;
    const int bottom = box.top() + box.height() - 1;
    shape->points().append(new SketchPoint(qreal(box.left()), qreal(box.top())));
    shape->points().append(new SketchPoint(qreal(right), qreal(box.top())));
    shape->points().append(new SketchPoint(qreal(right), qreal(bottom)));
    shape->points().append(new SketchPoint(qreal(box.left()), qreal(bottom)));
    shape->invalidateOutline();
}

// A closed, unstroked box shape of the layer filled with the picture.
SketchShape *createImageBox(SketchLayer *layer, const SkinBrush &picture)
{
    auto *shape = new SketchShape(layer);
    shape->setClosed(true);
    shape->setBehavior(SketchShapeBox);
    shape->setFill(picture);
    shape->stroke().setBrush(SkinBrush::transparentBrush());
    return shape;
}

// The box of a picture of the given pixel size centred on (cx, cy), one
// unit per pixel, kept kImageMargin units inside the paper's top-left corner.
QRect pictureBox(int cx, int cy, const QSize &pixels)
{
    const int left = qMax(cx - pixels.width() / 2, kImageMargin);
    const int top = qMax(cy - pixels.height() / 2, kImageMargin);
    return QRect(left, top, qMax(pixels.width(), kMinimumImageSize), qMax(pixels.height(), kMinimumImageSize));
}

// Picture k of n dropped at once: offset by k steps, then shrunk (keeping
// its proportions) to the paper left over once the later pictures have
// their step each.
QRect stackedPictureBox(int cx, int cy, const QSize &pixels, const QSize &paper, int k, int n)
{
    QRect box = pictureBox(cx, cy, pixels);
    box.translate(kImageStep * k, kImageStep * k);
    const int reserve = kImageStep * (n - k);
    double width = box.width();
    double height = box.height();

    const int availableWidth = paper.width() - box.left() - reserve;
    if (availableWidth <= width - 1) {
        height = std::trunc(availableWidth * (height / width));
        width = availableWidth;
    }
    width = qMax(width, double(kMinimumImageSize));
    height = qMax(height, double(kMinimumImageSize));

    const int availableHeight = paper.height() - box.top() - reserve;
    if (availableHeight <= height - 1) {
        width = std::trunc(availableHeight * (width / height));
        height = availableHeight;
    }
    width = qMax(width, double(kMinimumImageSize));
    height = qMax(height, double(kMinimumImageSize));

    box.setWidth(int(width));
    box.setHeight(int(height));
    return box;
}

// The file's picture as an image brush, and its pixel size before any
// compression; an empty size when the file is not a picture that loads.
struct DroppedPicture
{
    SkinBrush brush;
    QSize size;
};

DroppedPicture loadPicture(const QString &fileName, float scale)
{
    DroppedPicture picture;
    picture.brush.setType(SkinBrushImage);
    picture.brush.loadImageFile(fileName, scale);
    if (picture.brush.imageData().isEmpty())
        return picture;
    picture.size = QImageReader(fileName).size();
    // Formats that do not tell their size up front are never compressed, so
    // the stored picture has the full size.
    if (!picture.size.isValid())
        picture.size = picture.brush.picture().size();
    return picture;
}

// During a drag, a drop from this very view is a move; any other source
// gets what it proposed.
void acceptDrag(QDropEvent *event, const QWidget *view)
{
    if (event->source() == view) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->acceptProposedAction();
    }
}

} // namespace

// --- Shapes --------------------------------------------------------------------

bool SketchDocumentView::copy()
{
    if (m_currentToolType == SketchToolTypeSlice)
        return false;
    const QList<SketchShape *> shapes = m_document->selectedShapes();
    if (shapes.isEmpty())
        return false;

    QDomDocument document;
    QDomElement root = document.createElement(ShapeRoot);
    for (SketchShape *shape : shapes) {
        QDomElement element = appendXmlElement(root, shape->typeName());
        shape->writeXml(element);
    }
    putOnClipboard(document, root);

    m_lastPressPos = mapFromDocument(unitedBoundingRect(shapes).center()) + QPointF(kPasteStep, kPasteStep);
    return true;
}

bool SketchDocumentView::canPaste() const
{
    const SketchLayer *layer = currentLayer();
    if (layer && (layer->isLocked() || !layer->isVisible()))
        return false;
    if (clipboardText().startsWith(ShapePrefix))
        return true;
    const QPixmap picture = QApplication::clipboard()->pixmap(QClipboard::Clipboard);
    return picture.width() > 0 && picture.height() > 0;
}

void SketchDocumentView::paste()
{
    if (m_currentToolType == SketchToolTypeSlice || !hasUsableLayer())
        return;
    SketchLayer *layer = currentLayer();
    const QString text = clipboardText();
    if (!text.startsWith(ShapePrefix)) {
        pastePicture();
        return;
    }

    // A parser that fails may keep what it read up to the fault: text that
    // does not parse whole gives nothing.
    QDomDocument document;
    if (!document.setContent(text))
        return;
    QList<SketchShape *> shapes;
    const QDomElement root = document.documentElement();
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        SketchShape *shape = createSketchShape(node.nodeName(), layer);
        if (!shape)
            continue;
        shape->readXml(node.toElement());
        shapes.append(shape);
    }
    if (shapes.isEmpty())
        return;

    const QPointF centre = unitedBoundingRect(shapes).center();
    QPointF target = m_lastPressPos;
    if (target.x() == 0.0 && target.y() == 0.0)
        target = kDefaultPastePos;
    // The next paste steps on from where this one went, the default place
    // included, rather than jumping back to the corner.
    m_lastPressPos = target + QPointF(kPasteStep, kPasteStep);
    clearSelection();

    // A whole number of widget pixels, as a drag would move the shapes.
    const float z = zoom();
    const float dx = std::trunc(float(target.x() - z * centre.x() - m_scrollX));
    const float dy = std::trunc(float(target.y() - z * centre.y() - m_scrollY));
    for (SketchShape *shape : qAsConst(shapes)) {
        shape->setActiveHandle(SketchHandleNone);
        shape->moveHandle(dx, dy);
        shape->updateBlurImage();
    }
    commandManager()->push(new SketchCommandAdd(this, shapes), QStringLiteral("pasteFromClipboard"));
}

void SketchDocumentView::pastePicture()
{
    const QPixmap picture = QApplication::clipboard()->pixmap(QClipboard::Clipboard);
    if (picture.width() <= 0 || picture.height() <= 0)
        return;
    SkinBrush fill(SkinBrushImage);
    fill.encodeImage(picture);
    SketchShape *shape = createImageBox(currentLayer(), fill);
    const QPointF pointer = shape->mapFromView(QPointF(mapFromGlobal(QCursor::pos())));
    appendBoxPoints(shape, pictureBox(qRound(pointer.x()), qRound(pointer.y()), picture.size()));
    commandManager()->push(new SketchCommandAdd(this, shape), QStringLiteral("pasteFromClipboard"));
}

// --- Formats -------------------------------------------------------------------

void SketchDocumentView::copyFormat()
{
    if (m_currentToolType == SketchToolTypeSlice)
        return;
    const QList<SketchShape *> shapes = m_document->selectedShapes();
    if (shapes.isEmpty())
        return;
    SketchShape *source = shapes.first()->selectedShape();
    if (!source)
        return;

    QDomDocument document;
    QDomElement root = document.createElement(FormatRoot);
    source->writeStyleXml(root);
    putOnClipboard(document, root);
}

void SketchDocumentView::pasteFormat()
{
    if (m_currentToolType == SketchToolTypeSlice || !hasUsableLayer())
        return;
    QList<SketchShape *> shapes = m_document->selectedShapes();
    shapes.erase(std::remove_if(shapes.begin(), shapes.end(), &SketchDocumentView::isOnLockedLayer), shapes.end());
    const QString text = clipboardText();
    if (shapes.isEmpty() || !text.startsWith(FormatPrefix))
        return;
    // Reading a style sets every property, absent ones to their defaults:
    // text that is not a whole format would reset the selection's style.
    QDomDocument document;
    if (!document.setContent(text))
        return;
    const QDomElement format = document.documentElement();
    if (format.tagName() != FormatRoot)
        return;

    auto *command = new SketchCommandUpdate(this, shapes);
    for (SketchShape *shape : shapes) {
        if (SketchShape *target = shape->selectedShape()) {
            target->readStyleXml(format);
            target->updateBlurImage();
        }
    }
    commandManager()->push(command, QStringLiteral("pasteFormatFromClipboard"));
}

// --- Drops ---------------------------------------------------------------------

void SketchDocumentView::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
}

void SketchDocumentView::dragMoveEvent(QDragMoveEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!hasUsableLayer() || !data)
        return;
    if (!data->hasText() && !data->hasUrls()) {
        event->ignore();
        return;
    }
    acceptDrag(event, this);
}

void SketchDocumentView::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (!hasUsableLayer() || !data)
        return;
    // The main window decides what the URLs are: documents to open or
    // pictures for dropImageFiles.
    if (data->hasUrls()) {
        emit urlsDroped(data->urls());
        return;
    }
    if (!data->hasText()) {
        event->ignore();
        return;
    }
    const QString text = data->text();
    if (text.startsWith(MaterialPrefix))
        dropMaterialXml(qRound(event->posF().x()), qRound(event->posF().y()), text);
    acceptDrag(event, this);
}

void SketchDocumentView::dropMaterialXml(int x, int y, const QString &text)
{
    if (m_currentToolType == SketchToolTypeSlice)
        return;
    SketchMaterial material;
    QDomDocument document;
    if (document.setContent(text))
        material.readXml(document.documentElement());
    dropMaterial(x, y, &material);
}

void SketchDocumentView::dropMaterial(int x, int y, SketchMaterial *material)
{
    if (m_currentToolType == SketchToolTypeSlice || !material || material->shapes().isEmpty() || !hasUsableLayer())
        return;
    SketchLayer *layer = currentLayer();
    setFocus(Qt::OtherFocusReason);
    clearSelection();

    // The material's shapes lie with their box's top-left at the origin:
    // moving them by this view displacement centres the box on (x, y).
    const float z = zoom();
    const float dx = float(qRound((x - m_scrollX) - z * material->width() * 0.5));
    const float dy = float(qRound((y - m_scrollY) - z * material->height() * 0.5));
    QList<SketchShape *> shapes;
    for (SketchShape *source : qAsConst(material->shapes())) {
        SketchShape *shape = createSketchShape(source->typeName(), layer);
        if (!shape)
            continue;
        source->copyTo(shape, true);
        shape->setLayer(layer);
        shape->setSelected(false);
        shape->setActiveHandle(SketchHandleNone);
        shape->moveHandle(dx, dy);
        shape->setInnerPosition(QPointF(0.0, 0.0));
        shape->updateBlurImage();
        shapes.append(shape);
    }
    if (!shapes.isEmpty())
        commandManager()->push(new SketchCommandAdd(this, shapes), QStringLiteral("dropMaterialOnDocumentView"));
}

void SketchDocumentView::dropImageFiles(int x, int y, const QStringList &files, float scale)
{
    if (m_currentToolType == SketchToolTypeSlice || files.isEmpty() || !hasUsableLayer())
        return;
    // Only pictures take a place in the row: a file that does not load
    // neither makes a box nor pushes the others along.
    QList<DroppedPicture> pictures;
    for (const QString &file : files) {
        DroppedPicture picture = loadPicture(file, scale);
        if (!picture.size.isEmpty())
            pictures.append(picture);
    }
    if (pictures.isEmpty())
        return;
    setFocus(Qt::OtherFocusReason);
    clearSelection();

    SketchLayer *layer = currentLayer();
    const QSize paper = paperSize();
    QList<SketchShape *> shapes;
    for (int k = 0; k < pictures.size(); ++k) {
        SketchShape *shape = createImageBox(layer, pictures.at(k).brush);
        const QPointF centre = shape->mapFromView(QPointF(x, y));
        appendBoxPoints(shape, stackedPictureBox(qRound(centre.x()), qRound(centre.y()), pictures.at(k).size, paper,
                                                 k, pictures.size()));
        shapes.append(shape);
    }
    commandManager()->push(new SketchCommandAdd(this, shapes), QStringLiteral("dropImageFiles"));
}

// --- In-place text editing -------------------------------------------------------

void SketchDocumentView::endTextEdit(bool accept)
{
    QTextEdit *editor = textEditor();
    SketchShape *shape = m_textEditShape.data();
    SketchCommand *newShapeCommand = m_newShapeCommand;
    m_newShapeCommand = nullptr;
    if (!editor->isHidden()) {
        // A shape that left the document while the editor was open (removed,
        // or taken away with its layer) keeps what it had.
        const bool inDocument = shape && isInDocument(shape);
        if (accept && inDocument) {
            auto *command = new SketchCommandUpdate(this, shape);
            const QString text = editor->document()->toPlainText();
            if (m_textEditMode == 0) {
                shape->setText(text);
                shape->updateBlurImage();
                commandManager()->push(command, QStringLiteral("saveText"));
            } else {
                shape->setName(text);
                for (SketchShape *frame : qAsConst(shape->frames()))
                    frame->setName(text);
                commandManager()->push(command, QStringLiteral("saveId"));
            }
        }
        editor->hide();
        setFocus(Qt::OtherFocusReason);
        if (inDocument && !accept && withdrawNewShape(shape, newShapeCommand)) {
            // Gone with its command.
        } else if (inDocument) {
            SketchShape *outermost = shape->topLevelGroup();
            SketchShape *selected = m_textEditMode == 1 && outermost ? outermost : shape;
            selected->setSelected(true);
        }
    }
    m_textEditShape = nullptr;
    m_textEditMode = 0;
}

bool SketchDocumentView::withdrawNewShape(const SketchShape *shape, SketchCommand *addCommand)
{
    // The tool's shape is new only while its command is the newest step: an
    // edit recorded over it since (a property set from a panel) keeps it.
    if (!addCommand || m_textEditMode != 0 || !shape->text().isEmpty()
        || !commandManager()->withdrawCommand(addCommand))
        return false;
    onUndoManagerChanged();
    onSelectionChanged();
    // The document is as it was before the tool's click; the modified mark
    // stays, as after any other cancelled creation.
    emit sketchChanged();
    update();
    return true;
}

bool SketchDocumentView::isInDocument(const SketchShape *shape) const
{
    const SketchShape *outermost = shape->topLevelGroup() ? shape->topLevelGroup() : shape;
    return outermost->index() >= 0 && m_document->layers().contains(outermost->layer());
}

// --- Geometry --------------------------------------------------------------------

QRectF SketchDocumentView::shapesRect(const QList<SketchShape *> &shapes) const
{
    QPainterPath path;
    for (const SketchShape *shape : shapes) {
        const float degrees = shape->rotateAngle() * 360.0f;
        QPolygonF rotated;
        for (const QPointF &point : shape->outline())
            rotated.append(rotatePointAround(point, shape->rotatePoint(), degrees, 1.0f));
        path.addPolygon(rotated);
    }
    if (path.isEmpty())
        return QRectF(0.0, 0.0, 0.0, 0.0);
    return path.boundingRect();
}

QRectF SketchDocumentView::editableSelectionRect() const
{
    return shapesRect(m_document->editableSelectedShapes());
}
