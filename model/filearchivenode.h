#ifndef FILEARCHIVENODE_H
#define FILEARCHIVENODE_H

#include <QByteArray>
#include <QList>
#include <QString>

// One node of a folder archive as read into memory. A root read from an
// archive carries the archive's path as its name, the whole uncompressed
// payload as its data and one child per stored file; a child carries the
// file's name below the archive's base folder and the file's bytes.
//
// A node owns its children and deletes them, recursively, when it dies, so
// nodes are not copied.
class FileArchiveNode
{
public:
    FileArchiveNode() = default;
    ~FileArchiveNode();
    FileArchiveNode(const FileArchiveNode &) = delete;
    FileArchiveNode &operator=(const FileArchiveNode &) = delete;

    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    const QByteArray &data() const { return m_data; }
    void setData(const QByteArray &data) { m_data = data; }
    int size() const { return m_data.size(); }

    // The owned children; a node appended here is deleted with its parent.
    QList<FileArchiveNode *> &children() { return m_children; }
    const QList<FileArchiveNode *> &children() const { return m_children; }

    // The first child of that name, ignoring letter case; null for an empty
    // name or when none matches.
    FileArchiveNode *findChild(const QString &name) const;

    // True when the name, the data or the child list is empty.
    bool isEmpty() const;

private:
    QString m_name;
    QByteArray m_data;
    QList<FileArchiveNode *> m_children;
};

#endif // FILEARCHIVENODE_H
