// The reference for the start-up time: a minimal Qt Widgets program that
// shows one window. When the window has painted for the first time, "shown"
// goes to the standard output and the process ends at once.
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

class PremierePeinture : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            const bool ecrit = ::write(STDOUT_FILENO, "shown\n", 6) == 6;
            ::_exit(ecrit ? 0 : 1);
        }
        return QObject::eventFilter(o, e);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget fenetre;
    fenetre.resize(400, 300);
    PremierePeinture guet;
    fenetre.installEventFilter(&guet);
    fenetre.show();
    return app.exec();
}
