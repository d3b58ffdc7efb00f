#ifndef SKETCHMATERIALLISTVIEW_H
#define SKETCHMATERIALLISTVIEW_H

#include "editor/sketchview.h"

#include <QList>
#include <QString>

class QResizeEvent;
class SketchMaterialFile;
class SkinGridCell;
class SkinGridView;

// The online catalogue: a page of the document tabs that lists the material
// files the web service offers as cards of 120 by 150 pixels, five to a row,
// each with a preview, the file's name and its price ("free", "¥2.5",
// "$10"). A click on a card emits materialClicked() with its file.
//
// The constructor asks the service for the list, for the user of the id it
// is given, and returns only when the
// request has been answered, has failed or has timed out
// (MaterialCatalogueRequest); it waits in a local event loop, so other slots
// run meanwhile and the caller keeps the view out of reach until it returns.
// The reply, trimmed, is judged by its length: nothing shows nothing, 1 to
// 10 characters are the service's error text, shown as plain text in an
// "Error" box, and anything longer is read as XML: every child element of
// the root is one entry ("Name", "Price", "Currency") whose first child
// element is the preview material. Text that is not XML shows nothing. The
// page shows at most the first MaterialCatalogueList::maxCards entries, and
// a reply larger than MaterialCatalogueList::maxReplySize shows nothing, as
// a failed request. Nothing is retried and the cards never change
// afterwards.
//
// Not a document: the caption is "Material Library", it is never modified,
// and it counts as empty, so export and printing stay off while it shows.
//
// Ownership: the view owns the material files of its cards (without Qt
// parents) and deletes them with itself; the grid and its delegate are Qt
// children. A file handed out by materialClicked() lives only as long as
// the view.
class SketchMaterialListView : public SketchView
{
    Q_OBJECT

public:
    explicit SketchMaterialListView(QWidget *parent = nullptr, const QString &userId = QString());
    ~SketchMaterialListView() override;

    QString caption() const override;
    bool isModified() const override;
    bool isEmpty() const override;

    // --- For the main window's look and for tests ------------------------------

    SkinGridView *grid() const { return m_grid; }
    // The files of the cards in card order.
    QList<SketchMaterialFile *> materialFiles() const;

    // The text a card shows for its price: "free" for 0 or less, else the
    // currency sign (¥ for currency 1, $ for any other) and the price.
    static QString priceText(const SketchMaterialFile *file);

signals:
    void materialClicked(SketchMaterialFile *file);

public slots:
    void gridCellClicked(SkinGridCell *cell);
    void gridHoverCellChanged(SkinGridCell *previous, SkinGridCell *current);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void configureGrid();
    void loadMaterialList(const QString &userId);
    void addMaterialFile(SketchMaterialFile *file);

    SkinGridView *m_grid = nullptr;
};

#endif // SKETCHMATERIALLISTVIEW_H
