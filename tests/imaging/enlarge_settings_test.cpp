#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "imaging/enlarge.h"
#include "imaging_test_support.h"
#include "platform/settings.h"

namespace trimora {
namespace {

// The real settings store in a temporary configuration home.
class EnlargeSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) old_ = old;
    setenv("XDG_CONFIG_HOME", home_.file("config").c_str(), 1);
  }
  void TearDown() override {
    if (old_)
      setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }

 private:
  testing::TempFolder home_;
  std::optional<std::string> old_;
};

TEST_F(EnlargeSettings, MissingValuesGiveWhiteStripesOnBothSides) {
  EXPECT_EQ(LoadEnlargeOptions(), (EnlargeOptions{StripeColorAt(0), true, true}));
}

TEST_F(EnlargeSettings, StoredValuesAreRead) {
  WriteIntSetting("Enlarge\\Color", 3);
  WriteBoolSetting("Enlarge\\Left", false);
  EXPECT_EQ(LoadEnlargeOptions(), (EnlargeOptions{StripeColorAt(3), false, true}));
  WriteIntSetting("Enlarge\\Right", 2);  // a flag is set only when it is exactly 1
  WriteIntSetting("Enlarge\\Left", 1);
  EXPECT_EQ(LoadEnlargeOptions(), (EnlargeOptions{StripeColorAt(3), true, false}));
}

TEST_F(EnlargeSettings, AColourIndexOutsideTheTableGivesWhite) {
  WriteIntSetting("Enlarge\\Color", 9);
  EXPECT_EQ(LoadEnlargeOptions().color, StripeColorAt(0));
  WriteStringSetting("Enlarge\\Color", "blau");
  EXPECT_EQ(LoadEnlargeOptions().color, StripeColorAt(0));
}

}  // namespace
}  // namespace trimora
