// The strip's thumbnails made ahead on several threads: taken in listing order, each equal to
// the thumbnail made alone, undecodable files reported at their place, and a stop that ends
// the work without waiting for pictures no thread has begun.
#include "folder/thumbnails_ahead.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/thumbnail.h"
#include "platform/error.h"

namespace trimora {
namespace {

namespace fs = std::filesystem;

class ThumbnailsAheadTest : public ::testing::Test {
 protected:
  ThumbnailsAheadTest() {
    std::string pattern = (fs::temp_directory_path() / "trimora-ahead-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
  }
  ~ThumbnailsAheadTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  // A copy of the sample photograph `sample` under the name `name`.
  std::string Copy(const std::string& sample, const std::string& name) {
    const std::string to = folder_ + "/" + name;
    fs::copy_file(std::string(TRIMORA_TESTDATA_DIR) + "/photos/" + sample, to);
    return to;
  }
  static bool Same(const Picture& a, const Picture& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y) {
      if (std::memcmp(a.row(y), b.row(y), static_cast<std::size_t>(a.width()) * 4) != 0)
        return false;
    }
    return true;
  }
  std::string folder_;
};

TEST_F(ThumbnailsAheadTest, TakenInListingOrderAsMadeAlone) {
  const char* samples[] = {"canon-ixus.jpg",     "plain-landscape.jpg", "not-a-jpeg.jpg",
                           "plain-portrait.jpg", "nikon-e950.jpg",      "empty.jpg",
                           "fujifilm-dx10.jpg",  "casio-ex-m2.jpg",     "sanyo-vpcg250.jpg"};
  std::vector<std::string> listing;
  for (int round = 0; round < 3; ++round) {
    for (const char* sample : samples) {
      listing.push_back(Copy(sample, std::to_string(listing.size()) + ".jpg"));
    }
  }
  // Several thread counts and windows, starting behind the first picture as the strip does.
  for (const auto& [threads, window] : {std::pair{1, 1}, std::pair{2, 8}, std::pair{4, 3}}) {
    SCOPED_TRACE(std::to_string(threads) + " threads, window " + std::to_string(window));
    const std::atomic<bool> stop{false};
    ThumbnailsAhead ahead(listing, 1, threads, window, stop);
    for (std::size_t i = 1; i < listing.size(); ++i) {
      SCOPED_TRACE(listing[i]);
      bool alone = true;
      Picture expected;
      try {
        expected = MakeThumbnail(listing[i]);
      } catch (const Error&) {
        alone = false;
      }
      if (alone) {
        const std::optional<Picture> made = ahead.Take(static_cast<int>(i));
        ASSERT_TRUE(made.has_value());
        EXPECT_TRUE(Same(*made, expected));
      } else {
        EXPECT_THROW(ahead.Take(static_cast<int>(i)), Error);
      }
    }
  }
}

TEST_F(ThumbnailsAheadTest, AStopEndsTheWorkAfterThePicturesInFlight) {
  std::vector<std::string> listing;
  for (int i = 0; i < 40; ++i)
    listing.push_back(Copy("casio-ex-m2.jpg", std::to_string(i) + ".jpg"));
  std::atomic<bool> stop{false};
  {
    ThumbnailsAhead ahead(listing, 0, 2, 4, stop);
    ASSERT_TRUE(ahead.Take(0).has_value());
    stop = true;
    // At most the window's pictures were begun; the rest is never made and Take does not wait.
    int made = 0;
    for (int i = 1; i < 40; ++i) {
      if (ahead.Take(i).has_value())
        ++made;
      else
        break;
    }
    EXPECT_LE(made, 5);
  }  // the destructor waits for the pictures in flight
}

}  // namespace
}  // namespace trimora
