#include "updater/mainwidget.h"

#include "app/programfiles.h"

#include <QFont>
#include <QLabel>
#include <QTimer>

struct MainWidget::Form
{
    QLabel *label = nullptr;
};

MainWidget::MainWidget(QWidget *parent) : MainWidget(ProgramUpdate::forThisProgram(), parent)
{
}

MainWidget::MainWidget(const ProgramUpdate &update, QWidget *parent)
    : QWidget(parent), m_form(std::make_unique<Form>()), m_update(update)
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

    setWindowTitle(tr("StoryloomUpdate"));
    m_form->label->setText(tr("Downloading..."));

    // Once the event loop runs, so that the window is up before the download.
    QTimer::singleShot(10, Qt::PreciseTimer, this, &MainWidget::timerTrigger);
}

MainWidget::~MainWidget() = default;

void MainWidget::timerTrigger()
{
    if (m_update.run()) {
        QCoreApplication::exit(0);
        return;
    }
    qWarning("%s: %s", ProgramFiles::updater, qPrintable(m_update.failure()));
    m_form->label->setText(tr("The update failed."));
    m_form->label->setToolTip(m_update.failure());
}
