#include "commands/sketchcommandrename.h"

#include "model/sketchlayer.h"

SketchCommandRename::SketchCommandRename(SketchView *view, SketchLayer *layer, const QString &newName)
    : SketchCommand(view)
    , m_layer(layer)
    , m_oldName(layer ? layer->name() : QString())
    , m_newName(newName)
{
    setLayerCommand(true);
}

void SketchCommandRename::execute()
{
    if (m_layer)
        m_layer->setName(m_newName);
}

void SketchCommandRename::undo()
{
    if (m_layer)
        m_layer->setName(m_oldName);
}
