#include "app/sketchframeeditor.h"

#include "app/sketchframepopupwindow.h"

SketchFrameEditor::SketchFrameEditor(QWidget *parent)
    : QPushButton(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
    m_popup = new SketchFramePopupWindow(this);
    connect(m_popup, SIGNAL(shapeFrameChanged()), this, SLOT(onShapeFrameChanged()));
    connect(m_popup, SIGNAL(shapeFrameChanged(int)), this, SLOT(onShapeFrameChanged(int)));
    connect(this, SIGNAL(clicked()), m_popup, SLOT(showPopupWindow()));
}

SketchFrameEditor::~SketchFrameEditor() = default;

SketchShape *SketchFrameEditor::shape() const
{
    return m_popup->shape();
}

QRect SketchFrameEditor::popupRect() const
{
    return m_popup->popupRect();
}

void SketchFrameEditor::setPopupRect(const QRect &rect)
{
    m_popup->setPopupRect(rect);
}

void SketchFrameEditor::useThemeStyle()
{
    m_popup->useThemeStyle();
}

void SketchFrameEditor::setShape(SketchShape *shape)
{
    m_popup->setShape(shape);
    setText(m_popup->frameText());
}

void SketchFrameEditor::showPopupWindow()
{
    m_popup->showPopupWindow();
}

void SketchFrameEditor::onShapeFrameChanged()
{
    setText(m_popup->frameText());
    emit shapeFrameChanged();
}

void SketchFrameEditor::onShapeFrameChanged(int index)
{
    setText(m_popup->frameText());
    emit shapeFrameChanged(index);
}
