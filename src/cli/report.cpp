#include "cli/report.h"

#include <QCommandLineParser>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "app/export/exports.h"
#include "app/tournament_settings.h"
#include "app/translation.h"
#include "app/window_model.h"
#include "save/file_info.h"
#include "scoring/convert.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

constexpr char kUsageHead[] =
    "Usage: vsl-report [options] SAVE...\n"
    "Loads the saves as one batch, in argument order, and writes the results file that \"Save Results\"\n"
    "writes in the window, or the results as CSV, JSON or a web page.\n"
    "\n";
constexpr char kUsageTail[] =
    "\n"
    "Exit status: 0 success, 1 a file could not be loaded (also when skipped with --keep-going or left\n"
    "out beyond the hundredth), a setting did not convert or the output could not be written,\n"
    "2 usage error. Nothing is written when the batch fails.\n";

constexpr char kTryHelp[] = "Try 'vsl-report --help' for more information.";

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Options of the command line, as registered and as the help lists them. A one-letter name is the short
// form of the long name after it; other names in one entry are options of their own that share the
// entry's value and text (the Ladder's seven).
struct OptionSpec {
  std::vector<std::string> names;
  std::string value;                         // the value shown in the help; empty for a switch
  std::string text;                          // what it does; a line break continues it under itself
  std::string WindowEdits::*edit = nullptr;  // the audit edit whose text it gives, if one
};

struct OptionGroup {
  std::string heading;
  std::vector<OptionSpec> options;
};

// The Ladder options for one edit kind: "max-pop" ... "max-turn".
std::vector<std::string> LadderOptionNames(const std::string& prefix) {
  std::vector<std::string> names;
  for (const LadderComponent& c : kLadderComponents) names.push_back(prefix + c.Key);
  return names;
}

const std::vector<OptionGroup>& OptionGroups() {
  static const std::vector<OptionGroup> groups = {
      {"Tournament settings",
       {{{"settings"},
         "FILE",
         "read the tournament's settings from FILE (JSON, see the guide);\n"
         "the options below override it"}}},
      {"Reload audit settings (as typed before the load; decimals with a point or the locale's separator)",
       {{{"start-date"}, "DD-MM-YYYY", "tournament start date (default 27-11-2005)"},
        {{"sessions-per-day"}, "NUMBER", "maximum sessions per day (default 1.5)", &WindowEdits::Edit7},
        {{"min-session"}, "N", "minimum session time in minutes (default 30)", &WindowEdits::Edit8},
        {{"presessions"}, "N", "presessions (default 1)", &WindowEdits::Edit4},
        {{"base-level"}, "N", "base level item, 0 Settler .. 8 Deity, -1 none (default 5, Monarch)"},
        {{"level-bonus"}, "N", "level bonus in percent (default 15)", &WindowEdits::LevelBonusE},
        {{"max-reloads"}, "N", "maximum reloads (default 20)", &WindowEdits::MaxReloadE}}},
      {"Ladder settings (typed after the load, then applied at once)",
       {{LadderOptionNames("max-"), "N", ""}, {LadderOptionNames("factor-"), "N", ""}}},
      {"Ordering (one click of that sort button; may repeat, applied in order)",
       {{{"sort"}, "file|turn|score|final|ladder", ""}}},
      {"Chart (the web page's history)",
       {{{"graph"}, "score|economy|industry|agriculture|power|culture|science", "(default score)"}}},
      {"Output",
       {{{"format"},
         "res|csv|json|html",
         "the results file (default, code page 1251), CSV, JSON or a web page\n"
         "(all three in UTF-8)"},
        {{"language"}, "en|ru", "the web page's language (default en)"},
        {{"output"}, "FILE", "write to FILE instead of standard output"},
        {{"keep-going"}, "", "skip files that cannot be loaded (each reported) and report the rest"},
        {{"h", "help"}, "", "show this text"},
        {{"v", "version"}, "", "show the program's name and version"}}}};
  return groups;
}

// The options that give an audit edit's text.
std::vector<const OptionSpec*> AuditOptions() {
  std::vector<const OptionSpec*> options;
  for (const OptionGroup& g : OptionGroups()) {
    for (const OptionSpec& o : g.options) {
      if (o.edit != nullptr) options.push_back(&o);
    }
  }
  return options;
}

// Registers every option of the table, each with its names and, when it takes one, a value.
void AddOptions(QCommandLineParser& parser) {
  for (const OptionGroup& g : OptionGroups()) {
    for (const OptionSpec& o : g.options) {
      QStringList names;
      for (const std::string& name : o.names) {
        names << QString::fromStdString(name);
        if (name.size() == 1) continue;  // a short form: its long name follows
        QCommandLineOption option(names, QString::fromStdString(o.text));
        if (!o.value.empty()) option.setValueName("value");
        parser.addOption(option);
        names.clear();
      }
    }
  }
}

constexpr size_t kHelpWidth = 100;  // an entry's names wrap before this column
constexpr size_t kHelpColumn = 28;  // where the texts begin, or two blanks after longer names

// One entry of the help: its names (wrapped), then its text.
std::string HelpEntry(const OptionSpec& o) {
  std::string lines, line = " ";
  for (size_t i = 0; i < o.names.size(); ++i) {
    std::string word = (o.names[i].size() == 1 ? "-" : "--") + o.names[i];
    word += i + 1 < o.names.size() ? "," : o.value.empty() ? "" : " " + o.value;
    if (line.size() > 1 && line.size() + 1 + word.size() > kHelpWidth) {
      lines += line + "\n";
      line = " ";
    }
    line += " " + word;
  }
  if (o.text.empty()) return lines + line + "\n";
  line.resize(line.size() < kHelpColumn ? kHelpColumn : line.size() + 2, ' ');
  for (const char c : o.text) line += c == '\n' ? "\n" + std::string(kHelpColumn, ' ') : std::string(1, c);
  return lines + line + "\n";
}

std::string HelpText() {
  std::string help = kUsageHead;
  for (const OptionGroup& g : OptionGroups()) {
    help += g.heading + ":\n";
    for (const OptionSpec& o : g.options) help += HelpEntry(o);
  }
  return help + kUsageTail;
}

const std::map<std::string, SortKey> kSortKeys = {{"file", SortKey::FileName},
                                                  {"turn", SortKey::Turn},
                                                  {"score", SortKey::Score},
                                                  {"final", SortKey::FinalScore},
                                                  {"ladder", SortKey::LadderFinal}};

const std::map<std::string, ExportFormat> kFormats = {{"res", ExportFormat::Results},
                                                      {"csv", ExportFormat::Csv},
                                                      {"json", ExportFormat::Json},
                                                      {"html", ExportFormat::Html}};

// A text for an edit.
struct EditText {
  std::string WindowEdits::*edit;
  std::string text;
};

struct Options {
  bool help = false;
  bool version = false;
  bool keepGoing = false;
  ExportFormat format = ExportFormat::Results;
  std::optional<std::string> output;
  std::optional<std::string> settingsFile;
  std::optional<DateText> startDate;
  std::vector<EditText> auditEdits;
  std::optional<int32_t> baseLevel;
  std::vector<EditText> ladderEdits;
  std::vector<SortKey> sorts;
  std::optional<int32_t> graph;
  std::string language = "en";  // of the web page
  std::vector<std::string> saves;
};

// Arguments are carried through Qt byte for byte (as Latin-1), so that a file name that is not valid in
// the locale's encoding reaches the file system unchanged.
QString FromBytes(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string ToBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

DateText StartDate(const std::string& text) {
  const std::optional<DateText> date = DateText::Split(text);
  if (!date) throw UsageError("--start-date needs DD-MM-YYYY, not '" + text + "'");
  return *date;
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
  if (it == choices.end()) throw UsageError("--" + option + " does not know '" + text + "'");
  return it->second;
}

int32_t GraphItem(const std::string& text) {
  for (size_t i = 0; i < kGraphSelectItems.size(); ++i) {
    if (QString::fromLatin1(kGraphSelectItems[i]).toLower().toStdString() == text)
      return static_cast<int32_t>(i);
  }
  throw UsageError("--graph does not know '" + text + "'");
}

Options ParseArguments(const std::vector<std::string>& args) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
  AddOptions(parser);

  QStringList arguments = {"vsl-report"};
  for (const std::string& a : args) arguments << FromBytes(a);
  if (!parser.parse(arguments)) throw UsageError(ToBytes(parser.errorText()));

  Options o;
  o.help = parser.isSet("help");
  o.version = parser.isSet("version");
  o.keepGoing = parser.isSet("keep-going");
  const auto values = [&](const QString& name) {
    std::vector<std::string> texts;
    for (const QString& v : parser.values(name)) texts.push_back(ToBytes(v));
    return texts;
  };
  for (const std::string& v : values("start-date")) {
    o.startDate = StartDate(v);
  }
  for (const OptionSpec* opt : AuditOptions()) {
    for (const std::string& v : values(QString::fromStdString(opt->names[0])))
      o.auditEdits.push_back({opt->edit, v});
  }
  for (const std::string& v : values("base-level")) o.baseLevel = BaseLevelIndex(v);
  for (const LadderComponent& c : kLadderComponents) {
    for (const std::string& v : values(QString("max-") + c.Key)) {
      o.ladderEdits.push_back({c.MaxEdit, v});
    }
    for (const std::string& v : values(QString("factor-") + c.Key)) {
      o.ladderEdits.push_back({c.FactorEdit, v});
    }
  }
  for (const std::string& v : values("sort")) o.sorts.push_back(Choice(kSortKeys, "sort", v));
  for (const std::string& v : values("format")) o.format = Choice(kFormats, "format", v);
  for (const std::string& v : values("output")) o.output = v;
  for (const std::string& v : values("settings")) o.settingsFile = v;
  for (const std::string& v : values("graph")) o.graph = GraphItem(v);
  for (const std::string& v : values("language")) {
    if (std::find(kLanguages.begin(), kLanguages.end(), v) == kLanguages.end())
      throw UsageError("--language does not know '" + v + "'");
    o.language = v;
  }
  for (const QString& save : parser.positionalArguments()) o.saves.push_back(ToBytes(save));
  if (!o.help && !o.version && o.saves.empty()) throw UsageError("no save files given");
  return o;
}

// The command line's setting texts, checked as the window would convert them (so that a text that
// does not convert is blamed on its option, not on a file) and decimals put in the locale's notation.
void CheckSettings(Options& o, char separator) {
  try {
    if (o.startDate) TextToDate(o.startDate->Joined());
  } catch (const ConvertError& e) {
    throw SettingConvertError(&WindowEdits::Edit6, e.what());
  }
  for (std::vector<EditText>* list : {&o.auditEdits, &o.ladderEdits}) {
    for (EditText& e : *list) {
      try {
        if (e.edit == &WindowEdits::Edit7) {
          e.text = LocaleDecimalText(e.text, separator);
        } else {
          TextToInt(e.text);
        }
      } catch (const ConvertError& error) {
        throw SettingConvertError(e.edit, error.what());
      }
    }
  }
}

// The actions of a person at the window, in order. Returns false when files were skipped or left out.
bool RunActions(WindowModel& model, const Options& o, const std::optional<TournamentSettings>& file,
                std::ostream& err) {
  if (file) ApplyAuditSettings(*file, model.Edits(), model.Locale().DecimalSeparator());
  if (o.startDate) model.Edits().SetStartDate(*o.startDate);
  for (const EditText& e : o.auditEdits) model.Edits().*e.edit = e.text;
  if (o.baseLevel) model.Edits().BaseLevelSelect = *o.baseLevel;

  BatchOptions batch;
  batch.KeepGoing = o.keepGoing;
  BatchResult result;
  batch.Result = &result;
  auto reportSkipped = [&] {
    for (const SkippedFile& skipped : result.Skipped)
      err << "vsl-report: skipped " << skipped.Message << "\n";
    for (size_t k = static_cast<size_t>(kMaxFiles); k < o.saves.size(); ++k) {
      err << "vsl-report: left out " << o.saves[k] << ": a batch holds at most " << kMaxFiles << " files\n";
    }
  };
  const bool ladderEdits = file || !o.ladderEdits.empty();
  try {
    model.Button1Click(o.saves, batch);
  } catch (const MathError&) {
    // The files loaded, but the Ladder maxima of the last one cannot be rendered. As at the window, the
    // Ladder edits typed next render again and may mend that; without them the error stands.
    if (!ladderEdits) {
      reportSkipped();
      throw;
    }
  }
  reportSkipped();

  if (ladderEdits) {
    if (file) ApplyLadderSettings(*file, model.Edits());
    for (const EditText& e : o.ladderEdits) model.Edits().*e.edit = e.text;
    model.PopFactorEChange();
  }
  for (SortKey key : o.sorts) model.SortClick(key);
  if (o.graph) {
    model.Edits().GraphSelect = *o.graph;
    model.GraphSelectChange();
  }
  return result.Skipped.empty() && o.saves.size() <= static_cast<size_t>(kMaxFiles);
}

// Writes the results where the options say, never over a file the run read. Returns false (after a
// message) when they could not be written to standard output.
bool WriteOutput(const Options& o, const FilesRead& read, const std::string& results, std::ostream& out,
                 std::ostream& err) {
  if (o.output) {
    WriteOutputFile(*o.output, results, read, OutputKind::Results);
    return true;
  }
  errno = 0;
  out.write(results.data(), static_cast<std::streamsize>(results.size()));
  out.flush();
  if (out) return true;
  const int error = errno;
  err << "vsl-report: cannot write the results to standard output"
      << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << "\n";
  return false;
}

// The message of a failure; one that comes from a setting names the option that gave it.
std::string FailureMessage(const std::exception& e) {
  const auto* setting = dynamic_cast<const SettingFailure*>(&e);
  if (setting == nullptr) return e.what();
  std::string option = "start-date";  // the three date edits
  for (const OptionSpec* o : AuditOptions()) {
    if (o->edit == setting->Edit()) option = o->names[0];
  }
  for (const LadderComponent& c : kLadderComponents) {
    if (c.MaxEdit == setting->Edit()) option = std::string("max-") + c.Key;
    if (c.FactorEdit == setting->Edit()) option = std::string("factor-") + c.Key;
  }
  return std::string(e.what()) + " (option --" + option + ")";
}

}  // namespace

int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              std::shared_ptr<const LocaleServices> locale) {
  Options options;
  try {
    options = ParseArguments(args);
  } catch (const UsageError& e) {
    err << "vsl-report: " << e.what() << "\n" << kTryHelp << "\n";
    return kExitUsage;
  }
  if (options.help || options.version) {
    const std::string text =
        options.help ? HelpText() : "vsl-report (Vellum Saves List) " VSL_VERSION "\n";
    return WriteOutput({}, {}, text, out, err) ? kExitSuccess : kExitFailure;
  }

  if (options.output) {
    // Refused before anything is read: the results must never replace a save of the batch or the
    // settings file.
    FilesRead inputs;
    inputs.SetSaves(options.saves);
    if (options.settingsFile) inputs.AddSettingsFile(*options.settingsFile);
    try {
      CheckOutputTarget(*options.output, inputs);
    } catch (const ExportError& e) {
      err << "vsl-report: " << e.what() << "\n";
      return kExitUsage;
    }
  }
  try {
    WindowModel model(locale ? std::move(locale) : SystemLocaleServices());
    std::optional<TournamentSettings> file;
    if (options.settingsFile) {
      file = LoadTournamentSettings(*options.settingsFile);
      model.Inputs().AddSettingsFile(*options.settingsFile);
    }
    CheckSettings(options, model.Locale().DecimalSeparator());
    const bool allLoaded = RunActions(model, options, file, err);
    const std::string results = ExportBytes(model, options.format, options.language);
    if (!WriteOutput(options, model.Inputs(), results, out, err)) return kExitFailure;
    return allLoaded ? kExitSuccess : kExitFailure;
  } catch (const std::exception& e) {
    err << "vsl-report: " << FailureMessage(e) << "\n";
    return kExitFailure;
  }
}

}  // namespace vsl
