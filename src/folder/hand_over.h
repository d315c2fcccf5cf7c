// Blocking hand-overs from a worker thread to the main thread: the worker queues a step and
// waits until the main thread has run it. The main thread runs queued steps whenever it is
// woken, and keeps running them while it waits for the worker to end.
#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace trimora {

// A queue of steps that worker threads hand to the thread that owns the queue.
class HandOverQueue {
 public:
  // `wake` is called on the worker thread after a step was queued (it must be thread-safe,
  // e.g. post an event to the main thread that calls RunPending). May be empty.
  explicit HandOverQueue(std::function<void()> wake = {});

  // Worker side: queues `step` and blocks until the owning thread has run it. An exception
  // thrown by the step comes back to the worker.
  void Run(std::function<void()> step);

  // Owner side: runs every step queued so far; returns how many ran.
  int RunPending();

  // Owner side: runs queued steps until `done()` holds, sleeping between them. `done` is
  // checked under the queue's lock after every step and whenever NotifyChanged is called.
  void RunUntil(const std::function<bool()>& done);

  // Wakes a RunUntil (call after a change that `done` looks at, from any thread).
  void NotifyChanged();

 private:
  struct Item {
    std::function<void()> step;
    bool done = false;
    std::exception_ptr error;
  };

  std::function<void()> wake_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item*> queue_;
};

}  // namespace trimora
