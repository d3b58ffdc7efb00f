#include "app/sketchpaperdialog.h"

#include "model/sketchglobals.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include <iterator>

namespace {

const char *const standardTypes[] = {"A4", "A3", "B5", "B4"};

QLabel *addLabel(QWidget *parent, const QString &text, const QRect &geometry, Qt::Alignment horizontal)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(horizontal | Qt::AlignVCenter);
    return label;
}

} // namespace

SketchPaperDialog::SketchPaperDialog(QWidget *parent)
    : SkinStandardDialog(parent)
{
    setWindowTitle(tr("Paper Size"));
    resize(290, 160);
    QWidget *central = centralWidget();

    m_paperLabel = addLabel(central, tr("Paper:"), QRect(4, 8, 50, 20), Qt::AlignRight);
    m_typeBox = new QComboBox(central);
    m_typeBox->setGeometry(61, 8, 100, 20);
    for (const char *type : standardTypes)
        m_typeBox->addItem(QLatin1String(type));
    m_typeBox->addItem(tr("Custom"));
    m_orientationBox = new QComboBox(central);
    m_orientationBox->setGeometry(168, 8, 90, 20);
    m_orientationBox->addItems({tr("Horizontal"), tr("Vertical")});
    m_orientationBox->setCurrentIndex(0);

    m_widthBox = addNumberRow(36, m_widthLabel, tr("Width:"), m_widthUnitLabel);
    m_heightBox = addNumberRow(64, m_heightLabel, tr("Height:"), m_heightUnitLabel);

    connect(m_typeBox, SIGNAL(currentIndexChanged(int)), this, SLOT(paperTypeChanged(int)));
    connect(m_orientationBox, SIGNAL(currentIndexChanged(int)), this, SLOT(paperDirectionChanged(int)));
}

QSpinBox *SketchPaperDialog::addNumberRow(int top, QLabel *&label, const QString &text, QLabel *&unit)
{
    QWidget *central = centralWidget();
    label = addLabel(central, text, QRect(4, top, 50, 20), Qt::AlignRight);
    auto *box = new QSpinBox(central);
    box->setGeometry(61, top, 100, 20);
    box->setMaximum(100000);
    box->setMinimum(50);
    unit = addLabel(central, tr("pixels"), QRect(168, top, 100, 20), Qt::AlignLeft);
    return box;
}

bool SketchPaperDialog::isCustom() const
{
    return m_typeBox->currentIndex() >= m_typeBox->count() - 1;
}

void SketchPaperDialog::fillFromType()
{
    const QSize size = SketchGlobals::paperSize(m_typeBox->currentText(), m_orientationBox->currentIndex() != 0);
    m_widthBox->setValue(size.width());
    m_heightBox->setValue(size.height());
}

void SketchPaperDialog::setPaperSize(const QSize &size)
{
    int type = m_typeBox->count() - 1;
    int orientation = 0;
    for (int index = 0; index < int(std::size(standardTypes)) && type == m_typeBox->count() - 1; ++index) {
        for (const bool portrait : {false, true}) {
            if (SketchGlobals::paperSize(QLatin1String(standardTypes[index]), portrait) == size) {
                type = index;
                orientation = portrait ? 1 : 0;
                break;
            }
        }
    }
    m_typeBox->setCurrentIndex(type);
    m_orientationBox->setCurrentIndex(orientation);
    // Last: the slots run by the two boxes may have changed the numbers.
    m_widthBox->setValue(size.width());
    m_heightBox->setValue(size.height());
    m_orientationBox->setVisible(!isCustom());
}

QSize SketchPaperDialog::paperSize() const
{
    return QSize(m_widthBox->value(), m_heightBox->value());
}

void SketchPaperDialog::paperTypeChanged(int index)
{
    if (index < m_typeBox->count() - 1)
        fillFromType();
    m_orientationBox->setVisible(!isCustom());
}

void SketchPaperDialog::paperDirectionChanged(int)
{
    fillFromType();
}

void SketchPaperDialog::showEvent(QShowEvent *event)
{
    SkinStandardDialog::showEvent(event);
}
