#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "config/assignments.h"
#include "config/settings_store.h"
#include "device/hid_enumerator.h"
#include "device/hid_transport.h"
#include "device/receiver_family.h"
#include "device/thread_starter.h"

namespace corvan {

// The passes that bring the settings to every receiver present. No interface is kept open:
// each worker opens one interface, lets its family (if any) apply the settings, and closes
// it again, all under the push lock, so that at most one receiver is talked to at a time.
//
// Workers refer to the link, so it must outlive them; its destructor waits for the workers
// it started.
class ReceiverLink : public ReceiverPush {
 public:
  ReceiverLink(HidEnumerator& enumerator, Sleeper& sleeper, ThreadStarter& threads,
               std::mutex& pushLock, const Assignments& assignments,
               const std::atomic<int32_t>& shuttingDown);
  ~ReceiverLink() override;

  ReceiverLink(const ReceiverLink&) = delete;
  ReceiverLink& operator=(const ReceiverLink&) = delete;

  // The apply pass: one worker per present interface, all started at once. Returns without
  // opening anything, so the caller never waits for a receiver.
  void PushSettingsToReceivers() override;

  // A HID interface has just appeared: one worker brings it the current settings.
  void OnInterfaceArrived(std::u16string_view path);

  // The body of one worker. The settings are read after the lock is taken, so a worker
  // that waited behind others sends what is current, not what was current when it started.
  void PushWorker(std::u16string_view path);

  // The reset pass, on the caller's thread. It first waits for every worker started before
  // it, then runs under the push lock: a receiver always gets the last apply before its
  // reset, never the other way round. Must not be called from a worker.
  void ResetReceivers();

  // What the program does once asked to close: neutral settings to every receiver, then the
  // reset, 400 ms for the receivers to settle, and `endProgram`. `assignments` and
  // `shuttingDown` are the same objects the link was constructed with.
  void RunCloseSequence(Assignments& assignments, std::atomic<int32_t>& shuttingDown,
                        const std::function<void()>& endProgram);

 private:
  class WorkerTicket;

  void StartWorker(std::u16string path);
  ReceiverSettings CurrentSettings() const;
  uint64_t NextTicket() const;
  void WaitForWorkersBefore(uint64_t ticket);

  HidEnumerator& enumerator_;
  Sleeper& sleeper_;
  ThreadStarter& threads_;
  std::mutex& pushLock_;
  const Assignments& assignments_;
  const std::atomic<int32_t>& shuttingDown_;

  // Workers started and not yet finished, by the order in which they were started.
  mutable std::mutex workersMutex_;
  std::condition_variable workerFinished_;
  uint64_t nextTicket_ = 0;
  std::set<uint64_t> unfinished_;
};

}  // namespace corvan
