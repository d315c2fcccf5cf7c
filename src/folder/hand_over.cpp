#include "folder/hand_over.h"

namespace trimora {

HandOverQueue::HandOverQueue(std::function<void()> wake) : wake_(std::move(wake)) {}

void HandOverQueue::Run(std::function<void()> step) {
  Item item{std::move(step), false, nullptr};
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(&item);
  }
  changed_.notify_all();
  if (wake_) wake_();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return item.done; });
  if (item.error) std::rethrow_exception(item.error);
}

int HandOverQueue::RunPending() {
  int count = 0;
  for (;;) {
    Item* item = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return count;
      item = queue_.front();
      queue_.pop_front();
    }
    try {
      item->step();
    } catch (...) {
      item->error = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      item->done = true;
    }
    changed_.notify_all();
    ++count;
  }
}

void HandOverQueue::RunUntil(const std::function<bool()>& done) {
  for (;;) {
    RunPending();
    std::unique_lock lock(mutex_);
    if (done()) return;
    changed_.wait(lock, [&] { return !queue_.empty() || done(); });
    if (queue_.empty() && done()) return;
  }
}

void HandOverQueue::NotifyChanged() {
  { std::lock_guard lock(mutex_); }
  changed_.notify_all();
}

}  // namespace trimora
