#include "toolkit/system.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"

namespace orv {
namespace {

TEST(IsWindowsNT, NeedsASuccessfulCallThatReportsTheNtPlatform) {
  test::FakeSystem system;
  system.version = {1, 2};
  EXPECT_EQ(IsWindowsNT(system), kTrue);
  system.version = {1, 1};  // the Windows 95 family
  EXPECT_EQ(IsWindowsNT(system), kFalse);
  system.version = {0, 2};  // the call failed
  EXPECT_EQ(IsWindowsNT(system), kFalse);
  system.version = {2, 2};  // anything but exactly 1 counts as failure
  EXPECT_EQ(IsWindowsNT(system), kFalse);
}

TEST(SetScreenSaverStopped, SendsTheComplementOfTheFlag) {
  test::FakeSystem system;
  SetScreenSaverStopped(system, kTrue);
  SetScreenSaverStopped(system, kFalse);
  EXPECT_EQ(system.calls, (std::vector<std::string>{"SPI 97 0", "SPI 97 -1"}));
}

}  // namespace
}  // namespace orv
