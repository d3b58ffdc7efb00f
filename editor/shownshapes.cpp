#include "editor/shownshapes.h"

#include "model/sketchgroup.h"
#include "model/sketchshape.h"

#include <QSet>

void ShownShapes::recordPainted(const SketchShape *shape, const QRect &area, const QRegion &painted)
{
    auto found = m_areas.find(shape);
    if (found == m_areas.end()) {
        if (!area.isEmpty())
            m_areas.insert(shape, area);
        return;
    }
    // Outside the repainted part the shape's earlier pixels are still shown.
    const bool repainted = painted.rectCount() == 1 ? painted.boundingRect().contains(*found)
                                                    : (QRegion(*found) - painted).isEmpty();
    *found = repainted ? area : (*found | area);
}

void ShownShapes::recordDrawnOver(const SketchShape *shape, const QRect &area)
{
    if (area.isEmpty())
        return;
    QRect &shown = m_areas[shape];
    shown |= area;
}

void ShownShapes::takeSelectionChanges(const QList<SketchShape *> &shapes, QList<SketchShape *> *handles,
                                       QList<SketchShape *> *members, QVector<QRect> *gone)
{
    QHash<const SketchShape *, Look> looks;
    QSet<const SketchShape *> seen;
    for (SketchShape *shape : shapes) {
        const Look look = lookOf(shape);
        if (look.handles != 0 || look.members != 0)
            looks.insert(shape, look);
        const Look shown = m_looks.value(shape);
        if (look == shown)
            continue;
        seen.insert(shape);
        if (look.handles != shown.handles)
            handles->append(shape);
        if (look.members != shown.members)
            members->append(shape);
    }
    for (auto shown = m_looks.constBegin(); shown != m_looks.constEnd(); ++shown) {
        if (!looks.contains(shown.key()) && !seen.contains(shown.key()))
            gone->append(paintedArea(shown.key()));
    }
    m_looks.swap(looks);
}

void ShownShapes::resetSelection(const QList<SketchShape *> &shapes)
{
    m_looks.clear();
    for (const SketchShape *shape : shapes) {
        const Look look = lookOf(shape);
        if (look.handles != 0 || look.members != 0)
            m_looks.insert(shape, look);
    }
}

ShownShapes::Look ShownShapes::lookOf(const SketchShape *shape)
{
    return {handleLook(shape), memberLook(shape)};
}

quint64 ShownShapes::handleLook(const SketchShape *shape)
{
    // The handles follow the selection, the active point and the lock
    // (gray handles).
    if (!shape->isSelected())
        return 0;
    return 1 | quint64(shape->isLocked()) << 1 | quint64(quint32(shape->activeHandle())) << 2;
}

quint64 ShownShapes::memberLook(const SketchShape *shape)
{
    if (!shape->isGroup())
        return 0;
    quint64 look = 0;
    quint64 position = 0;
    for (const SketchShape *member : static_cast<const SketchGroup *>(shape)->shapes()) {
        ++position;
        const quint64 inner = handleLook(member) ^ (memberLook(member) * 0x9e3779b97f4a7c15ULL);
        if (inner != 0)
            look = (look ^ inner ^ position) * 0x100000001b3ULL + 0x9e3779b97f4a7c15ULL;
    }
    return look;
}
