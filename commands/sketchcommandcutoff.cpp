#include "commands/sketchcommandcutoff.h"

#include "commands/sketchlistedit.h"
#include "editor/sketchview.h"
#include "model/sketchlayer.h"
#include "model/sketchpoint.h"
#include "model/sketchshape.h"

SketchCommandCutoff::SketchCommandCutoff(SketchView *view, SketchShape *shape, int segment)
    : SketchCommand(view),
      m_shape(shape),
      m_segment(segment),
      m_index(-1)
{
    if (shape && (segment < 0 || segment >= segmentCount(shape)))
        throw QStringLiteral("Can't cut off the segment:%1").arg(segment);
    m_index = shape ? shape->index() : -1;
    if (m_index < 0)
        throw QStringLiteral("The target shape is not exist.");
}

SketchCommandCutoff::~SketchCommandCutoff()
{
    // Whatever is out of the list in the state the command was left in is
    // its own: the cut shape while executed, the pieces while undone.
    if (m_executed) {
        delete m_shape;
    } else {
        delete m_first;
        delete m_second;
    }
}

int SketchCommandCutoff::segmentCount(const SketchShape *shape)
{
    return shape->isClosed() ? shape->pointCount() : shape->pointCount() - 1;
}

void SketchCommandCutoff::execute()
{
    m_executed = true;
    if (!m_piecesMade)
        makePieces();
    placePieces();
}

void SketchCommandCutoff::redo()
{
    m_executed = true;
    placePieces();
}

void SketchCommandCutoff::undo()
{
    m_executed = false;
    if (SketchLayer *layer = m_shape->layer()) {
        QList<SketchShape *> &list = layer->shapes();
        for (SketchShape *piece : {m_first, m_second}) {
            if (piece)
                SketchListEdit::takeOut(list, piece);
        }
        SketchListEdit::putBack(list, m_shape, qBound(0, m_index, list.size()), layer);
    }
    if (view())
        view()->onSelectionChanged();
}

void SketchCommandCutoff::makePieces()
{
    m_piecesMade = true;
    const int count = m_shape->pointCount();
    QList<int> before;
    QList<int> after;
    for (int i = 0; i <= m_segment && i < count; ++i)
        before.append(i);
    for (int i = m_segment + 1; i < count; ++i)
        after.append(i);
    if (m_shape->isClosed()) {
        m_first = makePiece(after + before, true);
    } else {
        m_first = makePiece(before, true);
        m_second = makePiece(after, false);
    }
}

SketchShape *SketchCommandCutoff::makePiece(const QList<int> &pointIndices, bool keepText) const
{
    if (pointIndices.size() < 2)
        return nullptr;
    auto *piece = new SketchShape(m_shape->layer());
    m_shape->copyTo(piece, true);
    piece->setClosed(false);
    piece->setBehavior(SketchShapePath);
    if (!keepText)
        piece->setText(QString());
    // The cached blur picture shows the whole shape; each piece renders its
    // own when it is first painted.
    piece->setCachedBlurImage(nullptr);
    piece->clearPoints();
    const QList<SketchPoint *> &source = qAsConst(*m_shape).points();
    QList<SketchPoint *> &points = piece->points();
    for (int index : pointIndices)
        points.append(source.at(index)->clone());
    // Out of every list until placed, so the command's.
    piece->setParent(nullptr);
    piece->invalidateOutline();
    return piece;
}

void SketchCommandCutoff::placePieces()
{
    if (SketchLayer *layer = m_shape->layer()) {
        QList<SketchShape *> &list = layer->shapes();
        SketchListEdit::takeOut(list, m_shape);
        int index = qBound(0, m_index, list.size());
        for (SketchShape *piece : {m_first, m_second}) {
            if (!piece || piece->pointCount() < 2)
                continue;
            piece->setActiveHandle(SketchHandleOutline);
            piece->setSelected(true);
            SketchListEdit::putBack(list, piece, index, layer);
            ++index;
        }
    }
    if (view())
        view()->onSelectionChanged();
}
