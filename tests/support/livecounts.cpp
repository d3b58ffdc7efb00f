#include "support/livecounts.h"

#include "model/sketchdocument.h"
#include "model/sketchglobals.h"
#include "model/sketchgroup.h"
#include "model/sketchlayer.h"
#include "model/sketchshape.h"

namespace {

int heldBy(const SketchShape *shape)
{
    int count = 1;
    for (const SketchShape *frame : shape->frames())
        count += heldBy(frame);
    if (shape->isGroup()) {
        for (const SketchShape *member : static_cast<const SketchGroup *>(shape)->shapes())
            count += heldBy(member);
    }
    return count;
}

} // namespace

LiveCounts::LiveCounts()
    : shapes(SketchGlobals::ShapeCount),
      points(SketchGlobals::PointCount),
      layers(SketchGlobals::LayerCount),
      documents(SketchGlobals::DocumentCount),
      commands(SketchGlobals::CommandCount),
      tools(SketchGlobals::ToolCount)
{
}

bool LiveCounts::operator==(const LiveCounts &other) const
{
    return shapes == other.shapes && points == other.points && layers == other.layers
        && documents == other.documents && commands == other.commands && tools == other.tools;
}

QString describe(const LiveCounts &counts)
{
    return QStringLiteral("shapes %1, points %2, layers %3, documents %4, commands %5, tools %6")
        .arg(counts.shapes)
        .arg(counts.points)
        .arg(counts.layers)
        .arg(counts.documents)
        .arg(counts.commands)
        .arg(counts.tools);
}

QString liveCountsChange(const LiveCounts &before)
{
    const LiveCounts now;
    if (now == before)
        return QString();
    return describe(now) + QStringLiteral(" now, ") + describe(before) + QStringLiteral(" before");
}

int heldShapeCount(const SketchDocument *document)
{
    int count = 0;
    for (const SketchLayer *layer : document->layers()) {
        for (const SketchShape *shape : layer->shapes())
            count += heldBy(shape);
    }
    return count;
}

int heldLayerCount(const SketchDocument *document)
{
    return document->layers().size();
}
