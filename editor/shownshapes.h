#ifndef SHOWNSHAPES_H
#define SHOWNSHAPES_H

#include <QHash>
#include <QList>
#include <QRect>
#include <QRegion>
#include <QVector>

class SketchShape;

// What a document view has shown of its top-level shapes: the area each one
// may have painted, and how its selection looked (the handles of it and of
// its members). The view asks it which areas a change has to repaint: where
// a shape was and where it is now, whatever happened to it in between.
//
// Areas are in page pixels: widget pixels less the scroll offsets, so that
// a scroll leaves them as they are; a change of zoom forgets them. The keys
// may be shapes destroyed since they were shown: they are compared, never
// followed.
class ShownShapes
{
public:
    // --- Painted areas ------------------------------------------------------

    // A repaint of the region `painted` has just painted the shape on the
    // page, which can reach no pixel outside `area` now (both in page
    // pixels).
    void recordPainted(const SketchShape *shape, const QRect &area, const QRegion &painted);
    // Something has been drawn for the shape within `area` over the page,
    // which showed all the rest of it.
    void recordDrawnOver(const SketchShape *shape, const QRect &area);
    // Before a repaint of everything, or when the zoom changes.
    void forgetAreas() { m_areas.clear(); }
    // Where the shape may have painted since it was last forgotten; empty
    // when it painted nothing that is still shown.
    QRect paintedArea(const SketchShape *shape) const { return m_areas.value(shape); }

    // --- Selection ----------------------------------------------------------

    // The page's top-level shapes as they are now, bottom first. Those whose
    // own handles look other than they were last shown go into `handles`;
    // groups whose members' handles do (painted with the page, inside the
    // group) into `members`; the painted areas of shapes shown with handles
    // that are no longer on the page into `gone`. The present looks are
    // then taken as shown.
    void takeSelectionChanges(const QList<SketchShape *> &shapes, QList<SketchShape *> *handles,
                              QList<SketchShape *> *members, QVector<QRect> *gone);
    // The present looks are taken as shown, as a repaint of everything
    // shows them.
    void resetSelection(const QList<SketchShape *> &shapes);
    // The look of a shape's own handles: 0 for none.
    static quint64 handleLook(const SketchShape *shape);
    // The look of the handles of a group's members, at any depth: 0 for
    // none, and for a shape that is no group.
    static quint64 memberLook(const SketchShape *shape);

private:
    QHash<const SketchShape *, QRect> m_areas;
    struct Look
    {
        quint64 handles = 0;
        quint64 members = 0;
        bool operator==(const Look &other) const { return handles == other.handles && members == other.members; }
    };
    static Look lookOf(const SketchShape *shape);
    // Only shapes that show handles, of their own or of their members.
    QHash<const SketchShape *, Look> m_looks;
};

#endif // SHOWNSHAPES_H
