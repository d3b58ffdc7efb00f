#ifndef MAINWIDGET_H
#define MAINWIDGET_H

#include "updater/programupdate.h"

#include <QWidget>

#include <memory>

// The updater's only window: a small fixed box saying "Downloading...".
// Shortly after it is shown (the event loop must run) it performs the update
// once. When the new program runs, the window closes, which ends the
// application with 0. When the old program does not end, it says "Close
// Loomdraw to finish the update" above Retry (look again, and swap once it
// has ended) and Cancel (drop the download and close). When the update
// fails, its text says how ("The download failed.", "The update failed.",
// "An update is already running."), with the reason as its tool tip and on
// the standard error, and it stays open until the user closes it.
//
// Owns its form (the label "label", the buttons "retryButton" and
// "cancelButton") and the update it performs.
class MainWidget : public QWidget
{
    Q_OBJECT

public:
    // Updates the program beside this updater.
    explicit MainWidget(QWidget *parent = nullptr);
    // Performs the given update instead, for the tests.
    explicit MainWidget(ProgramUpdate update, QWidget *parent = nullptr);
    ~MainWidget() override;

public slots:
    void timerTrigger();

private:
    struct Form;

    void retry();
    void cancel();
    void showResult(ProgramUpdate::Result result);
    void showText(const QString &text, const QRect &geometry);
    void askToCloseTheProgram();

    std::unique_ptr<Form> m_form;
    ProgramUpdate m_update;
};

#endif // MAINWIDGET_H
