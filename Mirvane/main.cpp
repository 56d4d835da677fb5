// Mirvane: compares evaluated signals with a reference signal or with their average.

#include "Mirvane/app/CMirvaneApp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    mirvane::CMirvaneApp mirvane;
    mirvane.InitInstance(QApplication::arguments());
    return QApplication::exec();
}
