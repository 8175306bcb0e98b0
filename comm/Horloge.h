// The fixed pauses of the drive exchanges and the time base of the
// measurements, replaceable so that tests neither sleep nor depend on the
// wall clock.
#pragma once

#include <cstdint>
#include <functional>

namespace orvane {

// Blocks the calling thread for the given number of milliseconds.
using FonctionPause = std::function<void(int ms)>;
// Milliseconds of a monotonic clock (a change of the system time never moves it).
using FonctionHorloge = std::function<int64_t()>;

// Install f (an empty function restores the real one) and return the previous.
FonctionPause DefinirPause(FonctionPause f);
FonctionHorloge DefinirHorloge(FonctionHorloge f);

void Pause(int ms);
int64_t MaintenantMs();

// The two pauses of the exchanges: before reading a reply, after a control
// word or a parameter block.
inline void delay10() { Pause(10); }
inline void delay100() { Pause(100); }

}  // namespace orvane
