// "Load File": a batch of saves, loaded and parsed by worker threads and applied in selection order.
// Each file's result depends on the file alone, so the rows, the settings the parses derive, the
// errors and the point where a failing batch stops are those of loading the files one by one, whatever
// the number of threads and however the workers wait for memory.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/window_model.h"
#include "save/analyse.h"
#include "save/file_info.h"
#include "save/load.h"
#include "save/parse_state.h"
#include "save/save_error.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

// The memory the workers' file and image buffers may take together. A worker grows its share without
// waiting or, holding nothing, waits for the whole share a file needs; a file larger than the budget
// runs when nothing else is in flight. A worker that found no memory even so asks to run alone: the
// others give their shares back at their next file and wait until it is done.
class MemoryBudget {
 public:
  explicit MemoryBudget(size_t limit) : limit_(limit) {}

  // Grows `held` to `bytes` if that fits now; false (nothing changed) when the caller must wait. The
  // worker that runs alone grows as it needs.
  bool TryGrow(size_t& held, size_t bytes, bool alone) {
    std::lock_guard lock(mutex_);
    if (!alone && (aloneWaiting_ > 0 || alone_)) return false;
    if (!alone && bytes > held && inFlight_ != held && inFlight_ - held + bytes > limit_) return false;
    if (bytes > held) {
      inFlight_ += bytes - held;
      held = bytes;
    }
    return true;
  }

  // Gives back `held` and waits for `bytes`; with `alone`, until no other worker holds any.
  void Acquire(size_t& held, size_t bytes, bool alone) {
    std::unique_lock lock(mutex_);
    ReleaseLocked(held);
    if (alone) ++aloneWaiting_;
    freed_.wait(lock, [&] {
      if (alone_) return false;
      if (alone) return inFlight_ == 0;
      return aloneWaiting_ == 0 && (inFlight_ == 0 || inFlight_ + bytes <= limit_);
    });
    if (alone) {
      --aloneWaiting_;
      alone_ = true;
    }
    inFlight_ += bytes;
    held = bytes;
  }

  // Gives back `held`, and the run alone when `alone`.
  void Release(size_t& held, bool alone) {
    std::lock_guard lock(mutex_);
    ReleaseLocked(held);
    if (alone) alone_ = false;
  }

 private:
  void ReleaseLocked(size_t& held) {
    inFlight_ -= held;
    held = 0;
    freed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable freed_;
  size_t limit_;
  size_t inFlight_ = 0;
  int aloneWaiting_ = 0;
  bool alone_ = false;
};

// Why a file failed: a file that is unreadable or damaged can be skipped; a setting that does not
// convert would fail every file and always ends the batch.
enum class Failure { None, Damaged, Setting };

// What one file gives: its row and the settings as its parse and audit left them.
struct FileResult {
  TSaveDataRec row;       // the file's name and date once it loaded, then what the parse wrote
  LadderSettings ladder;  // the batch's, with the file's maxima once its statistics stood
  AuditSettings audit;    // the batch's, as the file's audit left them
  bool parsed = false;    // the file loaded and its parse ran: `row` is the row as far as it got
  bool derived = false;   // its statistics stood: `ladder` holds its maxima
  bool audited = false;   // its audit ran: `audit` holds what it converted
  Failure failure = Failure::None;
  std::string reason;
  bool finished = false;  // guarded by the pipeline's mutex
};

// A parse reports damage as SaveError; a ConvertError, or arithmetic that fails in the audit (absurd
// settings such as "1e30" sessions a day), comes from the settings and would fail every file.
Failure Classify(const std::exception& e) {
  const bool setting =
      dynamic_cast<const ConvertError*>(&e) != nullptr || dynamic_cast<const MathError*>(&e) != nullptr;
  return setting ? Failure::Setting : Failure::Damaged;
}

// What every file of a batch starts from.
struct BatchInputs {
  AuditEdits edits;
  char separator;
  LadderSettings ladder;
  AuditSettings audit;
};

// One worker: file after file into the same buffers, whose memory is its share of the budget.
class Worker {
 public:
  Worker(MemoryBudget& budget, const BatchInputs& in) : budget_(budget), in_(in) {}
  ~Worker() { budget_.Release(held_, false); }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  void Run(const std::string& path, FileResult& r) {
    LoadAndParse(path, r);
    if (alone_) {
      // A file loaded alone gives its memory and the run alone back at once.
      fileBytes_ = {};
      save_.Image = {};
      budget_.Release(held_, true);
      alone_ = false;
    }
  }

 private:
  void LoadAndParse(const std::string& path, FileResult& r) {
    r.ladder = in_.ladder;
    r.audit = in_.audit;
    try {
      Load(path);
    } catch (const FileError& e) {
      r.failure = Failure::Damaged;
      r.reason = e.Reason();
      return;
    } catch (const std::exception& e) {
      r.failure = Classify(e);
      r.reason = e.what();
      return;
    }
    r.row.FileName = save_.FileName;
    r.row.FileDate = save_.FileDate;
    r.parsed = true;
    try {
      SaveAnalyse(save_.Image, save_.BodyOffset, r.row, *state_, r.ladder);
      r.derived = true;
      r.audited = true;
      RControl(r.row, in_.edits, in_.separator, r.audit);
    } catch (const std::exception& e) {
      r.failure = Classify(e);
      r.reason = e.what();
    }
  }

  // Loads `path` into the buffers within the budget; a file that finds no memory is loaded again
  // alone, and only then fails for it.
  void Load(const std::string& path) {
    std::error_code ignored;
    const uintmax_t stated = std::filesystem::file_size(path, ignored);
    const size_t fileSize = stated > static_cast<uintmax_t>(kMaxSaveFileBytes) ? 0 : stated;
    size_t imageSize = 0;
    for (;;) {
      try {
        if (!Fits(fileSize, imageSize)) {
          Wait(fileSize + imageSize);
          continue;
        }
        ReadSaveFile(path, fileBytes_);
        imageSize = ReadLayout(fileBytes_).ImageBytes();
        if (!Fits(fileBytes_.size(), imageSize)) {
          Wait(fileBytes_.size() + imageSize);
          continue;
        }
        Unwrap(fileBytes_, save_);
        break;
      } catch (const OutOfMemoryError& e) {
        if (alone_) throw FileError(path, e.what());
        alone_ = true;
        Wait(fileSize + imageSize);
      } catch (const SaveError& e) {
        throw FileError(path, e.what());
      }
    }
    save_.FileName = BaseName(path, BaseNameStart(path));
    save_.FileDate = FileDate(path);  // throws FileError itself
  }

  // Whether buffers for a file of `file` bytes and an image of `image` bytes fit the share, grown
  // without waiting where it must grow.
  bool Fits(size_t file, size_t image) {
    const size_t need = std::max(file, fileBytes_.capacity()) + std::max(image, save_.Image.capacity());
    return budget_.TryGrow(held_, need, alone_);
  }
  // Frees the buffers and waits for a share of `bytes`.
  void Wait(size_t bytes) {
    fileBytes_ = {};
    save_.Image = {};
    budget_.Acquire(held_, bytes, alone_);
  }
  MemoryBudget& budget_;
  const BatchInputs& in_;
  size_t held_ = 0;
  bool alone_ = false;  // this file runs alone, after it found no memory beside the others
  std::vector<uint8_t> fileBytes_;
  LoadedSave save_;
  std::unique_ptr<ParseState> state_ = std::make_unique<ParseState>();
};

}  // namespace

BatchResult WindowModel::Button1Click(const std::vector<std::string>& paths, const BatchOptions& options) {
  if (paths.empty()) return {};
  inputs_.SetSaves(paths);
  ClearList(saveCount_);
  saveCount_ = 0;
  edits_.Edit1 = DirectoryOf(paths.front());

  const size_t n = std::min(paths.size(), static_cast<size_t>(kMaxFiles));
  BatchResult result;
  result.LeftOut = static_cast<int>(paths.size() - n);
  const BatchInputs inputs{CurrentAuditEdits(), locale_->DecimalSeparator(), ladder_, audit_};
  MemoryBudget budget(options.MemoryBudget);
  std::vector<FileResult> results(n);
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<size_t> next{0};
  std::atomic<size_t> stopAfter{n};  // files after a batch-ending failure need not be loaded

  const auto work = [&] {
    Worker worker(budget, inputs);
    for (size_t i = next++; i < n && i <= stopAfter.load(); i = next++) {
      FileResult& r = results[i];
      worker.Run(paths[i], r);
      // A damaged file ends the batch unless it may be skipped (always, or as the caller answers).
      const bool maySkip = options.KeepGoing || options.SkipDamaged != nullptr;
      if (r.failure == Failure::Setting || (r.failure == Failure::Damaged && !maySkip)) {
        size_t current = stopAfter.load();
        while (i < current && !stopAfter.compare_exchange_weak(current, i)) {
        }
      }
      std::lock_guard lock(mutex);
      r.finished = true;
      finished.notify_all();
    }
  };
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t threads = std::min<size_t>(options.Threads == 0 ? cores : options.Threads, n);
  std::vector<std::jthread> pool;
  for (size_t t = 0; t < threads; ++t) pool.emplace_back(work);

  // Results are applied in selection order, each on the state the files before it left.
  std::optional<BatchFileError> error;
  bool settingFailed = false;  // the batch ended because a setting fails every file, not for the file
  auto last = std::chrono::steady_clock::now();
  const auto progress = [&](size_t i) {
    if (options.Progress) options.Progress(static_cast<int>(i), static_cast<int>(n), paths[i]);
    last = std::chrono::steady_clock::now();
  };
  // A cancel ends the batch with the files applied so far, as a failure would, without an error.
  const auto cancelled = [&] { return options.Cancel != nullptr && options.Cancel->load(); };
  for (size_t i = 0; i < n && !error && !cancelled(); ++i) {
    {
      std::unique_lock lock(mutex);
      while (!finished.wait_for(lock, options.ProgressInterval, [&] { return results[i].finished; })) {
        lock.unlock();
        progress(i);
        lock.lock();
        if (cancelled()) break;
      }
    }
    if (cancelled()) break;
    if (std::chrono::steady_clock::now() - last >= options.ProgressInterval) progress(i);
    FileResult& r = results[i];
    if (r.failure == Failure::Damaged) {
      const std::string message = FileMessage(paths[i], r.reason);
      if (options.KeepGoing || (options.SkipDamaged && options.SkipDamaged(paths[i], message))) {
        result.Skipped.push_back({paths[i], message});
        continue;
      }
    }
    TSaveDataRec& slot = rows_[static_cast<size_t>(result.Loaded)];
    if (r.parsed) slot = std::move(r.row);
    rowPaths_[static_cast<size_t>(result.Loaded)] = paths[i];
    if (r.derived) {
      ladder_ = r.ladder;
      result.Maxima =
          MaximaSource{paths[i], slot.FileName, slot.GameSpeed, slot.MapWidth, slot.MapHeight, slot.EndTurn};
    }
    if (r.audited) audit_ = r.audit;
    if (r.failure == Failure::None) {
      ++result.Loaded;
    } else {
      error.emplace(paths[i], r.reason);
      settingFailed = r.failure == Failure::Setting;
    }
  }
  stopAfter = 0;
  pool.clear();  // joins; the workers skip the files after a batch-ending failure

  saveCount_ = result.Loaded;
  // Every curve goes; the rendering draws those of the new rows again. Should the rendering fail, no
  // curve of the previous batch stays under its old name.
  chart_.HideFrom(0);
  SortByFileName();
  if (options.Result != nullptr) *options.Result = result;
  if (!error) {
    PrintData();
    return result;
  }
  try {
    PrintData();
  } catch (const MathError&) {
    // The file that ended the batch is the error to report; the next rendering shows this one again.
  }
  if (settingFailed) ThrowAuditSettingError(error->Reason());
  throw *error;
}

}  // namespace vsl
