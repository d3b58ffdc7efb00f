#ifndef SKETCHMATERIALFILE_H
#define SKETCHMATERIALFILE_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

class SketchMaterial;

// A named, ordered collection of materials with an index by Guid, a price
// and a currency: the user's material library ("Templates") and each
// material file of the online catalogue.
//
// A material file description is XML whose root may carry "Name", "Price"
// and "Currency"; every child element of the root is a material element. The
// library file is written as a "Storyloom" root of "Material" elements, UTF-8
// without declaration, indented by 4, the material's attributes in the order
// "Guid", "Name", "Category", "Size" and those of shapes sorted by name;
// name, price and currency are not written.
//
// A large library reads fast: the shapes of a material read from a text stay
// text until they are first asked for, and a material whose shapes were not
// changed is written back with that text as it was read (see SketchMaterial).
//
// Ownership: the file owns the materials of its list, from addMaterial until
// removeMaterial, clear or its destruction. Every instance is counted in
// SketchGlobals::MaterialFileCount while it lives.
//
// A Guid is in the index exactly when a material of the list carries it;
// change the Guid of a held material only by taking it out first.
class SketchMaterialFile : public QObject
{
    Q_OBJECT

public:
    explicit SketchMaterialFile(const QString &name);
    ~SketchMaterialFile() override;

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    // Both setters keep the value at 0 or above; parse stores what it reads.
    int currency() const { return m_currency; }
    void setCurrency(int currency);
    float price() const { return m_price; }
    void setPrice(float price);

    // --- Materials ----------------------------------------------------------

    // In list order; the file owns them. Change the list through the
    // operations below, which keep the index.
    const QList<SketchMaterial *> &materials() const { return m_materials; }
    // False for an empty Guid.
    bool contains(const QString &guid) const;
    // Appends the material and takes it over. A material whose Guid is held
    // already is deleted and the file stays as it was, so that a rejected
    // copy cannot later take the original's Guid out of the index; the one
    // exception is the held material itself, which stays. False for null
    // and for a held Guid.
    bool addMaterial(SketchMaterial *material);
    // Takes a held material out of the list and its Guid out of the index;
    // the caller owns it again. A material the file does not hold, and null,
    // change nothing.
    void removeMaterial(SketchMaterial *material);
    // Deletes every material.
    void clear();
    // Regroups the list by category, 0 to 6, keeping the order within each;
    // materials of any other category follow in their order.
    void sortByCategory();

    // --- Descriptions and the library file ----------------------------------

    // Reads a description into this file: the root's "Name" when not empty,
    // its "Price" and "Currency" as they stand (0 when missing, and for text
    // that is not XML), then every child element as a material; materials
    // whose Guid is held already are dropped. The list is then sorted by
    // category. Returns the materials added, in document order (owned by the
    // file). An empty text changes nothing.
    QList<SketchMaterial *> parse(const QString &text);
    // Replaces the content with the file's description, read as UTF-8 up to
    // the first NUL byte. Unlike parse, a material whose Guid is held
    // already is kept under a new Guid: a library loses none of its
    // materials. False, with the file object empty, for an empty path, a
    // file that cannot be read, or text that is not XML.
    bool load(const QString &path);
    // The library file's text.
    QByteArray toLibraryText() const;
    // Writes the library file whole or not at all, so a failed or cut-short
    // write leaves the old file as it was. A missing folder of the path is
    // created (one level). False for an empty path and a failed write.
    bool save(const QString &path) const;

private:
    // What becomes of a material whose Guid the file holds already.
    enum HeldGuid { HeldGuidDrops, HeldGuidRenews };
    QList<SketchMaterial *> parse(const QByteArray &text, HeldGuid heldGuid, bool *wellFormed);

    QString m_name;
    QList<SketchMaterial *> m_materials;
    QHash<QString, SketchMaterial *> m_index;
    int m_currency = 0;
    float m_price = 0.0f;
};

#endif // SKETCHMATERIALFILE_H
