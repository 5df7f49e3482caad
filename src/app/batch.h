#pragma once
// A batch of saves: what the caller asks of it, what it gives, the memory its workers may take, and
// the loader that runs them. Each file's result depends on the file and the settings the batch started
// from alone, so the rows, the settings the parses derive, the errors and the point where a failing
// batch stops are those of loading the files one by one, whatever the number of threads, however the
// workers wait for memory, and under any limit on the process's memory.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "record/save_record.h"
#include "save/large_blocks.h"
#include "save/save_error.h"
#include "scoring/audit.h"
#include "scoring/ladder.h"

namespace vsl {

struct BatchResult;

struct BatchOptions {
  // Skip files that cannot be loaded or are damaged (each collected in BatchResult::Skipped) instead of
  // ending the batch at the first one. A setting that does not convert still ends the batch.
  bool KeepGoing = false;
  // Worker threads: 0 for one per core. Any number runs the same pipeline; the calling thread applies
  // the results in selection order. With one, or when no thread can be started, the calling thread
  // loads the files itself.
  unsigned Threads = 0;
  // Called on the calling thread while files load, at least every ProgressInterval: files done, files
  // to load, the name of the file being waited for.
  std::function<void(int done, int total, const std::string& current)> Progress;
  std::chrono::milliseconds ProgressInterval{50};
  // When set (by the caller, from Progress), the batch ends after the files loaded so far: they become
  // the batch, as after a failure, without an error.
  const std::atomic<bool>* Cancel = nullptr;
  // With KeepGoing off: asked on the calling thread, for each file that cannot be loaded or is damaged,
  // whether to skip it (true: collected in BatchResult::Skipped) or to end the batch there (false).
  // `message` names the file.
  std::function<bool(const std::string& path, const std::string& message)> SkipDamaged;
  // Bytes the workers' file and image buffers may take together; a worker waits for its share. A file
  // larger than this loads when no other is in flight. The default holds two of the largest images.
  size_t MemoryBudget = size_t{768} << 20;
  // When set, receives the batch's result before the rows are rendered, so that a caller learns what
  // was loaded and skipped also when the rendering then fails.
  BatchResult* Result = nullptr;
};

struct SkippedFile {
  std::string Path;
  std::string Message;  // names the file
};

// The file whose parse set the Ladder maxima of a batch (the last one loaded), with the game settings
// the maxima follow from.
struct MaximaSource {
  std::string Path;
  std::string FileName;  // as the grids show it
  int32_t GameSpeed = 0, MapWidth = 0, MapHeight = 0, EndTurn = 0;
};

struct BatchResult {
  int Loaded = 0;                      // rows of the batch (SaveCount)
  int LeftOut = 0;                     // selected files beyond the 100 rows, not read
  std::vector<SkippedFile> Skipped;    // with KeepGoing or SkipDamaged only
  std::optional<MaximaSource> Maxima;  // none when no file loaded
};

// A file of a batch that failed: what() is "<path>: <reason>".
using BatchFileError = FileError;

// The memory the workers' file and image buffers may take together, charged at the capacity the
// buffers really reserve. A worker grows its share without waiting or, holding nothing, waits for the
// whole share a file needs; a file larger than the budget runs when nothing else is in flight.
class MemoryBudget {
 public:
  explicit MemoryBudget(size_t limit) : limit_(limit) {}

  // Grows `held` to `bytes` if that fits now; false (nothing changed) when the caller must wait.
  bool TryGrow(size_t& held, size_t bytes);
  // Gives back `held` and waits for `bytes`. False (holding nothing) when the budget was closed.
  bool Acquire(size_t& held, size_t bytes);
  void Release(size_t& held);
  // Wakes every waiter with false, and refuses every later wait.
  void Close();

 private:
  std::mutex mutex_;
  std::condition_variable freed_;
  size_t limit_;
  size_t inFlight_ = 0;
  bool closed_ = false;
};

// Why a file failed: a file that is unreadable or damaged can be skipped; a setting that does not
// convert would fail every file and always ends the batch; memory that ran out is the file's failure
// only once it ran out with the file loading alone.
enum class FileFailure { None, Damaged, Setting, OutOfMemory };

// What every file of a batch starts from.
struct BatchInputs {
  AuditEdits edits;
  char separator = '.';
  LadderSettings ladder;
  AuditSettings audit;
};

// What one file gives: its row and the settings as its parse and audit left them.
struct FileResult {
  TSaveDataRec row;       // the file's name and date once it loaded, then what the parse wrote
  LadderSettings ladder;  // the batch's, with the file's maxima once its statistics stood
  AuditSettings audit;    // the batch's, as the file's audit left them
  bool parsed = false;    // the file loaded and its parse ran: `row` is the row as far as it got
  bool derived = false;   // its statistics stood: `ladder` holds its maxima
  bool audited = false;   // its audit ran: `audit` holds what it converted
  FileFailure failure = FileFailure::None;
  std::string reason;
};

class FileLoader;

// Loads the files of a batch on worker threads, ahead of the caller, who takes the results in
// selection order. A file that ran out of memory beside the others, and every file no worker finished,
// is loaded by the calling thread once the workers have stopped: alone, as one thread would load it.
class BatchLoader {
 public:
  // Loads the first `n` of `paths`; `paths`, `inputs` and `options` must outlive the loader.
  BatchLoader(const std::vector<std::string>& paths, size_t n, const BatchInputs& inputs,
              const BatchOptions& options);
  ~BatchLoader();  // stops and joins the workers
  BatchLoader(const BatchLoader&) = delete;
  BatchLoader& operator=(const BatchLoader&) = delete;

  // File i's result, for i = 0, 1, ... in turn, calling options.Progress while it waits; nullptr when
  // the batch was cancelled meanwhile. Never OutOfMemory: memory that ran out even alone is Damaged.
  FileResult* Take(size_t i);

 private:
  struct Slot {
    FileResult result;
    bool finished = false;  // by a worker; guarded by mutex_ while workers run
  };
  void StartWorkers(size_t threads);
  void Work();
  void EndAfter(size_t i);
  bool WaitForWorkers(size_t i);
  void StopWorkers();
  void Progress(size_t i);
  bool Cancelled() const;

  const std::vector<std::string>& paths_;
  const size_t n_;
  const BatchInputs& inputs_;
  const BatchOptions& options_;
  MemoryBudget budget_;
  std::vector<Slot, LargeBlockAllocator<Slot>> slots_;  // a row each: megabytes for a full batch
  std::mutex mutex_;
  std::condition_variable finished_;
  std::atomic<size_t> next_{0};
  std::atomic<size_t> stopAfter_;  // files after a batch-ending failure need not be loaded
  size_t running_ = 0;             // workers still taking files; guarded by mutex_
  bool lost_ = false;              // a worker ended with a file unfinished; guarded by mutex_
  std::vector<std::thread> workers_;
  std::unique_ptr<FileLoader> alone_;  // the calling thread's, once it loads files itself
  std::chrono::steady_clock::time_point lastProgress_;
};

}  // namespace vsl
