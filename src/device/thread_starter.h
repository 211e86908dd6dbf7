#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace corvan {

// Starts a job that nobody waits for. Once the job has run (or could not be started) the
// starter drops it; the receiver link counts a worker as finished when its job is destroyed.
class ThreadStarter {
 public:
  virtual ~ThreadStarter() = default;
  virtual void Start(std::function<void()> job) = 0;
};

// A thread per job, and every thread joined: those already finished at the next start, the
// rest when the starter is destroyed. Threads are never detached: the Windows build's thread
// library can hand the record of a detached thread that is still exiting to the next thread
// it starts, which then runs without its job. When no thread can be started the job is
// dropped, as any other failed platform call would be.
class JoiningThreadStarter : public ThreadStarter {
 public:
  JoiningThreadStarter() = default;
  ~JoiningThreadStarter() override;

  JoiningThreadStarter(const JoiningThreadStarter&) = delete;
  JoiningThreadStarter& operator=(const JoiningThreadStarter&) = delete;

  void Start(std::function<void()> job) override;

  // Threads started and not yet joined.
  size_t UnjoinedThreads() const;

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> finished;
  };

  void JoinFinished();

  mutable std::mutex mutex_;
  std::vector<Worker> workers_;
};

}  // namespace corvan
