#include "editor/sketchview.h"

#include "commands/sketchcommandmanager.h"

#include <QFileInfo>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>

namespace {

constexpr float kMinimumZoom = 0.2f;
constexpr float kMaximumZoom = 8.0f;

} // namespace

SketchView::SketchView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_MouseTracking, true);
    setAcceptDrops(true);
    setAttribute(Qt::WA_NoMousePropagation, true);
    m_commandManager = new SketchCommandManager(this);
    m_textEditor = new QTextEdit(this);
    m_textEditor->hide();
    m_textEditor->setAttribute(Qt::WA_NoMousePropagation, true);
    m_toolTipTimer = new QTimer(this);
    m_toolTipTimer->setSingleShot(true);
    m_toolTipTimer->setInterval(500);
}

SketchView::~SketchView() = default;

QString SketchView::fileName() const
{
    return m_fileName;
}

void SketchView::setFileName(const QString &fileName)
{
    m_fileName = fileName;
    if (!fileName.isEmpty())
        setTitle(QFileInfo(fileName).baseName());
}

QString SketchView::title() const
{
    return m_title;
}

void SketchView::setTitle(const QString &title)
{
    m_title = title;
}

QString SketchView::caption() const
{
    QString name = title();
    if (name.isEmpty())
        name = tr("untitled");
    const QString mark = isModified() ? QStringLiteral(" *") : QString();
    const QString percent = QString::number(double(zoom()) * 100.0, 'g');
    // One multi-argument substitution, so that a title holding "%2" is never
    // taken for a placeholder.
    return QStringLiteral("%1 @ %2%%3").arg(name, percent, mark);
}

QString SketchView::fileSuffix() const
{
    return QStringLiteral("*.*");
}

QString SketchView::fileFilter() const
{
    return tr("All files(*.*)");
}

bool SketchView::saveFile(const QString &fileName)
{
    Q_UNUSED(fileName)
    return false;
}

bool SketchView::takeBackGesture()
{
    return false;
}

bool SketchView::openFile(const QString &fileName)
{
    Q_UNUSED(fileName)
    m_commandManager->clear();
    setModified(false);
    return true;
}

float SketchView::zoom() const
{
    return m_zoom;
}

void SketchView::setZoom(float zoom)
{
    const float clamped = double(zoom) < double(kMinimumZoom) ? kMinimumZoom : qMin(zoom, kMaximumZoom);
    if (clamped == m_zoom)
        return;
    m_zoom = clamped;
    emit zoomChanged();
}

bool SketchView::isModified() const
{
    return m_modified;
}

void SketchView::setModified(bool modified)
{
    m_modified = modified;
}

QSize SketchView::paperSize() const
{
    return m_paperSize;
}

void SketchView::setPaperSize(const QSize &size)
{
    m_paperSize = size;
}

SkinBrush SketchView::paperColor() const
{
    return m_paperColor;
}

void SketchView::setPaperColor(const SkinBrush &brush)
{
    if (brush == m_paperColor)
        return;
    m_paperColor = brush;
    update();
}

SketchStroke SketchView::paperBorder() const
{
    return m_paperBorder;
}

void SketchView::setPaperBorder(const SketchStroke &border)
{
    if (border == m_paperBorder)
        return;
    m_paperBorder = border;
    update();
}

QRect SketchView::paperRect() const
{
    return QRect(QPoint(0, 0), paperSize());
}

QString SketchView::workId() const
{
    return QString();
}

void SketchView::setWorkId(const QString &text)
{
    Q_UNUSED(text)
}

QString SketchView::workTitle() const
{
    return QString();
}

void SketchView::setWorkTitle(const QString &text)
{
    Q_UNUSED(text)
}

QString SketchView::workTags() const
{
    return QString();
}

void SketchView::setWorkTags(const QString &text)
{
    Q_UNUSED(text)
}

SketchCommandManager *SketchView::commandManager() const
{
    return m_commandManager;
}

void SketchView::repaintHistoryStep(const SketchCommand *command)
{
    Q_UNUSED(command)
    update();
}

QMenu *SketchView::contextMenu() const
{
    return m_contextMenu.data();
}

void SketchView::setContextMenu(QMenu *menu)
{
    m_contextMenu = menu;
}

bool SketchView::isEmpty() const
{
    return false;
}

void SketchView::clearSelection()
{
}

void SketchView::deleteSelection()
{
}

void SketchView::selectAll()
{
    update();
    onSelectionChanged();
}

void SketchView::cut()
{
    // A failed copy must never lose the shapes.
    if (copy())
        deleteSelection();
}

bool SketchView::copy()
{
    return false;
}

void SketchView::paste()
{
}

void SketchView::endTextEdit(bool accept)
{
    Q_UNUSED(accept)
    if (m_textEditor->isHidden())
        return;
    m_textEditor->hide();
    setFocus(Qt::OtherFocusReason);
}

void SketchView::exportToImage()
{
}

void SketchView::print(QPaintDevice *device)
{
    Q_UNUSED(device)
}

bool SketchView::canCopy() const
{
    return false;
}

bool SketchView::canCut() const
{
    return false;
}

bool SketchView::canPaste() const
{
    return false;
}

bool SketchView::canDelete() const
{
    return false;
}

bool SketchView::canEditText() const
{
    return false;
}

bool SketchView::canEditName() const
{
    return false;
}

bool SketchView::canSelectAll() const
{
    return false;
}

void SketchView::onSketchChanged()
{
    setModified(true);
    emit sketchChanged();
}

void SketchView::onUndoManagerChanged()
{
    emit undoManagerChanged();
}

void SketchView::onSelectionChanged()
{
    emit selectionChanged();
}
