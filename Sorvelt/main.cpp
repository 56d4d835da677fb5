// Sorvelt: plots the curves of a simulation time-history file and converts them
// into UDS-1992 files.

#include "Sorvelt/app/CSorveltApp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    sorvelt::CSorveltApp sorvelt;
    sorvelt.InitInstance(QApplication::arguments());
    return QApplication::exec();
}
