#ifndef SKETCHLAYER_H
#define SKETCHLAYER_H

#include <QList>
#include <QObject>
#include <QString>

class QDomElement;
class SketchDocument;
class SketchDocumentView;
class SketchShape;

// One named layer of a drawing: an ordered list of shapes, bottom first, with
// a visible and a locked flag. The layer owns its top-level shapes (they are
// its QObject children; members of groups belong to their groups), writes and
// reads its own "Layer" element and deep-copies itself. A layer is a child of
// its document.
class SketchLayer : public QObject
{
    Q_OBJECT

public:
    explicit SketchLayer(SketchDocument *document);
    SketchLayer(SketchDocument *document, const QString &name);
    ~SketchLayer() override;

    SketchDocument *document() const { return m_document; }
    // The document's view; null without a document.
    SketchDocumentView *view() const;
    // Position in the document's layer list; -1 when not in it.
    int index() const;

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    // Hidden layers are neither painted nor editable.
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    // The shapes of a locked layer are not editable.
    bool isLocked() const { return m_locked; }
    void setLocked(bool locked) { m_locked = locked; }

    // The shape list, changed in place by the commands and tools.
    QList<SketchShape *> &shapes() { return m_shapes; }
    const QList<SketchShape *> &shapes() const { return m_shapes; }
    // What the layer's shapes show, summed up: changes when a shape comes or
    // goes, when their order changes or when the revision of one of them
    // does (SketchShape::revision), and with nothing else (not the name, the
    // flags, the selection). One pass over the list; two different contents
    // giving the same number is as likely as a 64-bit hash collision.
    quint64 shapesRevision() const;
    // The same for the count shapes from index first on (as many as there
    // are), as a run of their own.
    quint64 shapesRevision(int first, int count) const;
    // Topmost first.
    QList<SketchShape *> shapesFromTop() const;
    QList<SketchShape *> selectedShapes() const;
    int selectedCount() const;

    // "Name" always, "Visible" only when hidden, "Locked" only when locked,
    // then one element per shape named by its type.
    void writeXml(QDomElement &element) const;
    void readXml(const QDomElement &element);

    // Destroys the shapes of the list and empties it.
    void clear();
    // Deep copy into the target, whose old shapes are destroyed.
    void copyTo(SketchLayer *target) const;
    // A new layer of the same document holding a deep copy; not in the
    // document's list.
    SketchLayer *clone() const;

private:
    SketchDocument *m_document = nullptr;
    QString m_name;
    bool m_visible = true;
    bool m_locked = false;
    QList<SketchShape *> m_shapes;
};

#endif // SKETCHLAYER_H
