// "Load File": a batch of saves, loaded and parsed by worker threads and applied in selection order.

#include "app/batch.h"

#include <sys/resource.h>

#include <algorithm>
#include <new>
#include <system_error>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/window_model.h"
#include "save/analyse.h"
#include "save/file_info.h"
#include "save/load.h"
#include "save/parse_state.h"
#include "scoring/errors.h"

namespace vsl {

// --- Memory budget -------------------------------------------------------------------------------

bool MemoryBudget::TryGrow(size_t& held, size_t bytes) {
  if (bytes <= held) return true;
  std::lock_guard lock(mutex_);
  if (inFlight_ != held && inFlight_ - held + bytes > limit_) return false;
  inFlight_ += bytes - held;
  held = bytes;
  return true;
}

bool MemoryBudget::Acquire(size_t& held, size_t bytes) {
  std::unique_lock lock(mutex_);
  inFlight_ -= held;
  held = 0;
  freed_.notify_all();
  freed_.wait(lock, [&] { return closed_ || inFlight_ == 0 || inFlight_ + bytes <= limit_; });
  if (closed_) return false;
  inFlight_ += bytes;
  held = bytes;
  return true;
}

void MemoryBudget::Release(size_t& held) {
  std::lock_guard lock(mutex_);
  inFlight_ -= held;
  held = 0;
  freed_.notify_all();
}

void MemoryBudget::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  freed_.notify_all();
}

// --- One file ------------------------------------------------------------------------------------

namespace {

// The worker gives its file up: the batch stopped its workers while it waited for memory.
struct Halted {};

constexpr const char* kNoMemory = "there is not enough memory to load the file";

// A parse reports damage as SaveError; a ConvertError, or arithmetic that fails in the audit (absurd
// settings such as "1e30" sessions a day), comes from the settings and would fail every file. Memory
// that runs out anywhere is the file's shortage, not damage.
FileFailure Classify(const std::exception& e) {
  if (dynamic_cast<const OutOfMemoryError*>(&e) != nullptr) return FileFailure::OutOfMemory;
  if (dynamic_cast<const ConvertError*>(&e) != nullptr || dynamic_cast<const MathError*>(&e) != nullptr)
    return FileFailure::Setting;
  return FileFailure::Damaged;
}

}  // namespace

// Loads file after file into the same buffers and parse state. A worker's buffers are its share of the
// budget; the calling thread, loading alone, has no budget.
class FileLoader {
 public:
  explicit FileLoader(MemoryBudget* budget) : budget_(budget) {}
  ~FileLoader() { Drop(); }
  FileLoader(const FileLoader&) = delete;
  FileLoader& operator=(const FileLoader&) = delete;

  // Loads, parses and audits `path` into `r`. Memory that runs out leaves OutOfMemory; throws Halted
  // when the budget closed while it waited.
  void Run(const std::string& path, FileResult& r, const BatchInputs& in) {
    try {
      if (r.parsed || r.failure != FileFailure::None) r = FileResult{};  // a file loaded again starts clean
      r.ladder = in.ladder;
      r.audit = in.audit;
      LoadAndParse(path, r, in);
    } catch (const std::bad_alloc&) {
      r.failure = FileFailure::OutOfMemory;
      r.reason.clear();
    }
  }

  // Run, and with memory short once more from empty buffers: memory that runs out then is the file's
  // failure, Damaged, so that it can be skipped like any file that cannot be loaded.
  void RunAlone(const std::string& path, FileResult& r, const BatchInputs& in) {
    Run(path, r, in);
    if (r.failure != FileFailure::OutOfMemory) return;
    Drop();
    Run(path, r, in);
    if (r.failure != FileFailure::OutOfMemory) return;
    r.failure = FileFailure::Damaged;
    if (r.reason.empty()) r.reason = kNoMemory;
  }

  // Frees the buffers and the parse state, and gives their share back.
  void Drop() {
    fileBytes_ = {};
    save_.Image = {};
    state_.reset();
    if (budget_ != nullptr) budget_->Release(held_);
  }

 private:
  void LoadAndParse(const std::string& path, FileResult& r, const BatchInputs& in) {
    try {
      if (!state_) state_ = std::make_unique<ParseState>();
      if (budget_ == nullptr) {
        LoadSaveFile(path, BaseNameStart(path), save_, fileBytes_);
      } else {
        LoadSaveFile(path, BaseNameStart(path), save_, fileBytes_,
                     [this](size_t file, size_t image) { return Admit(file + image); });
      }
    } catch (const FileError& e) {
      r.failure = FileFailure::Damaged;
      r.reason = e.Reason();
      return;
    } catch (const std::bad_alloc&) {
      throw;  // the file's shortage, without a library's text
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
      RControl(r.row, in.edits, in.separator, r.audit);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      r.failure = Classify(e);
      r.reason = e.what();
    }
  }

  // The share for buffers of `bytes` together: grown at once if it fits, else waited for with the
  // buffers emptied, and the load starts over.
  bool Admit(size_t bytes) {
    if (budget_->TryGrow(held_, bytes)) return true;
    fileBytes_ = {};
    save_.Image = {};
    if (!budget_->Acquire(held_, bytes)) throw Halted{};
    return false;
  }

  MemoryBudget* budget_;
  size_t held_ = 0;
  ByteBuffer fileBytes_;
  LoadedSave save_;
  std::unique_ptr<ParseState> state_;
};

// --- The loader ----------------------------------------------------------------------------------

BatchLoader::BatchLoader(const std::vector<std::string>& paths, size_t n, const BatchInputs& inputs,
                         const BatchOptions& options)
    : paths_(paths),
      n_(n),
      inputs_(inputs),
      options_(options),
      budget_(options.MemoryBudget),
      slots_(n),
      stopAfter_(n),
      lastProgress_(std::chrono::steady_clock::now()) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t threads = std::min<size_t>(options.Threads == 0 ? cores : options.Threads, n);
  if (threads > 1) StartWorkers(threads);
  if (workers_.empty()) alone_ = std::make_unique<FileLoader>(nullptr);
}

BatchLoader::~BatchLoader() {
  StopWorkers();
}

namespace {

// Under a limit on the address space, each thread's own malloc arena reserves 64 MiB of it as the thread
// first allocates, and keeps it after the thread ends: how many there are would depend on the timing,
// and so would the room left to a file loading alone. The workers share the existing arenas instead.
void ShareArenasUnderAnAddressLimit() {
#if defined(__GLIBC__)
  rlimit limit{};
  if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace

// As many workers as can be started: a thread that cannot start (no memory for its stack, the process's
// thread limit) means one worker fewer.
void BatchLoader::StartWorkers(size_t threads) {
  ShareArenasUnderAnAddressLimit();
  std::lock_guard lock(mutex_);
  for (size_t t = 0; t < threads; ++t) {
    try {
      workers_.emplace_back([this] { Work(); });
      ++running_;
    } catch (const std::system_error&) {
      break;
    } catch (const std::bad_alloc&) {
      break;
    }
  }
}

void BatchLoader::Work() {
  bool lost = false;
  {
    FileLoader loader(&budget_);
    const bool maySkip = options_.KeepGoing || options_.SkipDamaged != nullptr;
    try {
      for (size_t i = next_++; i < n_ && i <= stopAfter_.load(); i = next_++) {
        FileResult& r = slots_[i].result;
        loader.Run(paths_[i], r, inputs_);
        // A damaged file ends the batch unless it may be skipped (always, or as the caller answers).
        if (r.failure == FileFailure::Setting || (r.failure == FileFailure::Damaged && !maySkip)) EndAfter(i);
        std::lock_guard lock(mutex_);
        slots_[i].finished = true;
        finished_.notify_all();
      }
    } catch (const Halted&) {
      lost = true;
    }
  }
  std::lock_guard lock(mutex_);
  --running_;
  lost_ = lost_ || lost;
  finished_.notify_all();
}

void BatchLoader::EndAfter(size_t i) {
  size_t current = stopAfter_.load();
  while (i < current && !stopAfter_.compare_exchange_weak(current, i)) {
  }
}

// Waits for a worker to finish file i; false when the batch was cancelled. True also when the workers
// can no longer finish it.
bool BatchLoader::WaitForWorkers(size_t i) {
  {
    std::unique_lock lock(mutex_);
    const auto done = [&] { return slots_[i].finished || running_ == 0 || lost_; };
    while (!finished_.wait_for(lock, options_.ProgressInterval, done)) {
      lock.unlock();
      Progress(i);
      lock.lock();
      if (Cancelled()) return false;
    }
  }
  if (Cancelled()) return false;
  if (std::chrono::steady_clock::now() - lastProgress_ >= options_.ProgressInterval) Progress(i);
  return true;
}

FileResult* BatchLoader::Take(size_t i) {
  Slot& slot = slots_[i];
  if (!alone_) {
    if (!WaitForWorkers(i)) return nullptr;
    std::unique_lock lock(mutex_);
    if (slot.finished && slot.result.failure != FileFailure::OutOfMemory) return &slot.result;
    lock.unlock();
    // Memory ran out beside the others (or no worker is left): the workers stop, and the calling
    // thread loads this file and the ones no worker finished alone.
    StopWorkers();
    alone_ = std::make_unique<FileLoader>(nullptr);
  }
  if (slot.finished && slot.result.failure != FileFailure::OutOfMemory) return &slot.result;
  if (Cancelled()) return nullptr;
  if (std::chrono::steady_clock::now() - lastProgress_ >= options_.ProgressInterval) Progress(i);
  alone_->RunAlone(paths_[i], slot.result, inputs_);
  return &slot.result;
}

void BatchLoader::StopWorkers() {
  stopAfter_ = 0;
  budget_.Close();
  for (std::thread& t : workers_) t.join();
  workers_.clear();
}

void BatchLoader::Progress(size_t i) {
  if (options_.Progress) options_.Progress(static_cast<int>(i), static_cast<int>(n_), paths_[i]);
  lastProgress_ = std::chrono::steady_clock::now();
}

bool BatchLoader::Cancelled() const {
  return options_.Cancel != nullptr && options_.Cancel->load();
}

// --- The window's handler ------------------------------------------------------------------------

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
  std::optional<BatchEnd> end;
  {
    BatchLoader loader(paths, n, inputs, options);
    end = ApplyBatch(loader, paths, n, options, result);
  }  // the workers skip the files after a batch-ending failure, and are joined
  return FinishBatch(std::move(result), end, options);
}

// Results are applied in selection order, each on the state the files before it left.
std::optional<WindowModel::BatchEnd> WindowModel::ApplyBatch(BatchLoader& loader,
                                                             const std::vector<std::string>& paths, size_t n,
                                                             const BatchOptions& options,
                                                             BatchResult& result) {
  for (size_t i = 0; i < n; ++i) {
    // A cancel ends the batch with the files applied so far, as a failure would, without an error.
    FileResult* r = loader.Take(i);
    if (r == nullptr) break;
    if (r->failure == FileFailure::Damaged) {
      const std::string message = FileMessage(paths[i], r->reason);
      if (options.KeepGoing || (options.SkipDamaged && options.SkipDamaged(paths[i], message))) {
        result.Skipped.push_back({paths[i], message});
        continue;
      }
    }
    TSaveDataRec& slot = rows_[static_cast<size_t>(result.Loaded)];
    if (r->parsed) slot = std::move(r->row);
    rowPaths_[static_cast<size_t>(result.Loaded)] = paths[i];
    if (r->derived) {
      ladder_ = r->ladder;
      result.Maxima =
          MaximaSource{paths[i], slot.FileName, slot.GameSpeed, slot.MapWidth, slot.MapHeight, slot.EndTurn};
    }
    if (r->audited) audit_ = r->audit;
    if (r->failure != FileFailure::None)
      return BatchEnd{{paths[i], r->reason}, r->failure == FileFailure::Setting};
    ++result.Loaded;
  }
  return std::nullopt;
}

BatchResult WindowModel::FinishBatch(BatchResult result, const std::optional<BatchEnd>& end,
                                     const BatchOptions& options) {
  saveCount_ = result.Loaded;
  // Every curve goes; the rendering draws those of the new rows again. Should the rendering fail, no
  // curve of the previous batch stays under its old name.
  chart_.HideFrom(0);
  SortByFileName();
  if (options.Result != nullptr) *options.Result = result;
  if (!end) {
    PrintData();
    return result;
  }
  try {
    PrintData();
  } catch (const MathError&) {
    // The file that ended the batch is the error to report; the next rendering shows this one again.
  }
  // The batch ended because a setting fails every file, not for the file.
  if (end->setting) ThrowAuditSettingError(end->error.Reason());
  throw end->error;
}

}  // namespace vsl
