// The simulated bench in real time: a drive kept in step with the clock,
// for the servers and for the program's in-process link.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "sim/Variateur.h"

namespace orvane::sim {

// Elapsed real time in milliseconds, to keep a drive in step with the clock.
class HorlogeReelle {
public:
    HorlogeReelle() : debut_(std::chrono::steady_clock::now()) {}
    int64_t Maintenant() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - debut_)
            .count();
    }
    // Advances the drive to the present time. After a long silence only the
    // last 10 s are simulated: the bench has settled long before (and its
    // heartbeat has stopped any running law).
    void Rattraper(Variateur& variateur) {
        int64_t t = Maintenant();
        if (t > fait_) variateur.Avancer(static_cast<int>(std::min<int64_t>(t - fait_, 10000)));
        fait_ = std::max(t, fait_);
    }

private:
    std::chrono::steady_clock::time_point debut_;
    int64_t fait_ = 0;
};

// The bench as the program's in-process link sees it: the four register
// operations of its Modbus client (menu.parametre, result 0 = success), each
// first bringing the drive up to the present time.
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
    HorlogeReelle horloge_;
};

}  // namespace orvane::sim
