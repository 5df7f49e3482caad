// "Load File": a batch of saves, loaded and parsed in parallel and applied in selection order, so that
// the rows, the settings the parses derive, the errors and the point where a failing batch stops are
// exactly those of loading the files one by one.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
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

// Why a file failed: a file that is unreadable or damaged can be skipped; a setting that does not
// convert would fail every file and always ends the batch.
enum class Failure { None, Damaged, Setting };

struct FileOutcome {
  Failure failure = Failure::None;
  std::string reason;
  bool parseFailed = false;  // the file was unwrapped; its parse failed
  // The unwrapped file of a parse that ended the batch, so that the parse can be repeated on the
  // model's own state.
  std::optional<LoadedSave> loaded;
};

FileLadderMaxima MaximaOf(const LadderSettings& s) {
  FileLadderMaxima m;
  m.MaxPop = s.MaxPop;
  m.MaxLand = s.MaxLand;
  m.MaxTech = s.MaxTech;
  m.MaxWonder = s.MaxWonder;
  m.MaxCulture = s.MaxCulture;
  m.MaxTurn = s.MaxTurn;
  return m;
}

void StoreMaxima(const FileLadderMaxima& m, LadderSettings& s) {
  s.MaxPop = m.MaxPop;
  s.MaxLand = m.MaxLand;
  s.MaxTech = m.MaxTech;
  s.MaxWonder = m.MaxWonder;
  s.MaxCulture = m.MaxCulture;
  s.MaxTurn = m.MaxTurn;
}

// What one parse reads and writes besides the image: the row, the derived maxima, the audit settings.
struct ParseTarget {
  TSaveDataRec& row;
  FileLadderMaxima& maxima;
  AuditSettings& audit;
};

struct ParseInputs {
  const AuditEdits& edits;
  char separator;
};

// A parse reports damage as SaveError; a ConvertError, or arithmetic that fails in the audit (absurd
// settings such as "1e30" sessions a day), comes from the settings and would fail every file.
Failure Classify(const std::exception& e) {
  const bool setting =
      dynamic_cast<const ConvertError*>(&e) != nullptr || dynamic_cast<const MathError*>(&e) != nullptr;
  return setting ? Failure::Setting : Failure::Damaged;
}

void Analyse(const LoadedSave& save, const ParseTarget& t, ParseState& state, const ParseInputs& in) {
  t.row.FileName = save.FileName;
  t.row.FileDate = save.FileDate;
  SaveAnalyse(save.Image, save.BodyOffset, t.row, state, t.maxima, in.edits, in.separator, t.audit,
              save.PendingChecksum);
}

// What a thread keeps from file to file: the parse state, the image and the file's bytes, so that a
// batch allocates per thread, not per file. One image per thread: it is parsed before the next file
// is read into it.
struct LoadBuffers {
  std::unique_ptr<ParseState> state = std::make_unique<ParseState>();
  LoadedSave save;
  std::vector<uint8_t> fileBytes;
};

// Loads and parses one file into `t`. On failure `t` holds what the parse had written before it.
FileOutcome LoadAndAnalyse(const std::string& path, const ParseTarget& t, LoadBuffers& buffers,
                           const ParseInputs& in) {
  FileOutcome out;
  LoadedSave& save = buffers.save;
  try {
    // The parse compares the body's checksum as it reads the body: megabytes read once, not twice.
    LoadSaveFile(path, BaseNameStart(path), save, buffers.fileBytes, BodyCheck::Deferred);
  } catch (const FileError& e) {
    out.failure = Failure::Damaged;
    out.reason = e.Reason();
    return out;
  } catch (const std::exception& e) {
    out.failure = Classify(e);
    out.reason = e.what();
    return out;
  }
  try {
    Analyse(save, t, *buffers.state, in);
  } catch (const BodyChecksumError& e) {
    // A damaged stream, found by the parse: the file fails as in its unwrap, `t` untouched.
    out.failure = Failure::Damaged;
    out.reason = e.what();
  } catch (const std::exception& e) {
    out.failure = Classify(e);
    out.reason = e.what();
    out.parseFailed = true;  // the image in `buffers` is the one the parse failed on
  }
  return out;
}

// One file of a parallel batch, parsed into its own copies of the row and the settings.
struct Job {
  TSaveDataRec row;
  FileLadderMaxima maxima;
  AuditSettings audit;
  FileOutcome outcome;
  bool finished = false;
};

}  // namespace

// One batch: the files to load, the model's state it writes, and the outcome.
struct WindowModel::BatchRun {
  WindowModel& model;
  const std::vector<std::string>& paths;
  const BatchOptions& options;
  AuditEdits edits;
  FileLadderMaxima maxima;
  BatchResult result;
  std::optional<BatchFileError> error;  // the file that ended the batch
  bool settingFailed = false;           // ... because a setting fails every file, not for the file

  BatchRun(WindowModel& m, const std::vector<std::string>& p, const BatchOptions& o)
      : model(m), paths(p), options(o), edits(m.CurrentAuditEdits()), maxima(MaximaOf(m.ladder_)) {}

  ParseInputs Inputs() const { return {edits, model.locale_->DecimalSeparator()}; }
  TSaveDataRec& Slot() { return model.rows_[static_cast<size_t>(result.Loaded)]; }

  // Whether the batch goes on after a failed file; records the failure.
  bool Fail(size_t i, const FileOutcome& outcome) {
    if (options.KeepGoing && outcome.failure == Failure::Damaged) {
      result.Skipped.push_back({paths[i], paths[i] + ": " + outcome.reason});
      return true;
    }
    error.emplace(paths[i], outcome.reason);
    settingFailed = outcome.failure == Failure::Setting;
    return false;
  }

  // A file that loaded: it becomes the next row and its maxima those of the batch.
  void Loaded(size_t i) {
    const TSaveDataRec& row = Slot();
    result.Maxima =
        MaximaSource{paths[i], row.FileName, row.GameSpeed, row.MapWidth, row.MapHeight, row.EndTurn};
    ++result.Loaded;
  }

  void Progress(int done, size_t next) const {
    if (options.Progress) options.Progress(done, static_cast<int>(paths.size()), paths[next]);
  }

  void RunSerially();
  void RunInParallel(size_t threads);
  bool Apply(size_t i, Job& job);
};

void WindowModel::BatchRun::RunSerially() {
  LoadBuffers buffers;
  auto last = std::chrono::steady_clock::now();
  for (size_t i = 0; i < paths.size(); ++i) {
    if (std::chrono::steady_clock::now() - last >= options.ProgressInterval) {
      Progress(static_cast<int>(i), i);
      last = std::chrono::steady_clock::now();
    }
    if (options.KeepGoing) {
      // A skipped file leaves nothing behind: parse into copies, keep them only on success.
      TSaveDataRec row = Slot();
      FileLadderMaxima m = maxima;
      AuditSettings audit = model.audit_;
      FileOutcome outcome = LoadAndAnalyse(paths[i], {row, m, audit}, buffers, Inputs());
      const bool skipped = outcome.failure != Failure::None && Fail(i, outcome);
      if (skipped) continue;
      // A parsed file, or one that ends the batch with the state its parse reached.
      Slot() = std::move(row);
      maxima = m;
      model.audit_ = audit;
      if (outcome.failure != Failure::None) return;
    } else {
      FileOutcome outcome = LoadAndAnalyse(paths[i], {Slot(), maxima, model.audit_}, buffers, Inputs());
      if (outcome.failure != Failure::None) {
        Fail(i, outcome);
        return;
      }
    }
    Loaded(i);
  }
}

// Applies a finished job in selection order; false when the batch ends here.
bool WindowModel::BatchRun::Apply(size_t i, Job& job) {
  if (job.outcome.failure == Failure::None) {
    Slot() = std::move(job.row);
    maxima = job.maxima;
    model.audit_ = job.audit;
    Loaded(i);
    return true;
  }
  if (Fail(i, job.outcome)) return true;
  // The serial load would have parsed this file on the state the files before it left: repeat the
  // parse on that state so that the row and the settings it reached are the same.
  if (job.outcome.loaded) {
    auto state = std::make_unique<ParseState>();
    try {
      Analyse(*job.outcome.loaded, {Slot(), maxima, model.audit_}, *state, Inputs());
    } catch (const std::exception&) {
      // Expected: the same bytes fail the same way; the first outcome is reported.
    }
  }
  return false;
}

void WindowModel::BatchRun::RunInParallel(size_t threads) {
  const size_t n = paths.size();
  std::vector<Job> jobs(n);
  for (size_t i = 0; i < n; ++i) {
    jobs[i].row = model.rows_[i];  // the row a serial load would parse into when no file is skipped
    jobs[i].maxima = maxima;
    jobs[i].audit = model.audit_;
  }
  std::mutex mutex;
  std::condition_variable finished;
  std::atomic<size_t> next{0};
  std::atomic<size_t> stopAfter{n};  // files after a batch-ending failure need not be parsed
  const ParseInputs inputs = Inputs();

  const auto worker = [&] {
    LoadBuffers buffers;
    for (size_t i = next++; i < n; i = next++) {
      Job& job = jobs[i];
      if (i <= stopAfter.load()) {
        job.outcome = LoadAndAnalyse(paths[i], {job.row, job.maxima, job.audit}, buffers, inputs);
        const bool endsBatch = job.outcome.failure == Failure::Setting ||
                               (job.outcome.failure == Failure::Damaged && !options.KeepGoing);
        // Only a batch-ending parse is repeated: it keeps a copy of its image, the thread's buffer
        // goes on to the next file.
        if (endsBatch && job.outcome.parseFailed) job.outcome.loaded = buffers.save;
        if (endsBatch) {
          size_t current = stopAfter.load();
          while (i < current && !stopAfter.compare_exchange_weak(current, i)) {
          }
        }
      }
      std::lock_guard lock(mutex);
      job.finished = true;
      finished.notify_all();
    }
  };
  std::vector<std::jthread> pool;
  for (size_t t = 0; t < threads; ++t) pool.emplace_back(worker);

  int done = 0;
  auto last = std::chrono::steady_clock::now();
  for (size_t i = 0; i < n; ++i) {
    {
      std::unique_lock lock(mutex);
      while (!finished.wait_for(lock, options.ProgressInterval, [&] { return jobs[i].finished; })) {
        lock.unlock();
        Progress(done, i);
        last = std::chrono::steady_clock::now();
        lock.lock();
      }
    }
    if (std::chrono::steady_clock::now() - last >= options.ProgressInterval) {
      Progress(done, i);
      last = std::chrono::steady_clock::now();
    }
    ++done;
    if (!Apply(i, jobs[i])) break;
  }
  pool.clear();  // joins; workers skip the files after a batch-ending failure
}

BatchResult WindowModel::Button1Click(const std::vector<std::string>& paths, const BatchOptions& options) {
  if (paths.empty()) return {};
  batchPaths_ = paths;
  ClearList(saveCount_);
  saveCount_ = 0;
  edits_.Edit1 = DirectoryOf(paths.front());

  const size_t count = std::min(paths.size(), static_cast<size_t>(kMaxFiles));
  const std::vector<std::string> batch(paths.begin(), paths.begin() + static_cast<ptrdiff_t>(count));
  BatchRun run(*this, batch, options);
  run.result.LeftOut = static_cast<int>(paths.size() - count);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t threads = std::min<size_t>(options.Threads == 0 ? cores : options.Threads, count);
  if (threads <= 1) {
    run.RunSerially();
  } else {
    run.RunInParallel(threads);
  }
  StoreMaxima(run.maxima, ladder_);

  saveCount_ = run.result.Loaded;
  // Every curve goes; the rendering draws those of the new rows again. Should the rendering fail, no
  // curve of the previous batch stays under its old name.
  chart_.HideFrom(0);
  SortByFileName();
  if (options.Result != nullptr) *options.Result = run.result;
  if (!run.error) {
    PrintData();
    return run.result;
  }
  try {
    PrintData();
  } catch (const MathError&) {
    // The file that ended the batch is the error to report; the next rendering shows this one again.
  }
  if (run.settingFailed) ThrowAuditSettingError(run.error->Reason());
  throw *run.error;
}

}  // namespace vsl
