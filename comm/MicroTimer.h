// A timer with a period in microseconds, for periods too short for the
// event loop's timers.
//
// Setting Enabled to true runs the timing loop inside that call, on the
// calling (user-interface) thread: for each period a worker thread
// busy-waits on the monotonic high-resolution clock while this thread keeps
// processing events; then OnTimer runs here. The handler's own duration is
// deducted from the next wait, so a handler longer than the period makes the
// next wait negative and the next period starts at once. The loop ends when
// Enabled becomes false (in the handler or in any event processed while
// waiting); the call that enabled the timer then returns.
#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>

namespace orvane {

class TMicroTimer;
using TMicroTimerOnTimer = std::function<void(TMicroTimer* sender)>;

// One period's wait: busy-waits until more than `attenteUs` microseconds
// have passed, then ends. Frees itself after its end has been noticed.
class MicroTimerTh : public QThread {
    Q_OBJECT
public:
    explicit MicroTimerTh(int64_t attenteUs) : attenteUs_(attenteUs) {}

protected:
    void run() override;

private:
    int64_t attenteUs_;
};

class TMicroTimer : public QObject {
    Q_OBJECT
public:
    explicit TMicroTimer(QObject* owner = nullptr);
    ~TMicroTimer() override;

    int64_t Interval() const { return interval_; }
    void SetInterval(int64_t us) { interval_ = us; }

    bool Enabled() const { return enabled_; }
    // Ignored while no OnTimer is set. Setting true starts the timing loop,
    // which returns only once Enabled has become false again.
    void SetEnabled(bool actif);

    const TMicroTimerOnTimer& OnTimer() const { return onTimer_; }
    void SetOnTimer(TMicroTimerOnTimer f) { onTimer_ = std::move(f); }

    // Clock ticks per second (the clock counts nanoseconds).
    static int64_t Frequence();
    static int64_t Compteur();

    // The wait computed before the latest period, in microseconds
    // (negative when the handler outlasted the interval).
    int64_t DerniereAttente() const { return derniereAttente_; }

private:
    void Boucle();

    int64_t interval_ = 20;
    bool enabled_ = false;
    bool enBoucle_ = false;
    TMicroTimerOnTimer onTimer_;
    int64_t frequence_;
    int64_t derniereAttente_ = 0;
    QPointer<MicroTimerTh> attente_;
};

}  // namespace orvane
