#ifndef SKETCHMATERIAL_H
#define SKETCHMATERIAL_H

#include <QList>
#include <QObject>
#include <QSizeF>
#include <QString>

class QDomElement;
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
    SketchMaterialOthers = 6
};

// A reusable group of shapes with an identity (a braced Guid), a name, a
// category and the size of the area its shapes cover. The shapes live in
// material coordinates: the top-left corner of that area is the origin, so
// a material is placed by moving its shapes by where that corner goes.
//
// The material element (the "Material" of the library file, the root
// "StoryloomMaterial" of a drag text) carries "Guid", "Name", "Category" and
// "Size" and holds one shape element per shape.
//
// Ownership: the material owns its shapes (they belong to no layer); whoever
// made the material deletes it.
class SketchMaterial : public QObject
{
    Q_OBJECT

public:
    // An empty material: a fresh Guid, no name, category 0, size -1 by -1,
    // no shapes.
    SketchMaterial();
    ~SketchMaterial() override;

    QString guid() const { return m_guid; }
    QString name() const { return m_name; }
    // A SketchMaterialCategory value; any integer read from a file is kept.
    int category() const { return m_category; }

    // The covered area; -1 by -1 until a size is known.
    QSizeF size() const { return QSizeF(m_width, m_height); }
    float width() const { return float(m_width); }
    float height() const { return float(m_height); }

    // The shapes in painting order, in material coordinates. A caller that
    // takes shapes out of the list takes them over.
    QList<SketchShape *> &shapes() { return m_shapes; }
    const QList<SketchShape *> &shapes() const { return m_shapes; }

    // Reads the material from the element, whatever its tag: the attributes
    // (a missing Guid gets a fresh one, a Size that is not two numbers reads
    // as -1 by -1) and every child the shape factory knows, appended to the
    // shapes already held. Other children are skipped.
    void readXml(const QDomElement &element);

private:
    QString m_guid;
    QString m_name;
    double m_width = -1.0;
    double m_height = -1.0;
    int m_category = SketchMaterialRole;
    QList<SketchShape *> m_shapes;
};

#endif // SKETCHMATERIAL_H
