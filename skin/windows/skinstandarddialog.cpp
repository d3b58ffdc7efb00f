#include "skin/windows/skinstandarddialog.h"

#include <QFrame>
#include <QPushButton>

SkinStandardDialog::SkinStandardDialog(QWidget *parent)
    : SkinDialog(parent)
{
    setMaxButtonVisible(false);
    setMinButtonVisible(false);
    // No resizing by the borders.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setWindowTitle(tr("Standard Dialog"));
    resize(300, 150);

    m_hLine = new QFrame(centralWidget());
    m_hLine->setObjectName(QStringLiteral("HLine"));
    m_hLine->show();
    m_okButton = new QPushButton(tr("OK"), centralWidget());
    m_cancelButton = new QPushButton(tr("Cancel"), centralWidget());
    connect(m_okButton, &QPushButton::clicked, this, &SkinStandardDialog::okButtonClicked);
    connect(m_cancelButton, &QPushButton::clicked, this, &SkinStandardDialog::cancelButtonClicked);
    setDefaultButton(m_okButton);
}

void SkinStandardDialog::okButtonClicked()
{
    if (!m_keepOpen)
        done(ResultOk);
}

void SkinStandardDialog::cancelButtonClicked()
{
    done(ResultCancel);
}

void SkinStandardDialog::showEvent(QShowEvent *event)
{
    SkinWindow::showEvent(event);
    placeButtonRow(m_hLine, {m_cancelButton, m_okButton});
}
