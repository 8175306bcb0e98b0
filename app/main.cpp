#include <QApplication>

#include "app/FormMachine2.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvane::TFormMachine2 menu;
    menu.show();
    return app.exec();
}
