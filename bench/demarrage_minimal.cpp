// The reference for the start-up time: a minimal Qt Widgets program that
// shows one window.
#include <QApplication>
#include <QWidget>

#include "PremierePeinture.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget fenetre;
    fenetre.resize(400, 300);
    PremierePeinture guet;
    fenetre.installEventFilter(&guet);
    fenetre.show();
    return app.exec();
}
