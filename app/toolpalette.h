#ifndef TOOLPALETTE_H
#define TOOLPALETTE_H

#include "skin/windows/skintoolbox.h"

#include <QHash>
#include <QString>

class QPushButton;

// The tool palette of the main window's tool panel: one exclusive button
// for each of fifteen tools of the document views (pressing one unchecks
// the others), in groups parted by separators, each with its tool's icon
// and a rich-text tool tip. The buttons are named after their fields in the
// window ("toolActionSelect", ...); what a click does is the window's.
//
// Ownership: the buttons are Qt children; the table from tool id to button
// only points at them. GUI thread only.
class ToolPalette : public SkinToolBox
{
    Q_OBJECT

public:
    // The buttons in palette order, Select checked.
    explicit ToolPalette(QWidget *parent = nullptr);

    // The button of a tool id (a SketchToolType with a button); null for
    // any other id.
    QPushButton *button(int toolId) const { return m_buttons.value(toolId); }
    // Checks the button of the tool and unchecks the others; a tool without
    // a button (a colour picker, the frame tool) checks none.
    void showTool(int toolId);
    // Every icon but the Select arrow's in the theme's icon colour.
    void tintIcons();

    // The button's rich-text tool tip for a tool id; empty for ids without
    // a button.
    static QString toolTipOf(int toolId);

private:
    QHash<int, QPushButton *> m_buttons;
};

#endif // TOOLPALETTE_H
