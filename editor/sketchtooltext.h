#ifndef SKETCHTOOLTEXT_H
#define SKETCHTOOLTEXT_H

#include "editor/sketchtool.h"

// Places a text box and opens it for editing at once: a release of any
// button adds a transparent, unstroked 200 x 50 box centred on the pointer
// (in paper units, whatever the zoom) as one "addText" command, hands the
// view back to the select tool and opens the in-place editor on the box.
// Should that first edit be cancelled while the box has no text, the box
// goes again with its step. A one-shot tool with no state of its own.
class SketchToolText : public SketchTool
{
    Q_OBJECT

public:
    explicit SketchToolText(SketchView *view);

    QCursor cursor() const override;
    // Deselects everything; the recorded positions stay.
    void reset() override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

#endif // SKETCHTOOLTEXT_H
