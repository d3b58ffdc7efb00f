#ifndef SKINSTANDARDDIALOG_H
#define SKINSTANDARDDIALOG_H

#include "skin/windows/skindialog.h"

class QFrame;
class QPushButton;

// The OK/Cancel dialog: a fixed-size SkinDialog (300 x 150 unless a subclass
// resizes it before showing it) with an OK and a Cancel button under a
// separator line at the bottom of the central widget. OK ends it with 1,
// Cancel, the caption close button and Escape with 2. OK is the default
// button: Return and Enter press it from any control that does not take
// them itself.
//
// Subclasses put their controls into centralWidget(); one that validates its
// input overrides okButtonClicked() and calls this one only for valid input.
// While keep-open is set, OK does nothing.
//
// The buttons are placed when the dialog is shown, so a subclass changes the
// dialog's size before that. Ownership: the separator and the buttons are
// children of the central widget.
class SkinStandardDialog : public SkinDialog
{
    Q_OBJECT

public:
    explicit SkinStandardDialog(QWidget *parent = nullptr);

    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QFrame *hLine() const { return m_hLine; }

    bool isKeepOpen() const { return m_keepOpen; }
    void setKeepOpen(bool keepOpen) { m_keepOpen = keepOpen; }

signals:
    // Declared for subclasses; the dialog itself never emits it.
    void okButtonClicking();

public slots:
    // done(1), unless keep-open is set.
    virtual void okButtonClicked();
    // done(2).
    virtual void cancelButtonClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QFrame *m_hLine = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    bool m_keepOpen = false;
};

#endif // SKINSTANDARDDIALOG_H
