#include "app/StartUp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return tessaro::app::runTessaro(app, tessaro::app::parseStartOptions(app));
}
