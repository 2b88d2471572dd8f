// Where a form's window opens on the monitors there are, and designed lengths at other DPIs.
#include "platform/ui/window_placement.h"

#include <gtest/gtest.h>

namespace quivra::ui {
namespace {

// Two monitors side by side, the primary one with a task bar at its bottom.
const Rect kPrimary{0, 0, 1920, 1040};
const Rect kSecond{1920, 0, 2560, 1400};

TEST(WindowPlacementTest, AWindowOnAMonitorStaysWhereItWanted) {
  const Screen screen{{kPrimary, kSecond}, {}};
  EXPECT_EQ(PlaceOnScreen({2400, 300, 680, 573}, screen), (Rect{2400, 300, 680, 573}));
}

TEST(WindowPlacementTest, AWindowPartlyOffItsMonitorMovesOntoItsWorkArea) {
  const Screen screen{{kPrimary, kSecond}, {}};
  // Below the task bar of the primary monitor: moved up just enough.
  EXPECT_EQ(PlaceOnScreen({100, 900, 400, 300}, screen), (Rect{100, 740, 400, 300}));
  // Mostly on the second monitor but past its right edge.
  EXPECT_EQ(PlaceOnScreen({4300, 100, 400, 300}, screen), (Rect{4080, 100, 400, 300}));
  // Larger than the work area: its top left corner shows.
  EXPECT_EQ(PlaceOnScreen({-50, -20, 2000, 1200}, screen), (Rect{0, 0, 2000, 1200}));
}

TEST(WindowPlacementTest, AWindowOnAMonitorThatIsGoneOpensCentredOnItsOwnersMonitor) {
  // Remembered on the second monitor, which has been unplugged.
  const Rect remembered{2400, 300, 680, 560};
  EXPECT_EQ(PlaceOnScreen(remembered, {{kPrimary}, {}}), (Rect{620, 240, 680, 560}));
  // With an owner on a monitor to the left of the primary one.
  const Rect left_monitor{-1280, 0, 1280, 1000};
  EXPECT_EQ(PlaceOnScreen(remembered, {{kPrimary, left_monitor}, left_monitor}),
            (Rect{-980, 220, 680, 560}));
  // Larger than the monitor it falls back to: its top left corner shows.
  EXPECT_EQ(PlaceOnScreen({5000, 5000, 1000, 900}, {{{0, 0, 800, 560}}, {}}),
            (Rect{0, 0, 1000, 900}));
}

TEST(WindowPlacementTest, WithoutMonitorInformationTheWantedPlaceIsKept) {
  EXPECT_EQ(PlaceOnScreen({-5000, 10, 300, 200}, {}), (Rect{-5000, 10, 300, 200}));
}

TEST(WindowPlacementTest, DesignedLengthsScaleToTheMonitorsDpiAndBack) {
  EXPECT_EQ(ScaleToDpi(75, 96), 75);
  EXPECT_EQ(ScaleToDpi(75, 144), 113);  // 112.5 rounds up
  EXPECT_EQ(ScaleToDpi(-75, 144), -113);
  EXPECT_EQ(ScaleToDpi(13, 120), 16);  // 16.25
  EXPECT_EQ(ScaleToDpi(Rect{10, 20, 680, 573}, 192), (Rect{20, 40, 1360, 1146}));
  EXPECT_EQ(UnscaleFromDpi(113, 144), 75);
  EXPECT_EQ(UnscaleFromDpi(1360, 192), 680);
  EXPECT_EQ(UnscaleFromDpi(50, 0), 50);
}

}  // namespace
}  // namespace quivra::ui
