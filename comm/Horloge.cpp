#include "comm/Horloge.h"

#include <chrono>
#include <thread>
#include <utility>

namespace orvane {

namespace {

void PauseReelle(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int64_t HorlogeReelle() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

FonctionPause pause = PauseReelle;
FonctionHorloge horloge = HorlogeReelle;

}  // namespace

FonctionPause DefinirPause(FonctionPause f) {
    return std::exchange(pause, f ? std::move(f) : FonctionPause(PauseReelle));
}

FonctionHorloge DefinirHorloge(FonctionHorloge f) {
    return std::exchange(horloge, f ? std::move(f) : FonctionHorloge(HorlogeReelle));
}

void Pause(int ms) { pause(ms); }
int64_t MaintenantMs() { return horloge(); }

}  // namespace orvane
