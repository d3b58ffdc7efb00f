#ifndef SUPPORT_LIVECOUNTS_H
#define SUPPORT_LIVECOUNTS_H

// The live-object counters of the model, the commands and the tools, to
// prove that a test frees what it made, and what a document really holds,
// to prove that nothing lives on beside it.

#include <QString>

class SketchDocument;

// The counters as they stand when the value is made.
struct LiveCounts
{
    LiveCounts();

    int shapes;
    int points;
    int layers;
    int documents;
    int commands;
    int tools;

    bool operator==(const LiveCounts &other) const;
    bool operator!=(const LiveCounts &other) const { return !(*this == other); }
};

// "shapes 3, points 12, ..." for a failure message.
QString describe(const LiveCounts &counts);
// Empty when the counters are back where `before` was; otherwise both, for
// a failure message.
QString liveCountsChange(const LiveCounts &before);

// The shape objects the document holds: the listed shapes of its layers
// with the members of their groups and their frames, however deep.
int heldShapeCount(const SketchDocument *document);
// Its layers.
int heldLayerCount(const SketchDocument *document);

#endif // SUPPORT_LIVECOUNTS_H
