#include "cli/report.h"

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "app/window_model.h"
#include "cli/structured_export.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

constexpr char kUsage[] =
    "Usage: vsl-report [options] SAVE...\n"
    "Loads the saves as one batch, in argument order, and writes the results file that \"Save Results\"\n"
    "writes in the window.\n"
    "\n"
    "Reload audit settings (as typed before the load):\n"
    "  --start-date DD-MM-YYYY   tournament start date (default 27-11-2005)\n"
    "  --sessions-per-day TEXT   maximum sessions per day (default 1.5, in the locale's decimals)\n"
    "  --min-session TEXT        minimum session time in minutes (default 30)\n"
    "  --presessions TEXT        presessions (default 1)\n"
    "  --base-level N            base level item, 0 Settler .. 8 Deity, -1 none (default 5, Monarch)\n"
    "  --level-bonus TEXT        level bonus in percent (default 15)\n"
    "  --max-reloads TEXT        maximum reloads (default 20)\n"
    "Ladder settings (typed after the load, then applied at once):\n"
    "  --max-pop, --max-land, --max-tech, --max-wonder, --max-culture, --max-mtech, --max-turn TEXT\n"
    "  --factor-pop, --factor-land, --factor-tech, --factor-wonder, --factor-culture, --factor-mtech,\n"
    "  --factor-turn TEXT\n"
    "Ordering (one click of that sort button; may repeat, applied in order):\n"
    "  --sort file|turn|score|final|ladder\n"
    "Output:\n"
    "  --format res|csv|json     the results file (default), CSV or JSON, both in UTF-8\n"
    "  --output FILE             write to FILE instead of standard output\n"
    "  --keep-going              skip files that cannot be loaded (each reported) and report the rest\n"
    "  --help                    show this text\n"
    "\n"
    "Exit status: 0 success, 1 a file could not be loaded (also when skipped with --keep-going) or a\n"
    "setting did not convert, 2 usage error. Nothing is written when the batch fails.\n";

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The fourteen Ladder edits by option name, in the order of the page.
const std::map<std::string, std::string WindowEdits::*>& LadderOptions() {
  static const std::map<std::string, std::string WindowEdits::*> options = {
      {"--max-pop", &WindowEdits::MaxPopE},
      {"--max-land", &WindowEdits::MaxLandE},
      {"--max-tech", &WindowEdits::MaxTechE},
      {"--max-wonder", &WindowEdits::MaxWonderE},
      {"--max-culture", &WindowEdits::MaxCultureE},
      {"--max-mtech", &WindowEdits::MaxMTechE},
      {"--max-turn", &WindowEdits::MaxTurnE},
      {"--factor-pop", &WindowEdits::PopFactorE},
      {"--factor-land", &WindowEdits::LandFactorE},
      {"--factor-tech", &WindowEdits::TechFactorE},
      {"--factor-wonder", &WindowEdits::WonderFactorE},
      {"--factor-culture", &WindowEdits::CultureFactorE},
      {"--factor-mtech", &WindowEdits::MTechFactorE},
      {"--factor-turn", &WindowEdits::TurnFactorE}};
  return options;
}

// Audit edits typed before the load.
const std::map<std::string, std::string WindowEdits::*>& AuditOptions() {
  static const std::map<std::string, std::string WindowEdits::*> options = {
      {"--sessions-per-day", &WindowEdits::Edit7},
      {"--min-session", &WindowEdits::Edit8},
      {"--presessions", &WindowEdits::Edit4},
      {"--level-bonus", &WindowEdits::LevelBonusE},
      {"--max-reloads", &WindowEdits::MaxReloadE}};
  return options;
}

const std::map<std::string, SortKey> kSortKeys = {{"file", SortKey::FileName},
                                                  {"turn", SortKey::Turn},
                                                  {"score", SortKey::Score},
                                                  {"final", SortKey::FinalScore},
                                                  {"ladder", SortKey::LadderFinal}};

enum class Format { Res, Csv, Json };

struct Options {
  bool help = false;
  bool keepGoing = false;
  Format format = Format::Res;
  std::optional<std::string> output;
  std::vector<std::pair<std::string WindowEdits::*, std::string>> auditEdits;
  std::optional<int32_t> baseLevel;
  std::vector<std::pair<std::string WindowEdits::*, std::string>> ladderEdits;
  std::vector<SortKey> sorts;
  std::vector<std::string> saves;
};

void SetStartDate(Options& o, const std::string& text) {
  const size_t first = text.find('-');
  const size_t second = first == std::string::npos ? first : text.find('-', first + 1);
  if (second == std::string::npos || text.find('-', second + 1) != std::string::npos) {
    throw UsageError("--start-date needs DD-MM-YYYY, not '" + text + "'");
  }
  o.auditEdits.push_back({&WindowEdits::Edit6, text.substr(0, first)});
  o.auditEdits.push_back({&WindowEdits::Edit2, text.substr(first + 1, second - first - 1)});
  o.auditEdits.push_back({&WindowEdits::Edit3, text.substr(second + 1)});
}

int32_t BaseLevelIndex(const std::string& text) {
  size_t end = 0;
  int value = -2;
  try {
    value = std::stoi(text, &end);
  } catch (const std::exception&) {
  }
  if (end != text.size() || value < -1 || value >= static_cast<int>(kBaseLevelItems.size())) {
    throw UsageError("--base-level needs an item index from -1 to 8, not '" + text + "'");
  }
  return value;
}

template <typename T>
T Choice(const std::map<std::string, T>& choices, const std::string& option, const std::string& text) {
  auto it = choices.find(text);
  if (it == choices.end()) throw UsageError(option + " does not know '" + text + "'");
  return it->second;
}

void ApplyOption(Options& o, const std::string& name, const std::string& value) {
  if (name == "--start-date") {
    SetStartDate(o, value);
  } else if (AuditOptions().count(name)) {
    o.auditEdits.push_back({AuditOptions().at(name), value});
  } else if (name == "--base-level") {
    o.baseLevel = BaseLevelIndex(value);
  } else if (LadderOptions().count(name)) {
    o.ladderEdits.push_back({LadderOptions().at(name), value});
  } else if (name == "--sort") {
    o.sorts.push_back(Choice(kSortKeys, name, value));
  } else if (name == "--format") {
    o.format = Choice(
        std::map<std::string, Format>{{"res", Format::Res}, {"csv", Format::Csv}, {"json", Format::Json}},
        name, value);
  } else if (name == "--output") {
    o.output = value;
  } else {
    throw UsageError("unknown option " + name);
  }
}

Options ParseArguments(const std::vector<std::string>& args) {
  Options o;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      o.saves.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help") {
      o.help = true;
    } else if (arg == "--keep-going") {
      o.keepGoing = true;
    } else if (const size_t eq = arg.find('='); eq != std::string::npos) {
      ApplyOption(o, arg.substr(0, eq), arg.substr(eq + 1));
    } else {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      ApplyOption(o, arg, args[++i]);
    }
  }
  if (!o.help && o.saves.empty()) throw UsageError("no save files given");
  return o;
}

std::string Results(const WindowModel& model, Format format) {
  switch (format) {
    case Format::Csv:
      return ResultsCsv(model.ExportRows());
    case Format::Json:
      return ResultsJson(model.ExportRows(), model.Locale().DecimalSeparator());
    case Format::Res:
      break;
  }
  return model.ExportText();
}

// The actions of a person at the window, in order. Returns false when files were skipped.
bool RunActions(WindowModel& model, const Options& o, std::ostream& err) {
  for (const auto& [edit, text] : o.auditEdits) model.Edits().*edit = text;
  if (o.baseLevel) model.Edits().BaseLevelSelect = *o.baseLevel;

  BatchOptions batch;
  batch.KeepGoing = o.keepGoing;
  BatchResult result;
  batch.Result = &result;
  auto reportSkipped = [&] {
    for (const SkippedFile& skipped : result.Skipped)
      err << "vsl-report: skipped " << skipped.Message << "\n";
    if (result.LeftOut > 0) {
      err << "vsl-report: " << result.LeftOut << " file(s) left out: a batch holds at most " << kMaxFiles
          << " files\n";
    }
  };
  try {
    model.Button1Click(o.saves, batch);
  } catch (const MathError&) {
    // The files loaded, but the Ladder maxima of the last one cannot be rendered. As at the window, the
    // Ladder edits typed next render again and may mend that; without them the error stands.
    if (o.ladderEdits.empty()) {
      reportSkipped();
      throw;
    }
  }
  reportSkipped();

  if (!o.ladderEdits.empty()) {
    for (const auto& [edit, text] : o.ladderEdits) model.Edits().*edit = text;
    model.PopFactorEChange();
  }
  for (SortKey key : o.sorts) model.SortClick(key);
  return result.Skipped.empty();
}

// The message of a failure; one that comes from a setting names the option that gave it.
std::string FailureMessage(const std::exception& e) {
  const auto* setting = dynamic_cast<const SettingFailure*>(&e);
  if (setting == nullptr) return e.what();
  std::string option = "--start-date";  // the three date edits
  for (const auto* options : {&AuditOptions(), &LadderOptions()}) {
    for (const auto& [name, edit] : *options) {
      if (edit == setting->Edit()) option = name;
    }
  }
  return std::string(e.what()) + " (option " + option + ")";
}

}  // namespace

int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              std::shared_ptr<const LocaleServices> locale) {
  Options options;
  try {
    options = ParseArguments(args);
  } catch (const UsageError& e) {
    err << "vsl-report: " << e.what() << "\n" << kUsage;
    return kExitUsage;
  }
  if (options.help) {
    out << kUsage;
    return kExitSuccess;
  }

  if (options.output) {
    // Refused before anything is read: the results must never replace a save of the batch.
    try {
      CheckResultsTarget(*options.output, options.saves);
    } catch (const ExportError& e) {
      err << "vsl-report: " << e.what() << "\n";
      return kExitUsage;
    }
  }
  try {
    WindowModel model(locale ? std::move(locale) : SystemLocaleServices());
    const bool allLoaded = RunActions(model, options, err);
    const std::string results = Results(model, options.format);
    if (options.output) {
      WriteResultsFile(*options.output, results);
    } else {
      out.write(results.data(), static_cast<std::streamsize>(results.size()));
      out.flush();
    }
    return allLoaded ? kExitSuccess : kExitFailure;
  } catch (const std::exception& e) {
    err << "vsl-report: " << FailureMessage(e) << "\n";
    return kExitFailure;
  }
}

}  // namespace vsl
