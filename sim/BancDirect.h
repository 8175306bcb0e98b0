// The simulated bench in real time: a drive kept in step with the clock,
// for the servers and for the program's in-process link.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>

#include "comm/Horloge.h"
#include "sim/Variateur.h"

namespace orvane::sim {

// Keeps a drive in step with a clock of milliseconds: by default the
// monotonic real clock, or any other source (the program's replaceable
// clock, a test's simulated time).
class HorlogeBanc {
public:
    using Source = std::function<int64_t()>;

    explicit HorlogeBanc(Source source = {}) { Suivre(std::move(source)); }
    // Follows `source` from now on (an empty one: the real clock), counting
    // from its present reading.
    void Suivre(Source source) {
        source_ = source ? std::move(source) : Source(Monotone);
        debut_ = source_();
        fait_ = 0;
    }
    // Milliseconds since the clock was set.
    int64_t Maintenant() const { return source_() - debut_; }
    // Advances the drive to the present time. After a long silence only the
    // last 10 s are simulated: the bench has settled long before (and its
    // heartbeat has stopped any running law).
    void Rattraper(Variateur& variateur) {
        int64_t t = Maintenant();
        if (t > fait_) variateur.Avancer(static_cast<int>(std::min<int64_t>(t - fait_, 10000)));
        fait_ = std::max(t, fait_);
    }

private:
    static int64_t Monotone() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    Source source_;
    int64_t debut_ = 0;
    int64_t fait_ = 0;
};

// The bench as the program's in-process link sees it: the four register
// operations of its Modbus client (menu.parametre, result 0 = success), each
// first bringing the drive up to the present time of the program's clock
// (comm/Horloge.h), so that the gateway's pauses are the drive's time too.
class BancDirect {
public:
    explicit BancDirect(uint64_t graine = 1) : variateur_(graine) {}

    Variateur& variateur() { return variateur_; }

    int LireRegistre(int menu, int parametre, int32_t& valeur) {
        horloge_.Rattraper(variateur_);
        return variateur_.LireRegistre(menu, parametre, valeur);
    }
    int LireRegistres(int menu, int parametre, int n, int32_t* valeurs) {
        horloge_.Rattraper(variateur_);
        return variateur_.LireRegistres(menu, parametre, n, valeurs);
    }
    int EcrireRegistre(int menu, int parametre, int32_t valeur) {
        horloge_.Rattraper(variateur_);
        return variateur_.EcrireRegistre(menu, parametre, valeur);
    }
    int EcrireRegistres(int menu, int parametre, int n, const int32_t* valeurs) {
        horloge_.Rattraper(variateur_);
        return variateur_.EcrireRegistres(menu, parametre, n, valeurs);
    }

private:
    Variateur variateur_;
    HorlogeBanc horloge_{[] { return MaintenantMs(); }};
};

}  // namespace orvane::sim
