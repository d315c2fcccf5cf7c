#include "folder/thumbnails_ahead.h"

#include <algorithm>

#include "imaging/thumbnail.h"

namespace trimora {

ThumbnailsAhead::ThumbnailsAhead(const std::vector<std::string>& listing, int first, int threads,
                                 int window, const std::atomic<bool>& stop)
    : listing_(listing),
      stop_(stop),
      window_(std::max(1, window)),
      slots_(listing.size()),
      next_(first),
      taken_(first) {
  for (int i = 0; i < threads; ++i) {
    try {
      threads_.emplace_back([this] { Work(); });
    } catch (const std::exception&) {
      break;  // fewer threads; Take makes the rest itself when none could start
    }
  }
}

ThumbnailsAhead::~ThumbnailsAhead() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

int ThumbnailsAhead::ThreadCount() {
  return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

void ThumbnailsAhead::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] {
      return ending_ || stop_ || next_ >= static_cast<int>(slots_.size()) ||
             next_ < taken_ + window_;
    });
    if (ending_ || stop_ || next_ >= static_cast<int>(slots_.size())) {
      changed_.notify_all();  // a Take waiting for a picture no one will make sees the stop
      return;
    }
    const int position = next_++;
    lock.unlock();
    Slot made;
    try {
      made.thumbnail = MakeThumbnail(listing_[static_cast<std::size_t>(position)]);
    } catch (...) {
      made.error = std::current_exception();
    }
    made.done = true;
    lock.lock();
    slots_[static_cast<std::size_t>(position)] = std::move(made);
    changed_.notify_all();
  }
}

std::optional<Picture> ThumbnailsAhead::Take(int position) {
  std::unique_lock lock(mutex_);
  Slot& slot = slots_[static_cast<std::size_t>(position)];
  if (threads_.empty() && !slot.done) {
    // No thread could be started: made here.
    lock.unlock();
    return MakeThumbnail(listing_[static_cast<std::size_t>(position)]);
  }
  // A position no thread has claimed yet after a stop will never be made.
  changed_.wait(lock, [&] { return slot.done || (stop_ && position >= next_); });
  if (!slot.done) return std::nullopt;
  taken_ = position + 1;
  changed_.notify_all();
  Slot taken = std::move(slot);
  slot = Slot();
  if (taken.error) std::rethrow_exception(taken.error);
  return std::move(taken.thumbnail);
}

}  // namespace trimora
