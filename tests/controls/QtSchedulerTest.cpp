#include <gtest/gtest.h>

#include <QTest>

#include "qt/QtScheduler.h"

namespace {

// Zero-delay timers only: the order, cancelling and teardown are checked, never a duration.
TEST(QtSchedulerTest, RunsFromTheEventLoopInOrderAndCancels) {
  QtScheduler scheduler;
  std::vector<int> ran;
  scheduler.callAfter(0, [&] { ran.push_back(1); });
  Scheduler::TimerId dropped = scheduler.callAfter(0, [&] { ran.push_back(2); });
  scheduler.callAfter(-5, [&] {
    ran.push_back(3);
    scheduler.callAfter(0, [&] { ran.push_back(4); });
  });
  EXPECT_TRUE(ran.empty()); // never inside callAfter
  EXPECT_NE(dropped, 0u);
  scheduler.cancel(dropped);
  scheduler.cancel(dropped);
  scheduler.cancel(12345);
  EXPECT_EQ(scheduler.pending(), 2u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ran.size() >= 3; }, 5000));
  EXPECT_EQ(ran, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(scheduler.pending(), 0u);
}

TEST(QtSchedulerTest, PendingCallbacksDieWithTheScheduler) {
  bool ran = false;
  {
    QtScheduler scheduler;
    scheduler.callAfter(0, [&] { ran = true; });
  }
  QTest::qWait(0);
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
}

} // namespace
