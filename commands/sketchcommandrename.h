#ifndef SKETCHCOMMANDRENAME_H
#define SKETCHCOMMANDRENAME_H

#include "commands/sketchcommand.h"

#include <QString>

class SketchLayer;

// Gives a layer a new name; undo gives back the name it had when the command
// was built.
class SketchCommandRename : public SketchCommand
{
public:
    SketchCommandRename(SketchView *view, SketchLayer *layer, const QString &newName);

    void execute() override;
    void undo() override;

    SketchLayer *layer() const { return m_layer; }
    QString oldName() const { return m_oldName; }
    QString newName() const { return m_newName; }

private:
    SketchLayer *m_layer;
    QString m_oldName;
    QString m_newName;
};

#endif // SKETCHCOMMANDRENAME_H
