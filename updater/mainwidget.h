#ifndef MAINWIDGET_H
#define MAINWIDGET_H

#include "updater/programupdate.h"

#include <QWidget>

#include <memory>

// The updater's only window: a small fixed box saying "Downloading...".
// Shortly after it is shown (the event loop must run) it performs the update
// once; when the new program runs, it ends the application with 0; when the
// update fails, its text says so and it stays open until the user closes it.
//
// Owns its form (the label "label") and the update it performs.
class MainWidget : public QWidget
{
    Q_OBJECT

public:
    // Updates the program beside this updater.
    explicit MainWidget(QWidget *parent = nullptr);
    // Performs the given update instead, for the tests.
    explicit MainWidget(const ProgramUpdate &update, QWidget *parent = nullptr);
    ~MainWidget() override;

public slots:
    void timerTrigger();

private:
    struct Form;

    std::unique_ptr<Form> m_form;
    ProgramUpdate m_update;
};

#endif // MAINWIDGET_H
