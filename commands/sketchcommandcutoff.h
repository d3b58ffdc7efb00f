#ifndef SKETCHCOMMANDCUTOFF_H
#define SKETCHCOMMANDCUTOFF_H

#include "commands/sketchcommand.h"

#include <QList>

class SketchShape;
class SketchView;

// Cuts a shape's outline at one segment: an open path falls into two open
// paths, a closed outline opens there into one open path that starts at the
// point after the cut. The pieces are free paths copied from the shape (with
// its frames; the second piece loses the text) and take its place in its
// layer's list, first piece below, selected with active handle 1. A piece of
// fewer than two points is not made; the cut shape leaves its layer even
// when no piece is left.
//
// Segment k runs from point k to point k + 1; on a closed outline the last
// one runs from the last point back to point 0. Redo places the same pieces
// again; undo puts the shape itself back at its index.
//
// Executed, the pieces belong to their layer and the cut shape, out of
// every list, to the command; undone, the other way round. The command frees
// what it holds when it is discarded.
class SketchCommandCutoff : public SketchCommand
{
public:
    // Throws a QString, and leaves no command behind, for a segment outside
    // the shape's segments ("Can't cut off the segment:%1") or a shape that is
    // not in its layer's list ("The target shape is not exist."). Callers
    // check both before they build the command.
    SketchCommandCutoff(SketchView *view, SketchShape *shape, int segment);
    ~SketchCommandCutoff() override;

    void execute() override;
    void redo() override;
    void undo() override;

    SketchShape *shape() const { return m_shape; }
    int segment() const { return m_segment; }
    // The pieces made by the first execute; null when not made.
    SketchShape *first() const { return m_first; }
    SketchShape *second() const { return m_second; }

    // The point count of a closed outline, one less for an open path.
    static int segmentCount(const SketchShape *shape);

private:
    void makePieces();
    // A free path copied from the shape with copies of the given points;
    // null for fewer than two points.
    SketchShape *makePiece(const QList<int> &pointIndices, bool keepText) const;
    void placePieces();

    SketchShape *m_shape;
    int m_segment;
    int m_index;
    SketchShape *m_first = nullptr;
    SketchShape *m_second = nullptr;
    bool m_piecesMade = false;
    bool m_executed = false;
};

#endif // SKETCHCOMMANDCUTOFF_H
