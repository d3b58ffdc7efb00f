#ifndef SKETCHMATERIAL_H
#define SKETCHMATERIAL_H

#include <QList>
#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QDomDocument;
class QDomElement;
class QImage;
class QPainter;
class SketchShape;

// The categories of the material library, in the order of the panel's pages.
enum SketchMaterialCategory : int
{
    SketchMaterialRole = 0,
    SketchMaterialProp = 1,
    SketchMaterialBubble = 2,
    SketchMaterialNature = 3,
    SketchMaterialEffect = 4,
    SketchMaterialScene = 5,
    SketchMaterialOthers = 6,
    SketchMaterialCategoryCount = 7
};

// A reusable group of shapes with an identity (a braced Guid), a name, a
// category and the size of the area its shapes cover. The shapes live in
// material coordinates: the top-left corner of that area is the origin, so
// a material is placed by moving its shapes by where that corner goes.
//
// The material element (the "Material" of the library file, the root
// "StoryloomMaterial" of a drag text) carries "Guid", "Name" (only when not
// empty), "Category" and "Size" and holds one shape element per shape.
//
// A material read from a file keeps the text of its shapes and reads them
// on first use; that text is what it writes back until the modifiable
// shape list is taken.
//
// Ownership: the material owns its shapes (they belong to no layer) and its
// cached thumbnail; whoever made the material, or the material file that
// took it, deletes it. Every instance is counted in
// SketchGlobals::MaterialCount while it lives.
class SketchMaterial : public QObject
{
    Q_OBJECT

public:
    // An empty material: a fresh Guid, no name, category 0, size -1 by -1,
    // no shapes.
    SketchMaterial();
    // A material of copies of the shapes (the caller keeps the shapes):
    // each copy deselected, in no layer, its active handle cleared, and all
    // of them moved so that the box around their turned bounding
    // rectangles starts at the origin; that box's size is the material's.
    // Without shapes the size stays -1 by -1. Null entries are skipped.
    SketchMaterial(int category, const QList<SketchShape *> &shapes, bool withFrames);
    ~SketchMaterial() override;

    // --- Identity -----------------------------------------------------------

    // A material holds only characters that the library file can carry, so
    // that it reads back as it is held: the setters and the readers leave
    // out what the XML writer leaves out (control characters, unpaired
    // surrogates).
    QString guid() const { return m_guid; }
    void setGuid(const QString &guid);
    QString name() const { return m_name; }
    void setName(const QString &name);
    // A SketchMaterialCategory value; any integer read from a file is kept.
    int category() const { return m_category; }
    void setCategory(int category) { m_category = category; }

    // Set on a material that was imported into the library; false after
    // every constructor, never written and never copied.
    bool isImported() const { return m_imported; }
    void setImported(bool imported) { m_imported = imported; }

    // --- Content ------------------------------------------------------------

    // The covered area; -1 by -1 until a size is known.
    QSizeF size() const { return QSizeF(m_width, m_height); }
    float width() const { return float(m_width); }
    float height() const { return float(m_height); }

    // The shapes in painting order, in material coordinates, read first
    // when they came from a file. A caller that takes shapes out of the list
    // takes them over. Change the shapes only through the modifiable list:
    // taking it is what tells the material that its file text no longer
    // stands for them.
    QList<SketchShape *> &shapes();
    const QList<SketchShape *> &shapes() const;

    // --- XML ----------------------------------------------------------------

    // Writes the attributes and one child per shape into the element, whose
    // tag is the caller's.
    void writeXml(QDomElement &element) const;
    // Reads the material from the element, whatever its tag: the attributes
    // (a missing Guid gets a fresh one, a Size that is not two numbers reads
    // as -1 by -1) and every child element the shape factory knows, appended
    // to the shapes already held. Other children are skipped.
    void readXml(const QDomElement &element);
    // Reads the attributes from the element (its children are ignored) and
    // keeps shapesXml, the UTF-8 content of a material element that is a
    // child of a file's root, to read the shapes from when they are first
    // asked for. Until the modifiable shape list is taken, appendXmlText
    // writes that text back as it was. Shapes held already are kept, and the
    // text is read at once after them.
    void readXml(const QDomElement &element, const QByteArray &shapesXml);
    // The material element with that tag as the library file holds it,
    // indented from depth, appended to out in UTF-8: "Guid", "Name",
    // "Category" and "Size" in this order, then the shapes in the layout of
    // the rest of the file. The text of the shapes is kept for the next
    // time, until the modifiable list is taken; a text read in another
    // layout is written afresh (unless it does not parse, which leaves it as
    // it was).
    void appendXmlText(QByteArray &out, const QString &tag, int depth) const;
    // The drag text: the material as the root "StoryloomMaterial" of an XML
    // text without declaration, indented by 4, attributes sorted by name.
    QString dragText() const;

    // A new material with the same Guid, name, category, size and copies of
    // the shapes (through the material element); no thumbnail, not marked
    // imported. Owned by the caller.
    SketchMaterial *clone() const;

    // --- Painting -----------------------------------------------------------

    // Paints the shapes scaled into rect with a margin of 3 on every side,
    // the aspect kept and the result centred; each shape turned about its
    // rotate point. Nothing for a rect of 6 or less either way, a material
    // without a positive size or without shapes. The painter's transform is
    // the same afterwards.
    void paint(QPainter *painter, const QRectF &rect) const;
    // The same fitting for shapes where they lie, without copying them into
    // a material first, painted through the page renderer (culled, in bands
    // on the worker threads): a layer's thumbnail of a crowded page. The
    // shapes are painted as they are (blurred where they are blurred, no
    // handles).
    static void paintFitted(QPainter *painter, const QRectF &rect, const QList<SketchShape *> &shapes);
    // The fitting of paintFitted: the transform of the page into rect and
    // its scale, for the shapes that are not null. False, with nothing set,
    // where paintFitted paints nothing.
    static bool fitShapes(const QRectF &rect, const QList<SketchShape *> &shapes, QTransform *toRect,
                          float *scale);
    // A new transparent width by height ARGB32 image with the material
    // painted into it antialiased; a null image for a size that is not
    // positive or too large to allocate. Owned by the caller.
    QImage *renderImage(int width, int height) const;

    // The cached thumbnail, owned by the material; null until made.
    QImage *thumbnail() const { return m_thumbnail; }
    // Takes the image over; the old one is deleted when another is set, and
    // null just drops it.
    void setThumbnail(QImage *thumbnail);
    // Renders and caches a thumbnail of that size in place of the old one;
    // the material keeps it.
    QImage *updateThumbnail(int width, int height);

private:
    void readAttributes(const QDomElement &element);
    void writeAttributes(QDomElement &element) const;
    // Appends the shapes of the element's child elements.
    void readShapes(const QDomElement &element) const;
    void readPendingShapes() const;
    QByteArray shapesXmlText(QDomDocument &tree, int depth, const QString &indent) const;
    void forgetShapesXml();

    QString m_guid;
    QString m_name;
    double m_width = -1.0;
    double m_height = -1.0;
    int m_category = SketchMaterialRole;
    // Read on demand from m_shapesXml, hence mutable.
    mutable QList<SketchShape *> m_shapes;
    mutable bool m_shapesPending = false;
    // The file text of the shapes, whether it still stands for them, and the
    // depth of the material element it was read or written at; kept by the
    // const writer, hence mutable.
    mutable QByteArray m_shapesXml;
    mutable bool m_keepsShapesXml = false;
    mutable int m_shapesXmlDepth = 1;
    // The text is laid out as the writer lays it out; it did not parse.
    mutable bool m_shapesXmlInLayout = false;
    mutable bool m_shapesXmlUnreadable = false;
    QImage *m_thumbnail = nullptr;
    bool m_imported = false;
};

#endif // SKETCHMATERIAL_H
