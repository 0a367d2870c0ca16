#include <gtest/gtest.h>

#include "core/Timer.h"
#include "core/Utils.h"
#include "support/TestClock.h"

// The global forms take the intensity first and the interval second, on the shared flux timer.
TEST(FluxTimer, GlobalWavesTakeIntensityThenInterval) {
  TestClock clock;
  Timer& flux = getFluxTimer();
  EXPECT_EQ(flux.totalTime(), 3000);
  flux.set(0);
  EXPECT_NEAR(sinFlux(2.0f, 1000.0f), 0.0f, 1e-4);
  EXPECT_NEAR(cosFlux(2.0f, 1000.0f), 2.0f, 1e-4);
  clock.advance(250);
  EXPECT_NEAR(sinFlux(2.0f, 1000.0f), 2.0f, 1e-4);
  EXPECT_NEAR(cosFlux(2.0f, 1000.0f), 0.0f, 1e-4);
  clock.advance(125);
  EXPECT_NEAR(sinFlux(2.0f, 1000.0f), 1.41421f, 1e-3);
}

// A timer that is not set is started by the first wave asked of it.
TEST(FluxTimer, UnsetTimerIsStartedAtZero) {
  TestClock clock;
  Timer timer;
  ASSERT_FALSE(timer.isSet());
  EXPECT_NEAR(cosFlux(timer, 400.0f, 3.0f), 3.0f, 1e-4);
  EXPECT_TRUE(timer.isSet());
  clock.advance(100);
  EXPECT_NEAR(cosFlux(timer, 400.0f, 3.0f), 0.0f, 1e-4);
}
