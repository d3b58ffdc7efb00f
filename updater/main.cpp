#include "updater/mainwidget.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    MainWidget window;
    window.show();
    return application.exec();
}
