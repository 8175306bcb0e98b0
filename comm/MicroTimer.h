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
// waiting); the call that enabled the timer then returns. It also returns
// when the timer is destroyed meanwhile, by its handler or by an event: the
// current wait is cut short and the destroyed timer is not touched again.
#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>

namespace orvane {

class TMicroTimer;
using TMicroTimerOnTimer = std::function<void(TMicroTimer* sender)>;

// One period's wait: busy-waits until more than `attenteUs` microseconds
// have passed, or until asked to stop, then ends. Owned by the timer's loop,
// which deletes it once its end has been noticed.
class MicroTimerTh : public QThread {
    Q_OBJECT
public:
    explicit MicroTimerTh(int64_t attenteUs) : attenteUs_(attenteUs) {}

    // Cuts the wait short (any thread).
    void Arreter() { arret_.store(true, std::memory_order_relaxed); }
    // True once the wait is over; the thread's finished signal follows.
    bool Fini() const { return fini_.load(std::memory_order_acquire); }

protected:
    void run() override;

private:
    int64_t attenteUs_;
    std::atomic<bool> arret_{false};
    std::atomic<bool> fini_{false};
};

class TMicroTimer : public QObject {
    Q_OBJECT
public:
    explicit TMicroTimer(QObject* owner = nullptr);
    ~TMicroTimer() override;

    int64_t Interval() const { return interval_; }
    void SetInterval(int64_t us) { interval_ = us; }

    bool Enabled() const { return enabled_; }
    // Setting true is ignored while no OnTimer is set; otherwise it starts
    // the timing loop, which returns only once Enabled has become false
    // again or the timer has been destroyed (by its handler or by an event
    // processed while waiting). Setting false always stops the loop.
    void SetEnabled(bool actif);

    const TMicroTimerOnTimer& OnTimer() const { return onTimer_; }
    void SetOnTimer(TMicroTimerOnTimer f) { onTimer_ = std::move(f); }

    // Clock ticks per second (the clock counts nanoseconds).
    static int64_t Frequence();
    static int64_t Compteur();
    // Ticks of a clock of the given frequency in whole microseconds, without
    // overflow for any tick count.
    static int64_t EnMicrosecondes(int64_t ticks, int64_t frequence);
    // The next wait: the interval less the handler's duration, saturated at
    // the limits of 64 bits.
    static int64_t AttenteUs(int64_t intervalUs, int64_t dureeTicks, int64_t frequence);

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
    // The current period's wait, while the loop runs.
    MicroTimerTh* attente_ = nullptr;
    // Set by the destructor: the loop running on this timer then returns
    // without touching it again.
    bool* detruit_ = nullptr;
};

}  // namespace orvane
