#include "model/filearchivenode.h"

FileArchiveNode::~FileArchiveNode()
{
    qDeleteAll(m_children);
    m_children.clear();
}

FileArchiveNode *FileArchiveNode::findChild(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (FileArchiveNode *child : m_children) {
        if (child->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

bool FileArchiveNode::isEmpty() const
{
    return m_name.isEmpty() || m_data.isEmpty() || m_children.isEmpty();
}
