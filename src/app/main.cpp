#include "platform/ApplicationSetup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    lumetra::setupApplication(app);
    return 0;
}
