#include "materials/sketchmaterialdialog.h"

#include "materials/materialcataloguerequest.h"
#include "materials/sketchmaterial.h"
#include "materials/sketchmaterialbox.h"
#include "materials/sketchmaterialdialoggriditemdelegate.h"
#include "materials/sketchmaterialfile.h"
#include "model/sketchglobals.h"
#include "skin/controls/skingridcell.h"
#include "skin/controls/skingridcolumn.h"
#include "skin/controls/skingridrow.h"
#include "skin/controls/skingridview.h"
#include "skin/windows/skintheme.h"

#include <QPushButton>
#include <QResizeEvent>

SketchMaterialDialog::SketchMaterialDialog(QWidget *parent, const QString &materialFileName,
                                           const QString &userId)
    : SkinDialog(parent)
    , m_materialFile(new SketchMaterialFile(materialFileName))
{
    setMaxButtonVisible(false);
    setMinButtonVisible(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(400, 450);

    downloadMaterialFile(userId);
    setWindowTitle(QStringLiteral("%1(%2)").arg(m_materialFile->name(), QString::number(m_materialFile->materials().size())));
    createDownloadButton();
    createGrid();
    for (SketchMaterial *material : m_materialFile->materials())
        addMaterial(material);
}

SketchMaterialDialog::~SketchMaterialDialog()
{
    delete m_materialFile;
    m_materialFile = nullptr;
}

void SketchMaterialDialog::createDownloadButton()
{
    m_downloadButton = new QPushButton(tr("Download"), centralWidget());
    m_downloadButton->setStyleSheet(QStringLiteral("QPushButton{font-size:13px;}"));
    connect(m_downloadButton, SIGNAL(clicked()), this, SLOT(downloadButtonClicked()));
    setDefaultButton(m_downloadButton);
}

void SketchMaterialDialog::createGrid()
{
    m_grid = new SkinGridView(centralWidget());
    m_grid->setUpAsCardGrid();
    m_grid->setColumnResizeMode(SkinGridColumnsShareRoom);
    m_grid->setEditOnDoubleClick(false);
    m_grid->setHorizontalScrollBarEnabled(false);
    m_grid->setDragEnabled(false);
    m_grid->setDropEnabled(false);
    m_grid->setGridLineColor(skinBorderColor);
    m_grid->setBackgroundColor(skinPanelColor);
    m_grid->setSelectedCellColor(skinHighlightColor);
    m_grid->setItemDelegate(new SketchMaterialDialogGridItemDelegate);
    m_grid->setColumnCount(3);
    m_grid->setRowCount(0);
    m_grid->setItemCount(0);
}

void SketchMaterialDialog::downloadMaterialFile(const QString &userId)
{
    if (!m_materialFile)
        return;
    const QString key = m_materialFile->name();
    if (SketchGlobals::materialCache.contains(key)) {
        m_materialFile->parse(SketchGlobals::materialCache.value(key));
        return;
    }
    const QString text = MaterialCatalogueRequest::getText(MaterialCatalogueRequest::materialUrl(userId, key));
    if (text.isEmpty())
        return;
    if (MaterialCatalogueRequest::reportErrorText(this, text))
        return;
    readReply(key, text);
}

void SketchMaterialDialog::readReply(const QString &key, const QString &text)
{
    // Kept under the name asked for, so that the next opening of this entry
    // finds it whatever the reply calls itself, and only when it gave
    // materials: an error page is asked for again next time.
    if (!m_materialFile->parse(text).isEmpty())
        SketchGlobals::materialCache.insert(key, text);
}

void SketchMaterialDialog::addMaterial(SketchMaterial *material)
{
    if (!material)
        return;
    SkinGridCell *cell = m_grid->appendItemCell();
    cell->setData(material);
    cell->setBackgroundColor(Qt::white);
}

void SketchMaterialDialog::resizeEvent(QResizeEvent *event)
{
    SkinWindow::resizeEvent(event);
    const int w = centralWidget()->width();
    const int h = centralWidget()->height();
    if (m_downloadButton)
        m_downloadButton->setGeometry(w / 2 - 50, 6, 108, 25);
    if (!m_grid)
        return;
    m_grid->setGeometry(8, 36, w - 16, h - 44);
    if (m_grid->columnCount() < 1 || m_grid->rowCount() < 1)
        return;
    squareCells();
}

void SketchMaterialDialog::squareCells()
{
    // The columns share the grid's width only once it is laid out, and
    // square rows may bring the vertical scroll bar and narrow them again:
    // a few passes settle it.
    for (int pass = 0; pass < 3; ++pass) {
        m_grid->updateLayout(false);
        const int side = m_grid->columns().first()->width();
        bool changed = false;
        for (SkinGridRow *row : m_grid->rows()) {
            changed = changed || row->height() != side;
            row->setHeight(side);
        }
        if (!changed)
            return;
    }
    m_grid->updateLayout(false);
}

void SketchMaterialDialog::downloadButtonClicked()
{
    done(ResultCancel);
    if (m_materialBox)
        m_materialBox->importMaterials(m_materialFile);
}
