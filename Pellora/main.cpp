// Pellora: browses folders and hit lists of signal files and plots them.

#include "Pellora/app/CPelloraApp.h"

#include <QApplication>

using namespace pellora;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    CPelloraApp pellora;
    const int code = pellora.InitInstance(QApplication::arguments());
    if (code >= 0)
        return code;
    return QApplication::exec();
}
