// HIC: the head injury criterion of a head acceleration, its skull fracture
// correlate, injury probabilities and response surface.

#include "HIC/app/CHICApp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    hic::CHICApp hic;
    hic.InitInstance(QApplication::arguments());
    return QApplication::exec();
}
