// vsl-bench: what loading large late-game saves costs, measured against the floor, inflating the body.
//
// Per file (a few large saves in turn): one-shot inflate of the body into a buffer of its stated size
// with zlib and with libdeflate, the product's inflate and unwrap, the whole parse walk, the
// statistics pass alone; per batch of 100 rows: rendering (PrintData) and the export text. Then a batch
// of 100 large saves end to end through vsl-report (wall clock and peak memory of the process) against
// inflating the same 100 bodies one after the other on one core, in alternating rounds. A summary with
// the ratios follows the table.

#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "app/window_model.h"
#include "large_files.h"
#include "save/analyse.h"
#include "save/container.h"
#include "save/parse_state.h"
#include "save/statistics.h"
#include "support/large_save.h"

extern char** environ;

namespace vsl::bench {
namespace {

constexpr int kSampleFiles = 4;   // large saves the per-file benchmarks take in turn
constexpr int kBatchFiles = 100;  // files of the batch benchmarks
constexpr char kDecimalSeparator = '.';
constexpr char kTimeTool[] = "/usr/bin/time";

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t offset) {
  uint32_t v;
  std::memcpy(&v, bytes.data() + offset, 4);
  return static_cast<int32_t>(v);
}

// A save file and where its parts lie.
struct SaveFile {
  std::vector<uint8_t> bytes;
  size_t body = 0;        // offset of the zlib stream
  size_t compressed = 0;  // stated compressed size
  size_t inflated = 0;    // stated inflated size

  explicit SaveFile(std::vector<uint8_t> file) : bytes(std::move(file)) {
    const int32_t offset = FindBodyOffset(bytes);
    if (offset < kMinBodyOffset) throw std::runtime_error("not a save");
    body = static_cast<size_t>(offset);
    inflated = static_cast<size_t>(Int32At(bytes, body - 8));
    compressed = static_cast<size_t>(Int32At(bytes, body - 4));
  }
  std::span<const uint8_t> Stream() const { return {bytes.data() + body, compressed}; }
};

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The sample files, their images and rows, made once.
struct Samples {
  std::vector<SaveFile> files;
  std::vector<UnwrappedSave> images;
  std::vector<TSaveDataRec> rows;
  std::vector<std::unique_ptr<ParseState>> states;  // each as its file's parse left it

  Samples() {
    for (int s = 0; s < kSampleFiles; ++s) {
      files.emplace_back(testing::BuildLargeSaveFile(static_cast<uint32_t>(s)));
      Unwrap(files.back().bytes, images.emplace_back());
      TSaveDataRec& row = rows.emplace_back();
      row.FileName = "Large" + std::to_string(s);
      auto& state = states.emplace_back(std::make_unique<ParseState>());
      LadderSettings maxima;
      AuditSettings audit;
      SaveAnalyse(images.back().Image, images.back().BodyOffset, row, *state, maxima);
      RControl(row, Edits(), kDecimalSeparator, audit);
    }
  }
  static AuditEdits Edits() {
    AuditEdits edits;
    edits.SessionsPerDay = std::string("1") + kDecimalSeparator + "5";
    return edits;
  }
  size_t Count() const { return files.size(); }
};

const Samples& GetSamples() {
  static const Samples samples;
  return samples;
}

void CountBytes(benchmark::State& state, uint64_t compressed, uint64_t inflated) {
  state.counters["inflated_MB/s"] =
      benchmark::Counter(static_cast<double>(inflated) / 1e6, benchmark::Counter::kIsRate);
  state.counters["compressed_KB"] =
      benchmark::Counter(static_cast<double>(compressed) / 1e3 / static_cast<double>(state.iterations()),
                         benchmark::Counter::kDefaults);
}

// --- Inflate alone ------------------------------------------------------------------------------------

void BM_InflateZlib(benchmark::State& state) {
  const Samples& s = GetSamples();
  std::vector<uint8_t> out(s.files[0].inflated + 4096);
  uint64_t in = 0, produced = 0;
  size_t i = 0;
  for (auto _ : state) {
    const SaveFile& f = s.files[i++ % s.Count()];
    if (out.size() < f.inflated) out.resize(f.inflated);
    uLongf size = static_cast<uLongf>(f.inflated);
    if (uncompress(out.data(), &size, f.Stream().data(), static_cast<uLong>(f.compressed)) != Z_OK) {
      state.SkipWithError("zlib failed");
      break;
    }
    benchmark::DoNotOptimize(out.data());
    in += f.compressed;
    produced += size;
  }
  CountBytes(state, in, produced);
}
BENCHMARK(BM_InflateZlib)->Unit(benchmark::kMillisecond);

void BM_InflateLibdeflate(benchmark::State& state) {
  const Samples& s = GetSamples();
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  std::vector<uint8_t> out(s.files[0].inflated + 4096);
  uint64_t in = 0, produced = 0;
  size_t i = 0;
  for (auto _ : state) {
    const SaveFile& f = s.files[i++ % s.Count()];
    if (out.size() < f.inflated) out.resize(f.inflated);
    size_t size = 0;
    if (libdeflate_zlib_decompress(d, f.Stream().data(), f.compressed, out.data(), f.inflated, &size) !=
        LIBDEFLATE_SUCCESS) {
      state.SkipWithError("libdeflate failed");
      break;
    }
    benchmark::DoNotOptimize(out.data());
    in += f.compressed;
    produced += size;
  }
  libdeflate_free_decompressor(d);
  CountBytes(state, in, produced);
}
BENCHMARK(BM_InflateLibdeflate)->Unit(benchmark::kMillisecond);

// The product's inflate (libdeflate with the zlib fallback) into a buffer of the stated size.
void BM_InflateBody(benchmark::State& state) {
  const Samples& s = GetSamples();
  std::vector<uint8_t> out(s.files[0].inflated);
  size_t i = 0;
  for (auto _ : state) {
    const SaveFile& f = s.files[i++ % s.Count()];
    out.resize(f.inflated);
    InflateBody(f.Stream(), out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_InflateBody)->Unit(benchmark::kMillisecond);

// Unwrap: the image allocated, header, marker, body and trailer spliced.
void BM_Unwrap(benchmark::State& state) {
  const Samples& s = GetSamples();
  size_t i = 0;
  for (auto _ : state) {
    UnwrappedSave save;
    Unwrap(s.files[i++ % s.Count()].bytes, save);
    benchmark::DoNotOptimize(save.Image.data());
  }
}
BENCHMARK(BM_Unwrap)->Unit(benchmark::kMillisecond);

// --- The parse --------------------------------------------------------------------------------------

// SaveAnalyse on an unwrapped image with one parse state reused between files, as a batch worker does:
// reset, header, game, map, team and player sections, the statistics pass and the audit.
void BM_Walk(benchmark::State& state) {
  const Samples& s = GetSamples();
  auto parse = std::make_unique<ParseState>();
  const AuditEdits edits = Samples::Edits();
  TSaveDataRec row;
  LadderSettings maxima;
  AuditSettings audit;
  size_t i = 0;
  for (auto _ : state) {
    const UnwrappedSave& save = s.images[i++ % s.Count()];
    SaveAnalyse(save.Image, save.BodyOffset, row, *parse, maxima);
    RControl(row, edits, kDecimalSeparator, audit);
    benchmark::DoNotOptimize(row.FinalScore);
  }
}
BENCHMARK(BM_Walk)->Unit(benchmark::kMillisecond);

// The walk right after its image was inflated, as the walk runs in a load: the image is warm in the
// caches that can hold it. The inflate is not timed.
void BM_WalkAfterInflate(benchmark::State& state) {
  const Samples& s = GetSamples();
  auto parse = std::make_unique<ParseState>();
  const AuditEdits edits = Samples::Edits();
  TSaveDataRec row;
  LadderSettings maxima;
  AuditSettings audit;
  std::vector<uint8_t> image;
  size_t i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const UnwrappedSave& save = s.images[i % s.Count()];
    const SaveFile& f = s.files[i++ % s.Count()];
    image.assign(save.Image.begin(), save.Image.end());
    InflateBody(f.Stream(), std::span<uint8_t>(image.data() + f.body, f.inflated));
    state.ResumeTiming();
    SaveAnalyse(image, save.BodyOffset, row, *parse, maxima);
    RControl(row, edits, kDecimalSeparator, audit);
    benchmark::DoNotOptimize(row.FinalScore);
  }
}
BENCHMARK(BM_WalkAfterInflate)->Unit(benchmark::kMillisecond);

// The statistics pass alone, on a parse state its file's walk left. The pass is repeatable: a second
// run finds the names already defaulted and the cultures already ranked, and writes the same row.
void BM_Statistics(benchmark::State& state) {
  const Samples& s = GetSamples();
  std::vector<std::unique_ptr<ParseState>> parses;
  for (const auto& p : s.states) parses.push_back(std::make_unique<ParseState>(*p));
  TSaveDataRec row;
  LadderSettings maxima;
  size_t i = 0;
  for (auto _ : state) {
    SaveStatistics(*parses[i++ % parses.size()], row, maxima);
    benchmark::DoNotOptimize(row.FinalScore);
  }
}
BENCHMARK(BM_Statistics)->Unit(benchmark::kMicrosecond);

// --- The window model -------------------------------------------------------------------------------

std::unique_ptr<WindowModel> ModelWith100Rows() {
  const Samples& s = GetSamples();
  auto model = std::make_unique<WindowModel>(std::make_shared<FixedLocaleServices>(kDecimalSeparator));
  for (int i = 0; i < kMaxFiles; ++i) {
    TSaveDataRec& row = model->MutableRow(i);
    row = s.rows[static_cast<size_t>(i) % s.Count()];
    char name[32];
    std::snprintf(name, sizeof name, "Large%03d", i);
    row.FileName = name;
  }
  model->SetSaveCount(kMaxFiles);
  return model;
}

// PrintData over 100 rows: Ladder scores, normalisation, the four grids and 20 curves.
void BM_PrintData100(benchmark::State& state) {
  auto model = ModelWith100Rows();
  for (auto _ : state) {
    model->PrintData();
    benchmark::DoNotOptimize(model->BaseGrid().Cell(1, 1).data());
  }
}
BENCHMARK(BM_PrintData100)->Unit(benchmark::kMicrosecond);

// The results file's text for 100 rows.
void BM_Export100(benchmark::State& state) {
  auto model = ModelWith100Rows();
  model->PrintData();
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = model->ExportText();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Export100)->Unit(benchmark::kMicrosecond);

// --- The batch of 100 large saves -------------------------------------------------------------------

std::string SelfDir() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

const std::vector<std::string>& BatchPaths() {
  static const std::vector<std::string> paths = EnsureLargeSaves(DefaultLargeSaveDir(), kBatchFiles);
  return paths;
}

// Inflating the batch's 100 bodies one after the other on one core: the floor a serial load cannot go
// below. The files are read into memory first; only the inflation is timed.
class SerialInflate {
 public:
  SerialInflate() : decompressor_(libdeflate_alloc_decompressor()) {
    size_t largest = 0;
    for (const std::string& path : BatchPaths()) {
      files_.emplace_back(ReadFile(path));
      largest = std::max(largest, files_.back().inflated);
    }
    out_.resize(largest);
  }
  ~SerialInflate() { libdeflate_free_decompressor(decompressor_); }
  SerialInflate(const SerialInflate&) = delete;
  SerialInflate& operator=(const SerialInflate&) = delete;

  // Seconds for the whole batch; negative when a body does not inflate.
  double Run() {
    const auto start = std::chrono::steady_clock::now();
    for (const SaveFile& f : files_) {
      size_t size = 0;
      if (libdeflate_zlib_decompress(decompressor_, f.Stream().data(), f.compressed, out_.data(), f.inflated,
                                     &size) != LIBDEFLATE_SUCCESS) {
        return -1;
      }
      benchmark::DoNotOptimize(out_.data());
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

 private:
  libdeflate_decompressor* decompressor_;
  std::vector<SaveFile> files_;
  std::vector<uint8_t> out_;  // the buffer kind the product inflates into
};

// vsl-report over the 100 files, as a process: wall clock from spawn to exit, or its peak resident
// memory. The peak is taken by /usr/bin/time, which forks vsl-report from its own small process: a
// child spawned straight from this process would be charged with this process's memory (the 100 files
// and the samples held here), which the kernel counts until the child's exec. The timed runs are
// spawned straight, so that the time tool's own start is not counted.
class ReportRun {
 public:
  ReportRun() {
    const auto temp = std::filesystem::temp_directory_path();
    output_ = (temp / "vsl-bench-report.txt").string();
    peakFile_ = (temp / "vsl-bench-peak.txt").string();
    haveTime_ = access(kTimeTool, X_OK) == 0;
    args_ = {SelfDir() + "/vsl-report", "--output", output_};
    for (const std::string& path : BatchPaths()) args_.push_back(path);
  }
  ~ReportRun() {
    std::filesystem::remove(output_);
    std::filesystem::remove(peakFile_);
  }
  ReportRun(const ReportRun&) = delete;
  ReportRun& operator=(const ReportRun&) = delete;

  const std::string& Tool() const { return args_[0]; }

  // Seconds from spawn to exit; negative when vsl-report cannot run or fails.
  double Run() {
    const auto start = std::chrono::steady_clock::now();
    if (!Spawn(args_)) return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  // The peak resident memory of one run in KiB; negative when it cannot be taken.
  long PeakKiB() {
    if (!haveTime_) return -1;
    std::vector<std::string> args = {kTimeTool, "-f", "%M", "-o", peakFile_};
    args.insert(args.end(), args_.begin(), args_.end());
    if (!Spawn(args)) return -1;
    long kib = -1;
    std::ifstream(peakFile_) >> kib;
    return kib;
  }

 private:
  static bool Spawn(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  std::string output_, peakFile_;
  bool haveTime_ = false;
  std::vector<std::string> args_;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n == 0 ? 0 : n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The batch of 100 large saves: rounds of the serial inflate followed by vsl-report over the same
// files. The two alternate, so that other work on the machine, which comes and goes, weighs on both
// alike; each round gives one ratio, and the medians over the rounds are reported. The first round is
// a warm-up (page cache, generated files) and is not counted.
void BM_Batch(benchmark::State& state) {
  constexpr int kRounds = 15;
  SerialInflate serial;
  ReportRun report;
  std::vector<double> inflateTimes, reportTimes, ratios;
  for (auto _ : state) {
    for (int round = 0; round <= kRounds; ++round) {
      const double inflate = serial.Run();
      const double wall = report.Run();
      if (inflate < 0 || wall < 0) {
        state.SkipWithError(inflate < 0 ? "libdeflate failed" : ("cannot run " + report.Tool()).c_str());
        return;
      }
      if (round == 0) continue;
      inflateTimes.push_back(inflate);
      reportTimes.push_back(wall);
      ratios.push_back(wall / inflate);
    }
    state.SetIterationTime(Median(reportTimes));
  }
  state.counters["inflate_ms"] = Median(inflateTimes) * 1e3;
  state.counters["report_ms"] = Median(reportTimes) * 1e3;
  state.counters["ratio"] = Median(ratios);
  state.counters["ratio_best"] = *std::min_element(ratios.begin(), ratios.end());
  state.counters["ratio_worst"] = *std::max_element(ratios.begin(), ratios.end());
  if (const long peakKiB = report.PeakKiB(); peakKiB >= 0) {
    state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024.0;
  } else {
    state.SetLabel("peak memory needs /usr/bin/time (Debian package time)");
  }
}
BENCHMARK(BM_Batch)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

// --- Summary ----------------------------------------------------------------------------------------

// The console table, then the ratios of the goals.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.run_name.function_name;
      const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
      cpu_[name] = run.GetAdjustedCPUTime() / unit;
      for (const auto& [key, counter] : run.counters) counters_[name + "." + key] = counter.value;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::FILE* out = stdout;
    const double floor = Cpu("BM_InflateLibdeflate");
    if (floor > 0) {
      std::fprintf(out,
                   "\nPer large save (%d files in turn), CPU time and its ratio to inflate alone (libdeflate "
                   "one-shot);\nCPU time, because other work on the machine stretches wall-clock times:\n",
                   kSampleFiles);
    }
    Line(out, "inflate, zlib one-shot", "BM_InflateZlib", floor);
    Line(out, "inflate, libdeflate one-shot", "BM_InflateLibdeflate", floor);
    Line(out, "inflate as the product does it", "BM_InflateBody", floor);
    Line(out, "unwrap (image, splice, inflate)", "BM_Unwrap", floor);
    Line(out, "parse walk, SaveAnalyse (goal <= 0.2)", "BM_Walk", floor);
    Line(out, "parse walk right after the inflate", "BM_WalkAfterInflate", floor);
    Line(out, "statistics pass alone", "BM_Statistics", floor);
    Line(out, "rendering of 100 rows, PrintData", "BM_PrintData100", floor);
    Line(out, "export of 100 rows", "BM_Export100", floor);

    if (counters_.count("BM_Batch.ratio") != 0) {
      std::fprintf(
          out,
          "\nBatch of %d large saves, medians over rounds of the serial inflate and vsl-report in turn:\n",
          kBatchFiles);
      std::fprintf(out, "  inflate only, one core       %10.1f ms\n", counters_["BM_Batch.inflate_ms"]);
      std::fprintf(out, "  vsl-report wall clock        %10.1f ms\n", counters_["BM_Batch.report_ms"]);
      std::fprintf(
          out, "  ratio wall / inflate only    %10.3f   (goal <= 0.65 on 2 cores; rounds %.3f to %.3f)\n",
          counters_["BM_Batch.ratio"], counters_["BM_Batch.ratio_best"], counters_["BM_Batch.ratio_worst"]);
      if (auto peak = counters_.find("BM_Batch.peak_MiB"); peak != counters_.end()) {
        std::fprintf(out, "  peak memory of vsl-report    %10.1f MiB (goal < 256 MiB)\n", peak->second);
      }
      std::fprintf(out, "  cores                        %10u\n", std::thread::hardware_concurrency());
    }
  }

 private:
  double Cpu(const std::string& name) const {
    auto it = cpu_.find(name);
    return it == cpu_.end() ? 0 : it->second;
  }
  void Line(std::FILE* out, const char* what, const std::string& name, double floor) const {
    const double t = Cpu(name);
    if (t <= 0) return;
    if (floor > 0) {
      std::fprintf(out, "  %-40s %10.3f ms  %7.3f\n", what, t * 1e3, t / floor);
    } else {
      std::fprintf(out, "  %-40s %10.3f ms\n", what, t * 1e3);
    }
  }

  std::map<std::string, double> cpu_;  // CPU time of the benchmark's thread per iteration
  std::map<std::string, double> counters_;
};

}  // namespace
}  // namespace vsl::bench

int main(int argc, char** argv) {
  // The summary follows the console table; another output format gets the library's own reporter.
  bool console = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--benchmark_format=", 0) == 0 && arg != "--benchmark_format=console") console = false;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  vsl::bench::SummaryReporter reporter;
  if (console) {
    benchmark::RunSpecifiedBenchmarks(&reporter);
  } else {
    benchmark::RunSpecifiedBenchmarks();
  }
  benchmark::Shutdown();
  return 0;
}
