#ifndef SKETCHMATERIALDIALOG_H
#define SKETCHMATERIALDIALOG_H

#include "skin/windows/skindialog.h"

#include <QString>

class QPushButton;
class QResizeEvent;
class SketchMaterial;
class SketchMaterialBox;
class SketchMaterialFile;
class SkinGridView;

// One entry of the online catalogue: downloads the material file of that
// name, shows its materials as square previews three to a row under a
// "Download" button and, on "Download", closes and imports them into the
// materials panel. Titled "<name>(<count>)". 400 by 450, not resizable.
// "Download" is the default button: Return and Enter press it.
//
// The constructor fills the file before it builds any widget: from
// SketchGlobals::materialCache when it holds the name asked for, else from
// the service, for the user of the id it is given (MaterialCatalogueRequest: it blocks in a local event loop
// until the reply is in, fails or times out). The reply is used as it came
// (not trimmed): nothing shows an empty dialog; 1 to 10 characters are the
// service's error text, shown as plain text in an "Error" box; anything
// longer is read as a material file description, and kept in the cache
// under the name asked for when it gave at least one material, so a later
// opening of the same entry sends no request and an error page is asked
// for again. A reply that names the file otherwise renames only this
// dialog's file, never what another entry shows.
//
// Ownership: the dialog owns its material file (no Qt parent) and deletes
// it with itself; the grid, its delegate and the button are Qt children.
// The materials panel is only pointed at.
class SketchMaterialDialog : public SkinDialog
{
    Q_OBJECT

public:
    SketchMaterialDialog(QWidget *parent, const QString &materialFileName, const QString &userId = QString());
    ~SketchMaterialDialog() override;

    // Where "Download" imports; without one it only closes the dialog.
    void setMaterialBox(SketchMaterialBox *box) { m_materialBox = box; }
    SketchMaterialBox *materialBox() const { return m_materialBox; }

    // --- For tests ----------------------------------------------------------

    SketchMaterialFile *materialFile() const { return m_materialFile; }
    SkinGridView *grid() const { return m_grid; }
    QPushButton *downloadButton() const { return m_downloadButton; }

private slots:
    // Ends the dialog with 2, then imports the file's materials into the
    // panel while the file still exists.
    void downloadButtonClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void downloadMaterialFile(const QString &userId);
    void readReply(const QString &key, const QString &text);
    void createDownloadButton();
    void createGrid();
    void addMaterial(SketchMaterial *material);
    // Rows as high as the first column is wide.
    void squareCells();

    SketchMaterialFile *m_materialFile = nullptr;
    SkinGridView *m_grid = nullptr;
    QPushButton *m_downloadButton = nullptr;
    SketchMaterialBox *m_materialBox = nullptr;
};

#endif // SKETCHMATERIALDIALOG_H
