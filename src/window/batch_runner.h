#pragma once
// The window's load: one batch, run on a thread of its own while the window's event loop goes on. Its
// progress, the question about a damaged file and its end reach the window as queued signals; the
// question is answered on the window's thread while the batch waits for the answer.

#include <QByteArray>
#include <QObject>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/window_model.h"

namespace vsl {

enum class DamagedChoice { Stop, Skip, SkipAll };

class BatchRunner : public QObject {
  Q_OBJECT
 public:
  // Loads `paths` into `model`, which nothing else may touch until Done.
  BatchRunner(WindowModel& model, std::vector<std::string> paths, int progressIntervalMs,
              QObject* parent = nullptr);
  // Cancels the batch, answers Stop to a question still open, and waits for the thread.
  ~BatchRunner() override;

  void Start();
  void Cancel() { cancel_ = true; }
  // The answer to DamagedFile; with SkipAll, no further damaged file of this batch is asked about.
  void Answer(DamagedChoice choice);

  // After Done: what the batch loaded and skipped, and how it ended.
  const BatchResult& Result() const { return result_; }
  std::exception_ptr Failure() const { return failure_; }
  // The referee stopped the batch at a damaged file: its box was the report.
  bool Stopped() const { return stopped_; }
  // Cancel was pressed while the batch ran.
  bool Cancelled() const { return cancel_; }

 Q_SIGNALS:
  // `done` files of `total` loaded, `current` the path of the one being waited for, as bytes.
  void Progress(int done, int total, const QByteArray& current);
  // A damaged file (`message` names it, as bytes): skip it, skip every further one, or stop there?
  // Answer() says.
  void DamagedFile(const QByteArray& message);
  void Done();

 private:
  bool AskDamaged(const std::string& message);
  void Run();

  WindowModel& model_;
  const std::vector<std::string> paths_;
  const int progressIntervalMs_;
  std::thread thread_;
  std::atomic<bool> cancel_{false};
  BatchResult result_;
  std::exception_ptr failure_;
  bool stopped_ = false;  // written by the batch's thread before Done
  bool skipAll_ = false;  // the batch's thread only
  std::mutex mutex_;
  std::condition_variable answered_;
  std::optional<DamagedChoice> answer_;  // guarded by mutex_
  bool closing_ = false;                 // guarded by mutex_
};

}  // namespace vsl
