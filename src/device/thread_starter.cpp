#include "device/thread_starter.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace corvan {

JoiningThreadStarter::~JoiningThreadStarter() {
  std::vector<Worker> workers;
  {
    std::lock_guard lock(mutex_);
    workers.swap(workers_);
  }
  for (Worker& worker : workers) worker.thread.join();
}

void JoiningThreadStarter::Start(std::function<void()> job) {
  std::lock_guard lock(mutex_);
  JoinFinished();
  auto finished = std::make_shared<std::atomic<bool>>(false);
  try {
    std::thread thread([job = std::move(job), finished]() mutable {
      job();
      job = nullptr;
      finished->store(true, std::memory_order_release);
    });
    workers_.push_back({std::move(thread), std::move(finished)});
  } catch (const std::system_error&) {
    // The job went with the exception; its worker counts as finished.
  }
}

size_t JoiningThreadStarter::UnjoinedThreads() const {
  std::lock_guard lock(mutex_);
  return workers_.size();
}

void JoiningThreadStarter::JoinFinished() {
  auto running = std::partition(workers_.begin(), workers_.end(), [](const Worker& worker) {
    return worker.finished->load(std::memory_order_acquire);
  });
  for (auto it = workers_.begin(); it != running; ++it) it->thread.join();
  workers_.erase(workers_.begin(), running);
}

}  // namespace corvan
