#ifndef SKETCHPAPERDIALOG_H
#define SKETCHPAPERDIALOG_H

#include "skin/windows/skinstandarddialog.h"

#include <QSize>

class QComboBox;
class QLabel;
class QSpinBox;

// "Paper Size": a standard type ("A4", "A3", "B5", "B4" or "Custom") with an
// orientation ("Horizontal" or "Vertical"), and the width and height in
// pixels, each 50 to 100000. Choosing a standard type or an orientation
// fills the two numbers; typing numbers never changes the type shown, and
// only the numbers are read on OK. The orientation box hides while "Custom"
// is chosen.
//
// Ownership: every control is a child of the central widget. The dialog
// writes nothing anywhere; its owner reads paperSize() after an OK.
class SketchPaperDialog : public SkinStandardDialog
{
    Q_OBJECT

public:
    explicit SketchPaperDialog(QWidget *parent = nullptr);

    // Shows the first standard type and orientation of that exact size, or
    // "Custom"; the numbers end up at the size, clamped to their range.
    void setPaperSize(const QSize &size);
    QSize paperSize() const;

    QComboBox *typeBox() const { return m_typeBox; }
    QComboBox *orientationBox() const { return m_orientationBox; }
    QSpinBox *widthBox() const { return m_widthBox; }
    QSpinBox *heightBox() const { return m_heightBox; }

public slots:
    void paperTypeChanged(int index);
    void paperDirectionChanged(int index);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QSpinBox *addNumberRow(int top, QLabel *&label, const QString &text, QLabel *&unit);
    bool isCustom() const;
    // The standard size of the type shown in the orientation shown.
    void fillFromType();

    QLabel *m_paperLabel = nullptr;
    QLabel *m_widthLabel = nullptr;
    QLabel *m_heightLabel = nullptr;
    QLabel *m_widthUnitLabel = nullptr;
    QLabel *m_heightUnitLabel = nullptr;
    QComboBox *m_typeBox = nullptr;
    QComboBox *m_orientationBox = nullptr;
    QSpinBox *m_widthBox = nullptr;
    QSpinBox *m_heightBox = nullptr;
};

#endif // SKETCHPAPERDIALOG_H
