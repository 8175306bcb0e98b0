#include "comm/MicroTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>

namespace orvane {

int64_t TMicroTimer::Frequence() {
    using Periode = std::chrono::steady_clock::period;
    return Periode::den / Periode::num;
}

int64_t TMicroTimer::Compteur() {
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

void MicroTimerTh::run() {
    const int64_t frequence = TMicroTimer::Frequence();
    const int64_t debut = TMicroTimer::Compteur();
    while ((TMicroTimer::Compteur() - debut) * 1000000 / frequence <= attenteUs_) {
    }
}

TMicroTimer::TMicroTimer(QObject* owner) : QObject(owner), frequence_(Frequence()) {}

TMicroTimer::~TMicroTimer() {
    enabled_ = false;
    if (attente_) attente_->wait();
}

void TMicroTimer::SetEnabled(bool actif) {
    if (!onTimer_) return;
    enabled_ = actif;
    // A handler that re-enables the timer is already inside the loop.
    if (actif && !enBoucle_) Boucle();
}

void TMicroTimer::Boucle() {
    enBoucle_ = true;
    int64_t t1 = 0, t2 = 0;
    while (enabled_) {
        derniereAttente_ = interval_ - (t2 - t1) * 1000000 / frequence_;
        bool fini = false;
        auto* th = new MicroTimerTh(derniereAttente_);
        // The end is noticed on this thread, which then lets the thread go.
        connect(th, &QThread::finished, this, [&fini, th] {
            fini = true;
            th->deleteLater();
        });
        attente_ = th;
        th->start();
        while (!fini) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        t1 = Compteur();
        if (onTimer_) onTimer_(this);
        t2 = Compteur();
    }
    enBoucle_ = false;
}

}  // namespace orvane
