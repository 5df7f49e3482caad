#include "window/batch_runner.h"

#include <system_error>
#include <utility>

namespace vsl {

BatchRunner::BatchRunner(WindowModel& model, std::vector<std::string> paths, int progressIntervalMs,
                         QObject* parent)
    : QObject(parent), model_(model), paths_(std::move(paths)), progressIntervalMs_(progressIntervalMs) {}

BatchRunner::~BatchRunner() {
  cancel_ = true;
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  answered_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void BatchRunner::Start() {
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error& e) {
    // No thread for the load: the batch ends before its first file, with the reason.
    failure_ = std::make_exception_ptr(std::runtime_error(std::string("cannot start the load: ") + e.what()));
    QMetaObject::invokeMethod(this, &BatchRunner::Done, Qt::QueuedConnection);
  }
}

void BatchRunner::Answer(DamagedChoice choice) {
  {
    std::lock_guard lock(mutex_);
    answer_ = choice;
  }
  answered_.notify_all();
}

// On the batch's thread: asks through the window's thread and waits for the answer.
bool BatchRunner::AskDamaged(const std::string& message) {
  if (skipAll_) return true;
  std::unique_lock lock(mutex_);
  answer_.reset();
  Q_EMIT DamagedFile(QByteArray::fromStdString(message));
  answered_.wait(lock, [this] { return answer_.has_value() || closing_; });
  const DamagedChoice choice = answer_.value_or(DamagedChoice::Stop);
  skipAll_ = choice == DamagedChoice::SkipAll;
  stopped_ = choice == DamagedChoice::Stop;
  return !stopped_;
}

void BatchRunner::Run() {
  BatchOptions options;
  options.Result = &result_;
  options.Cancel = &cancel_;
  options.ProgressInterval = std::chrono::milliseconds(progressIntervalMs_);
  options.Progress = [this](int done, int total, const std::string& current) {
    Q_EMIT Progress(done, total, QByteArray::fromStdString(current));
  };
  options.SkipDamaged = [this](const std::string&, const std::string& message) {
    return AskDamaged(message);
  };
  try {
    model_.Button1Click(paths_, options);
  } catch (...) {
    failure_ = std::current_exception();
  }
  QMetaObject::invokeMethod(this, &BatchRunner::Done, Qt::QueuedConnection);
}

}  // namespace vsl
