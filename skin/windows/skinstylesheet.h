#ifndef SKINSTYLESHEET_H
#define SKINSTYLESHEET_H

// Rebuilds `skinStyleSheet` from the current theme colours and `skinFont`.
// The theme loaders call it after setting both; it applies the sheet to no
// widget and tells nobody, and the same theme always yields the same sheet.
void buildSkinStyleSheet();

#endif // SKINSTYLESHEET_H
