// The shape factory: every reader and copier makes its shapes here from an
// element name.
#include "model/sketchgroup.h"
#include "model/sketchshape.h"

SketchShape *createSketchShape(const QString &typeName, SketchLayer *layer)
{
    if (typeName == QLatin1String("Shape"))
        return new SketchShape(layer);
    if (typeName == QLatin1String("Group"))
        return new SketchGroup(layer);
    return nullptr;
}
