#include "updater/mainwidget.h"

#include "app/programfiles.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

struct MainWidget::Form
{
    QLabel *label = nullptr;
    QPushButton *retryButton = nullptr;
    QPushButton *cancelButton = nullptr;
};

namespace {

// Where the label shows an outcome, alone or above the buttons.
const QRect fullText(10, 11, 240, 58);
const QRect textAboveButtons(10, 6, 240, 40);

QPushButton *hiddenButton(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->hide();
    return button;
}

} // namespace

MainWidget::MainWidget(QWidget *parent) : MainWidget(ProgramUpdate::forThisProgram(), parent)
{
}

MainWidget::MainWidget(ProgramUpdate update, QWidget *parent)
    : QWidget(parent), m_form(std::make_unique<Form>()), m_update(std::move(update))
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("MainWidget"));
    resize(260, 80);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMaximumSize(260, 80);

    m_form->label = new QLabel(this);
    m_form->label->setObjectName(QStringLiteral("label"));
    m_form->label->setGeometry(30, 20, 191, 31);
    QFont font(QStringLiteral("Agency FB"), 10);
    font.setWeight(75);
    m_form->label->setFont(font);
    m_form->label->setAlignment(Qt::AlignCenter);
    m_form->retryButton = hiddenButton(this, "retryButton", tr("Retry"), QRect(50, 50, 75, 24));
    m_form->cancelButton = hiddenButton(this, "cancelButton", tr("Cancel"), QRect(135, 50, 75, 24));
    connect(m_form->retryButton, &QPushButton::clicked, this, &MainWidget::retry);
    connect(m_form->cancelButton, &QPushButton::clicked, this, &MainWidget::cancel);

    setWindowTitle(tr("StoryloomUpdate"));
    m_form->label->setText(tr("Downloading..."));

    // Once the event loop runs, so that the window is up before the download.
    QTimer::singleShot(10, Qt::PreciseTimer, this, &MainWidget::timerTrigger);
}

MainWidget::~MainWidget() = default;

void MainWidget::timerTrigger()
{
    showResult(m_update.run());
}

void MainWidget::retry()
{
    m_form->retryButton->setEnabled(false);
    m_form->cancelButton->setEnabled(false);
    showResult(m_update.resume());
}

void MainWidget::cancel()
{
    m_update.abandon();
    close();
}

void MainWidget::showResult(ProgramUpdate::Result result)
{
    using Result = ProgramUpdate::Result;
    m_form->retryButton->hide();
    m_form->cancelButton->hide();
    switch (result) {
    case Result::Installed:
        close();
        return;
    case Result::OldProgramRunning:
        askToCloseTheProgram();
        break;
    case Result::AlreadyRunning:
        showText(tr("An update is already running."), fullText);
        break;
    case Result::DownloadFailed:
        showText(tr("The download failed."), fullText);
        break;
    case Result::UpdateFailed:
        showText(tr("The update failed."), fullText);
        break;
    }
    qWarning("%s: %s", ProgramFiles::updater, qPrintable(m_update.failure()));
    m_form->label->setToolTip(m_update.failure());
}

// Wrapped, across the whole width of the box.
void MainWidget::showText(const QString &text, const QRect &geometry)
{
    m_form->label->setGeometry(geometry);
    m_form->label->setWordWrap(true);
    m_form->label->setText(text);
}

// Up to two lines above the buttons, in the same box.
void MainWidget::askToCloseTheProgram()
{
    showText(tr("Close Loomdraw to finish the update"), textAboveButtons);
    for (QPushButton *button : {m_form->retryButton, m_form->cancelButton}) {
        button->setEnabled(true);
        button->show();
    }
}
