#ifndef SKINSTYLESHEET_H
#define SKINSTYLESHEET_H

#include <QString>

// Rebuilds `skinStyleSheet` from the current theme colours and `skinFont`.
// The theme loaders call it after setting both; it applies the sheet to no
// widget and tells nobody, and the same theme always yields the same sheet.
void buildSkinStyleSheet();

// The rules that frame the push button, combo box, spin box or text box
// holding the keyboard focus with a line in the current theme's text
// colour, which stands out from the theme's borders in every theme. Not
// part of `skinStyleSheet`: the dialogs add them to it
// (SkinDialog::useThemeStyle), after it, so that they win over its hover
// and pressed looks.
QString skinFocusFrameRules();

#endif // SKINSTYLESHEET_H
