// The micro timer: a loop inside the enabling call, stoppable and destroyable
// from anywhere, with clock arithmetic that holds for any run length.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "comm/MicroTimer.h"

using namespace orvane;

constexpr int64_t Max64 = std::numeric_limits<int64_t>::max();
constexpr int64_t Min64 = std::numeric_limits<int64_t>::min();

// Ticks × 10^6 would overflow after about 2.56 h of a nanosecond clock.
TEST(MicroTimer, ClockArithmeticHoldsForLongRuns) {
    const int64_t ns = 1000000000, heure = 3600 * ns, us = 1000000;
    EXPECT_EQ(TMicroTimer::EnMicrosecondes(1000 * heure + 999, ns), 1000 * 3600 * us);
    EXPECT_EQ(TMicroTimer::EnMicrosecondes(Max64, 3579545),
              Max64 / 3579545 * us + Max64 % 3579545 * us / 3579545);
    EXPECT_EQ(TMicroTimer::AttenteUs(us, 3 * heure, ns), us - 3 * 3600 * us);
    EXPECT_EQ(TMicroTimer::AttenteUs(Min64 + 5, Max64, ns), Min64);  // saturates, no wrap
}

// Destroyed by an event during a long wait: the enabling call returns.
TEST(MicroTimer, DestroyedWhileWaitingEndsTheLoop) {
    auto* t = new TMicroTimer;
    t->SetInterval(60 * 1000000);
    int appels = 0;
    t->SetOnTimer([&](TMicroTimer*) { ++appels; });
    bool detruit = false;
    QTimer::singleShot(0, [&] {
        delete t;
        detruit = true;
    });
    t->SetEnabled(true);
    EXPECT_TRUE(detruit);
    EXPECT_EQ(appels, 0);
}

// Destroyed by its own handler: the loop never touches the freed storage.
TEST(MicroTimer, DestroyedByItsHandlerTouchesNothingAfterwards) {
    alignas(TMicroTimer) unsigned char memoire[sizeof(TMicroTimer)];
    auto* t = new (memoire) TMicroTimer;
    t->SetInterval(100);
    int appels = 0;
    t->SetOnTimer([&](TMicroTimer* s) {
        ++appels;
        s->~TMicroTimer();
        std::memset(memoire, 0x01, sizeof memoire);
    });
    t->SetEnabled(true);
    EXPECT_EQ(appels, 1);
    EXPECT_EQ(std::count(memoire, memoire + sizeof memoire, 0x01), std::ssize(memoire));
}

// Disabling stops the loop even with the handler removed; no handler: no loop.
TEST(MicroTimer, DisablingWorksWithoutHandler) {
    TMicroTimer sans;
    sans.SetEnabled(true);  // returns at once
    EXPECT_FALSE(sans.Enabled());
    for (const bool parEvenement : {false, true}) {
        TMicroTimer t;
        t.SetInterval(100);
        int appels = 0;
        t.SetOnTimer([&](TMicroTimer* s) {
            ++appels;
            s->SetOnTimer({});
            if (!parEvenement) s->SetEnabled(false);
        });
        if (parEvenement) QTimer::singleShot(1, [&] { t.SetEnabled(false); });
        t.SetEnabled(true);
        EXPECT_EQ(appels, 1) << parEvenement;
        EXPECT_FALSE(t.Enabled());
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::alarm(60);  // a timer loop that never returns ends the run: a failure
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
