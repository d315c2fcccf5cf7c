// The strip's thumbnails made ahead of the file-list thread on a few threads, one per core,
// and taken by it in listing order.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "imaging/picture.h"

namespace trimora {

class ThumbnailsAhead {
 public:
  // Makes the thumbnails (MakeThumbnail) of the listing from position `first` on `threads`
  // threads, at most `window` positions ahead of the last one taken. A set `stop` ends the
  // work after the pictures in flight.
  ThumbnailsAhead(const std::vector<std::string>& listing, int first, int threads, int window,
                  const std::atomic<bool>& stop);
  // Stops the threads after the pictures in flight and waits for them.
  ~ThumbnailsAhead();
  ThumbnailsAhead(const ThumbnailsAhead&) = delete;
  ThumbnailsAhead& operator=(const ThumbnailsAhead&) = delete;

  // The thumbnail of listing position `position` (taken in increasing order, from `first`);
  // throws what MakeThumbnail threw for it. Nothing when a stop came before it was made.
  std::optional<Picture> Take(int position);

  // The threads for the thumbnails: one per core.
  static int ThreadCount();

 private:
  struct Slot {
    bool done = false;
    Picture thumbnail;
    std::exception_ptr error;
  };
  void Work();

  const std::vector<std::string>& listing_;
  const std::atomic<bool>& stop_;
  const int window_;
  std::vector<Slot> slots_;  // by listing position
  std::mutex mutex_;
  std::condition_variable changed_;
  int next_;   // the next position to make
  int taken_;  // positions below this one were taken
  bool ending_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace trimora
