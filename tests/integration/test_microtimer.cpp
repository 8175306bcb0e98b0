// The micro timer: the loop runs inside the call that enables it, keeps
// processing events while it waits, and deducts the handler's duration from
// the next wait.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <thread>

#include "comm/MicroTimer.h"

using namespace orvane;

TEST(MicroTimer_, WithoutHandlerEnablingDoesNothing) {
    TMicroTimer t;
    EXPECT_EQ(t.Interval(), 20);
    t.SetEnabled(true);  // returns at once
    EXPECT_FALSE(t.Enabled());
}

TEST(MicroTimer_, HandlerThatDisablesIsNotCalledAgain) {
    TMicroTimer t;
    t.SetInterval(200);
    int appels = 0;
    t.SetOnTimer([&](TMicroTimer* s) {
        EXPECT_EQ(s, &t);
        if (++appels == 3) s->SetEnabled(false);
    });
    t.SetEnabled(true);
    EXPECT_EQ(appels, 3);
    EXPECT_FALSE(t.Enabled());
}

TEST(MicroTimer_, LongHandlerMakesTheNextWaitNegative) {
    TMicroTimer t;
    t.SetInterval(1000);
    std::vector<int64_t> attentes;
    t.SetOnTimer([&](TMicroTimer* s) {
        attentes.push_back(s->DerniereAttente());
        if (attentes.size() == 2) s->SetEnabled(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    t.SetEnabled(true);
    ASSERT_EQ(attentes.size(), 2u);
    EXPECT_EQ(attentes[0], 1000);  // the first period waits the whole interval
    EXPECT_LT(attentes[1], -3000);
}

TEST(MicroTimer_, EventsRunWhileWaitingAndCanStopTheTimer) {
    TMicroTimer t;
    t.SetInterval(100);
    int appels = 0;
    t.SetOnTimer([&](TMicroTimer*) { ++appels; });
    bool vu = false;
    QTimer::singleShot(20, [&] {
        vu = true;
        t.SetEnabled(false);
    });
    t.SetEnabled(true);
    EXPECT_TRUE(vu);
    EXPECT_GT(appels, 0);
    EXPECT_FALSE(t.Enabled());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
