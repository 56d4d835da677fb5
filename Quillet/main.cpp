// Quillet: the neck injury criteria of one upper-neck load signal.

#include "Quillet/app/CNeckApp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    quillet::CNeckApp quillet;
    quillet.InitInstance(QApplication::arguments());
    return QApplication::exec();
}
