#include "device/receiver_link.h"

#include <utility>
#include <vector>

#include "config/shutting_down.h"

namespace corvan {
namespace {

constexpr uint32_t kCloseSettleMs = 400;

}  // namespace

// Held by a worker's job. The worker is finished when the last copy of its job is gone,
// whether it ran or was never started.
class ReceiverLink::WorkerTicket {
 public:
  explicit WorkerTicket(ReceiverLink& link) : link_(link) {
    std::lock_guard lock(link_.workersMutex_);
    number_ = link_.nextTicket_++;
    link_.unfinished_.insert(number_);
  }

  ~WorkerTicket() {
    // Notified under the lock: a destructor of the link waiting for this ticket cannot
    // return before the notification is complete.
    std::lock_guard lock(link_.workersMutex_);
    link_.unfinished_.erase(number_);
    link_.workerFinished_.notify_all();
  }

  WorkerTicket(const WorkerTicket&) = delete;
  WorkerTicket& operator=(const WorkerTicket&) = delete;

 private:
  ReceiverLink& link_;
  uint64_t number_ = 0;
};

ReceiverLink::ReceiverLink(HidEnumerator& enumerator, Sleeper& sleeper, ThreadStarter& threads,
                           std::mutex& pushLock, const Assignments& assignments,
                           const std::atomic<int32_t>& shuttingDown)
    : enumerator_(enumerator),
      sleeper_(sleeper),
      threads_(threads),
      pushLock_(pushLock),
      assignments_(assignments),
      shuttingDown_(shuttingDown) {}

ReceiverLink::~ReceiverLink() {
  std::unique_lock lock(workersMutex_);
  workerFinished_.wait(lock, [this] { return unfinished_.empty(); });
}

void ReceiverLink::PushSettingsToReceivers() {
  for (std::u16string& path : enumerator_.ListInterfacePaths()) StartWorker(std::move(path));
}

void ReceiverLink::OnInterfaceArrived(std::u16string_view path) {
  StartWorker(std::u16string(path));
}

void ReceiverLink::StartWorker(std::u16string path) {
  auto ticket = std::make_shared<WorkerTicket>(*this);
  threads_.Start([this, path = std::move(path), ticket = std::move(ticket)] { PushWorker(path); });
}

ReceiverSettings ReceiverLink::CurrentSettings() const {
  const bool closing = shuttingDown_.load() != kRunning;
  return ReceiverSettings{
      // Once the program closes (or has crashed), no receiver is told that a side button lost its
      // job, whatever a save still under way computes.
      .flagByte = closing ? uint8_t{0} : static_cast<uint8_t>(assignments_.flagByte.load() & 0xFF),
      .buttonOrder = assignments_.buttonOrder.load(),
      .shuttingDown = closing,
  };
}

void ReceiverLink::PushWorker(std::u16string_view path) {
  std::lock_guard lock(pushLock_);
  std::optional<OpenedHidInterface> opened = enumerator_.Open(path);
  if (!opened) return;
  ApplyToInterface(*opened->transport, opened->facts, CurrentSettings(), sleeper_);
  enumerator_.Close(*opened);
}

uint64_t ReceiverLink::NextTicket() const {
  std::lock_guard lock(workersMutex_);
  return nextTicket_;
}

void ReceiverLink::WaitForWorkersBefore(uint64_t ticket) {
  std::unique_lock lock(workersMutex_);
  workerFinished_.wait(lock, [&] { return unfinished_.empty() || *unfinished_.begin() >= ticket; });
}

void ReceiverLink::ResetReceivers() {
  // The lock alone would not do: workers that have not reached it yet, or that wait for it
  // beside this pass, could run after the reset and leave a receiver applied.
  WaitForWorkersBefore(NextTicket());
  std::lock_guard lock(pushLock_);
  for (const std::u16string& path : enumerator_.ListInterfacePaths()) {
    std::optional<OpenedHidInterface> opened = enumerator_.Open(path);
    if (!opened) continue;
    ResetInterface(*opened->transport, opened->facts, CurrentSettings(), sleeper_);
    enumerator_.Close(*opened);
  }
}

void ReceiverLink::RunCloseSequence(Assignments& assignments, std::atomic<int32_t>& shuttingDown,
                                    const std::function<void()>& endProgram) {
  assignments.flagByte = 0;
  // Only from running: the single-instance listener may already have recorded that it
  // ended (2), and the window's cancel step waits for exactly that value.
  int32_t expected = kRunning;
  shuttingDown.compare_exchange_strong(expected, kClosing);
  PushSettingsToReceivers();
  ResetReceivers();
  sleeper_.SleepMs(kCloseSettleMs);
  endProgram();
}

}  // namespace corvan
