#include "comm/MicroTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <chrono>
#include <limits>

namespace orvane {

int64_t TMicroTimer::Frequence() {
    using Periode = std::chrono::steady_clock::period;
    return Periode::den / Periode::num;
}

int64_t TMicroTimer::Compteur() {
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

int64_t TMicroTimer::EnMicrosecondes(int64_t ticks, int64_t frequence) {
    if (frequence <= 0) return 0;
    return ticks / frequence * 1000000 + ticks % frequence * 1000000 / frequence;
}

int64_t TMicroTimer::AttenteUs(int64_t intervalUs, int64_t dureeTicks, int64_t frequence) {
    const int64_t duree = EnMicrosecondes(dureeTicks, frequence);
    int64_t attente = 0;
    if (__builtin_sub_overflow(intervalUs, duree, &attente))
        return duree > 0 ? std::numeric_limits<int64_t>::min()
                         : std::numeric_limits<int64_t>::max();
    return attente;
}

void MicroTimerTh::run() {
    const int64_t frequence = TMicroTimer::Frequence();
    const int64_t debut = TMicroTimer::Compteur();
    while (!arret_.load(std::memory_order_relaxed) &&
           TMicroTimer::EnMicrosecondes(TMicroTimer::Compteur() - debut, frequence) <= attenteUs_) {
    }
    fini_.store(true, std::memory_order_release);
}

TMicroTimer::TMicroTimer(QObject* owner) : QObject(owner), frequence_(Frequence()) {}

TMicroTimer::~TMicroTimer() {
    enabled_ = false;
    if (attente_) {
        attente_->Arreter();
        attente_->wait();
        delete attente_;
        attente_ = nullptr;
    }
    if (detruit_) *detruit_ = true;
}

void TMicroTimer::SetEnabled(bool actif) {
    if (actif && !onTimer_) return;
    enabled_ = actif;
    // A handler that re-enables the timer is already inside the loop.
    if (actif && !enBoucle_) Boucle();
}

void TMicroTimer::Boucle() {
    // Anything run from here (events, the handler) may destroy the timer;
    // after each such call nothing of it is touched once `detruit` is set.
    bool detruit = false;
    detruit_ = &detruit;
    enBoucle_ = true;
    int64_t t1 = 0, t2 = 0;
    while (enabled_) {
        derniereAttente_ = AttenteUs(interval_, t2 - t1, frequence_);
        auto* th = new MicroTimerTh(derniereAttente_);
        // The end of the wait posts an event, which wakes the pumping below.
        connect(th, &QThread::finished, th, [] {});
        attente_ = th;
        th->start();
        while (!th->Fini()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (detruit) return;  // the destructor stopped and freed the wait
        }
        th->wait();
        delete th;
        attente_ = nullptr;
        t1 = Compteur();
        if (onTimer_) {
            // A copy: the handler may replace OnTimer or destroy the timer.
            const TMicroTimerOnTimer gestionnaire = onTimer_;
            gestionnaire(this);
            if (detruit) return;
        }
        t2 = Compteur();
    }
    enBoucle_ = false;
    detruit_ = nullptr;
}

}  // namespace orvane
