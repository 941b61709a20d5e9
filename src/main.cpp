#include <QApplication>

#include "app/program.h"

int main(int argc, char **argv)
{
    mira::prepareApplication();
    QApplication app(argc, argv);
    mira::initProgram(app);
    return 0;
}
