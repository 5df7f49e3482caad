// guide_examples: keeps the worked examples of docs/guide.md equal to what the programs print.
//
//   guide_examples --guide FILE --bin DIR --demo DIR [--update]
//
// The guide marks each generated passage with a pair of lines
//   <!-- example:KIND key=value ... -->
//   ...
//   <!-- /example -->
// and this tool regenerates the text between them by running vsl-report (from --bin) on the demo saves
// (in --demo), in the C locale and UTC, as the tests run. Kinds:
//   run       the passage is a code block whose first line after the fence is "$ COMMAND"; the command
//             is run by the shell in the parent folder of the demo folder (so it names the saves
//             demo/...), with vsl-report on the PATH, and its standard output follows the command line.
//   ladder    file=NAME max=POP,LAND,TECH,WONDER,CULTURE,MTECH,TURN: the Ladder score of that row of the
//             demo batch, component by component, with the maxima the load sets (checked: typing them
//             changes nothing) and the default factors.
//   audit     file=NAME: the reload audit of that row, step by step, with the default settings.
//   audit-table: the allowance and the class of every row of the demo batch.
// Every number the tool writes is either copied from vsl-report's output or recomputed from the
// formulas the guide states, and a recomputed number that differs from the program's is an error:
// the guide's formulas are checked against the program as well as its numbers.
//
// Without --update it exits 1 when a passage differs from what it would write, showing both; with
// --update it rewrites the guide in place.

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

// The settings the guide documents as the defaults; CheckDefaults proves them against the program.
constexpr int kStartDay = 27, kStartMonth = 11, kStartYear = 2005;
constexpr long double kSessionsPerDay = 1.5L;
constexpr int kMinSessionMinutes = 30;
constexpr int kPresessions = 1;
constexpr int kBaseLevel = 5;
constexpr int kLevelBonus = 15;
struct Component {
  const char* name;
  const char* option;  // the Ladder edit's option suffix
  int factor;
};
constexpr Component kComponents[7] = {{"Pop", "pop", 2500},         {"Land", "land", 2500},
                                      {"Tech", "tech", 2500},       {"Wonder", "wonder", 5000},
                                      {"Culture", "culture", 2500}, {"MTech", "mtech", 5000},
                                      {"Turn", "turn", 2500}};
const char* const kLevels[9] = {"Settler", "Chieftain", "Warlord",  "Noble", "Prince",
                                "Monarch", "Emperor",   "Immortal", "Deity"};

struct Error : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Context {
  std::string bin;   // folder of vsl-report
  std::string demo;  // folder of the demo saves
  std::string demoParent;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// Runs a shell command in the demo folder's parent; standard output without CRs.
std::string Run(const Context& ctx, const std::string& command, bool mustSucceed = true) {
  const std::string full = "cd " + Quote(ctx.demoParent) + " && " + command;
  FILE* pipe = popen(full.c_str(), "r");
  if (!pipe) throw Error("cannot run: " + command);
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pclose(pipe);
  if (mustSucceed && status != 0) throw Error("command failed (" + std::to_string(status) + "): " + command);
  std::string clean;
  for (char c : out) {
    if (c != '\r') clean += c;
  }
  return clean;
}

std::string DemoSaves(const Context& ctx) {
  return Quote(ctx.demo) + "/*.Save";
}

std::string ReportJson(const Context& ctx, const std::string& options) {
  return Run(ctx, "vsl-report --format json " + options + " " + DemoSaves(ctx));
}

const Json& Row(const Json& doc, const std::string& file) {
  for (const Json& row : doc.at("rows")) {
    if (row.at("Base").at("File Name") == file) return row;
  }
  throw Error("no row '" + file + "' in the demo batch");
}

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) parts.push_back(part);
  return parts;
}

long double RoundHalfEven(long double v) {
  return std::nearbyint(v);  // the default rounding mode rounds a tie to the even integer
}

std::string Fixed(long double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*Lf", decimals, v);
  return text;
}

// Seconds of a duration text "h:mm:ss".
int64_t Seconds(const std::string& duration) {
  const auto parts = Split(duration, ':');
  if (parts.size() != 3) throw Error("not a duration: " + duration);
  return std::stoll(parts[0]) * 3600 + std::stoll(parts[1]) * 60 + std::stoll(parts[2]);
}

// Days from 1 January 1970 of a civil date.
int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The file date "dd-mm-yyyy HH:MM:SS" (or a bare date) as days since the tournament start.
long double DaysSinceStart(const std::string& fileDate) {
  int d = 0, m = 0, y = 0, hh = 0, mm = 0, ss = 0;
  // ISO 8601 as the JSON writes it: the local date and time (the offset follows).
  if (std::sscanf(fileDate.c_str(), "%d-%d-%dT%d:%d:%d", &y, &m, &d, &hh, &mm, &ss) < 3) {
    throw Error("not a file date: " + fileDate);
  }
  return static_cast<long double>(DaysFromCivil(y, m, d) -
                                  DaysFromCivil(kStartYear, kStartMonth, kStartDay)) +
         (hh * 3600 + mm * 60 + ss) / 86400.0L;
}

int LevelIndex(const std::string& text) {
  for (int i = 0; i < 9; ++i) {
    if (text == kLevels[i]) return i;
  }
  throw Error("unknown level " + text);
}

void Expect(bool ok, const std::string& what) {
  if (!ok) throw Error("the guide's formula disagrees with the program: " + what);
}

// The defaults the guide states, typed in explicitly, must give exactly the output of no options; so do
// the maxima the ladder example states (they are those the load sets).
void CheckDefaults(const Context& ctx, const std::vector<std::string>& maxima) {
  std::ostringstream typed;
  typed << "--start-date " << kStartDay << "-" << kStartMonth << "-" << kStartYear << " --sessions-per-day "
        << Fixed(kSessionsPerDay, 1) << " --min-session " << kMinSessionMinutes << " --presessions "
        << kPresessions << " --base-level " << kBaseLevel << " --level-bonus " << kLevelBonus;
  for (int c = 0; c < 7; ++c) {
    typed << " --factor-" << kComponents[c].option << " " << kComponents[c].factor;
    if (!maxima.empty()) typed << " --max-" << kComponents[c].option << " " << maxima.at(c);
  }
  if (ReportJson(ctx, typed.str()) != ReportJson(ctx, "")) {
    throw Error("the settings the guide states as the defaults (" + typed.str() +
                ") do not give the program's default results");
  }
}

std::vector<std::string> Ladder(const Context& ctx, const std::map<std::string, std::string>& args) {
  const std::vector<std::string> maxText = Split(args.at("max"), ',');
  if (maxText.size() != 7) throw Error("ladder example: max= needs seven values");
  CheckDefaults(ctx, maxText);
  const Json doc = Json::parse(ReportJson(ctx, ""));
  const Json& row = Row(doc, args.at("file"));
  const Json& ladder = row.at("Ladder");

  const int gameTurn = ladder.at("Turn").get<int>();
  const long double maxTurn = std::stold(maxText[6]);
  const long double exponent = gameTurn / (maxTurn > 0 ? maxTurn : 1200.0L);
  const char* fields[7] = {"FPop", "FLand", "FTech", "FWonder", "FCulture", "FMTech", "FTurn"};

  std::vector<std::string> out;
  std::string maxima;
  for (int c = 0; c < 7; ++c) maxima += std::string(c ? ", " : "") + kComponents[c].name + " " + maxText[c];
  out.push_back("After the load of the demo batch the Max edits show " + maxima +
                " (typing exactly these changes no number).");
  out.push_back("");
  out.push_back("Row **" + args.at("file") + "** of the demo batch: game turn " + std::to_string(gameTurn) +
                ", `MaxTurn` " + maxText[6] + ", so every target is its maximum raised to the power " +
                std::to_string(gameTurn) + " ÷ " + maxText[6] + " = " + Fixed(exponent, 4) + ".");
  out.push_back("");
  out.push_back("| Component | v | Maximum | Factor | t = Maximum ^ " + Fixed(exponent, 4) +
                " | Factor × v ÷ t | Program |");
  out.push_back("|---|---:|---:|---:|---:|---:|---|");
  int64_t sum = 0;
  for (int c = 0; c < 7; ++c) {
    const Component& comp = kComponents[c];
    long double v, max = std::stold(maxText[c]);
    std::string vText, maxShown = maxText[c];
    if (c == 4) {  // culture: both divided by 100
      const int culture = ladder.at("Culture").get<int>();
      v = culture / 100.0L;
      max /= 100.0L;
      vText = std::to_string(culture) + " ÷ 100 = " + Fixed(v, 2);
      maxShown = maxText[c] + " ÷ 100 = " + Fixed(max, 0);
    } else if (c == 6) {  // turn: the turns played, from the Reloads page
      v = row.at("Reloads").at("Turn").get<int>();
      vText = Fixed(v, 0) + " (turns played)";
    } else {
      v = ladder.at(comp.name).get<int>();
      vText = Fixed(v, 0);
    }
    const long double t = std::pow(max, exponent);
    const long double raw = comp.factor * v / t;
    const int64_t program = ladder.at(fields[c]).get<int64_t>();
    Expect(t > 0 && static_cast<int64_t>(RoundHalfEven(raw)) == program,
           std::string(fields[c]) + " of " + args.at("file"));
    sum += program;
    out.push_back("| " + std::string(comp.name) + " | " + vText + " | " + maxShown + " | " +
                  std::to_string(comp.factor) + " | " + Fixed(t, 3) + " | " + Fixed(raw, 2) + " | `" +
                  fields[c] + "` " + std::to_string(program) + " |");
  }
  const int64_t result = ladder.at("Result").get<int64_t>();
  Expect(sum == result, "Result is the sum of the seven components");
  const int level = LevelIndex(row.at("Base").at("Level").get<std::string>());
  const int64_t perLevel = static_cast<int64_t>(level - kBaseLevel) * kLevelBonus;
  const int64_t bonus = perLevel * result / 100;  // C++ division truncates toward zero, as the program's
  Expect(bonus == ladder.at("Bonus").get<int64_t>(), "Bonus");
  int64_t final = result + bonus;
  if (final < 0) final = 0;
  Expect(final == ladder.at("Final").get<int64_t>(), "Final");

  int64_t best = 0;
  std::string bestFile;
  for (const Json& r : doc.at("rows")) {
    const Json& f = r.at("Ladder").at("Final");
    if (f.is_number_integer() && (bestFile.empty() || f.get<int64_t>() > best)) {
      best = f.get<int64_t>();
      bestFile = r.at("Base").at("File Name").get<std::string>();
    }
  }
  const long double norma = best > 0 ? static_cast<long double>(final) / best : final;
  Expect(Fixed(norma, 3) == Fixed(ladder.at("Norma").get<double>(), 3), "Norma");

  out.push_back("");
  out.push_back("- `Result` = " + std::to_string(result) + ", the sum of the seven components.");
  out.push_back("- `Bonus`: level " + std::string(kLevels[level]) + " (" + std::to_string(level) +
                ") against the base level " + kLevels[kBaseLevel] + " (" + std::to_string(kBaseLevel) +
                ") at " + std::to_string(kLevelBonus) + " % a level: (" + std::to_string(level) + " − " +
                std::to_string(kBaseLevel) + ") × " + std::to_string(kLevelBonus) + " = " +
                std::to_string(perLevel) + "; " + std::to_string(perLevel) + " × " + std::to_string(result) +
                " div 100 = " + std::to_string(bonus) + ".");
  out.push_back("- `Final` = " + std::to_string(result) + " + " + std::to_string(bonus) + " = " +
                std::to_string(final) + ".");
  out.push_back("- `Norma` = " + std::to_string(final) + " ÷ " + std::to_string(best) +
                " (the best `Final` of " + "the batch, " + bestFile + "'s) = " + Fixed(norma, 3) + ".");
  return out;
}

struct AuditSteps {
  std::string file;
  long double days;  // file date minus start date
  int playDays;
  int64_t playTime;
  int reloads, sessions, maxReloads;
  long double a, b, m;
  std::string honesty;
};

AuditSteps Audit(const Json& row) {
  AuditSteps s;
  s.file = row.at("Base").at("File Name").get<std::string>();
  const Json& r = row.at("Reloads");
  s.days = DaysSinceStart(r.at("File Date").get<std::string>());
  const int computedDays = static_cast<int>(RoundHalfEven(s.days + 0.5L));
  s.playDays = computedDays < 1 || computedDays > 31 ? 30 : computedDays;
  Expect(s.playDays == r.at("Play Days").get<int>(), "Play Days of " + s.file);
  s.playTime = Seconds(r.at("Play Time").get<std::string>());
  s.reloads = r.at("Reloads").get<int>();
  s.sessions = s.reloads > 0 ? s.reloads + kPresessions : -1;  // unknown when no reloads
  s.a = s.playDays * kSessionsPerDay;
  s.b = static_cast<long double>(s.playTime) / (kMinSessionMinutes * 60);
  s.m = s.a < s.b ? s.a : s.b;
  if (s.playTime == 0) {
    s.m = s.a;
  } else if (s.m == 0) {
    s.m = 1;
  }
  s.maxReloads = static_cast<int>(RoundHalfEven(s.m));
  Expect(s.maxReloads == r.at("Max Reloads").get<int>(), "Max Reloads of " + s.file);
  const long double m = s.maxReloads;
  s.honesty = s.reloads == 0 || s.reloads < m * 75 / 100 ? "Fair"
              : s.reloads < m * 125 / 100                ? "Average"
                                                         : "Cheat";
  Expect(s.honesty == r.at("Honesty").get<std::string>(), "Honesty of " + s.file);
  if (s.reloads > 0) {
    Expect(s.playTime / s.reloads == Seconds(r.at("Session").get<std::string>()), "Session of " + s.file);
  }
  return s;
}

std::vector<std::string> AuditExample(const Context& ctx, const std::map<std::string, std::string>& args) {
  CheckDefaults(ctx, {});
  const Json doc = Json::parse(ReportJson(ctx, ""));
  const Json& row = Row(doc, args.at("file"));
  const AuditSteps s = Audit(row);
  if (s.reloads == 0) throw Error("audit example: pick a row with reloads");
  const Json& r = row.at("Reloads");
  const std::string minutes = std::to_string(kMinSessionMinutes);
  std::vector<std::string> out;
  out.push_back("Row **" + s.file + "** of the demo batch, with the default settings:");
  out.push_back("");
  // As the Reloads page shows it: dd-mm-yyyy hh:mm:ss.
  const std::string iso = r.at("File Date").get<std::string>();
  const std::string shown =
      iso.substr(8, 2) + "-" + iso.substr(5, 2) + "-" + iso.substr(0, 4) + " " + iso.substr(11, 8);
  out.push_back("1. File date " + shown + " is " + Fixed(s.days, 4) +
                " days after the start (27-11-2005 00:00); `PlayDays` = Round(" + Fixed(s.days, 4) +
                " + 0.5) = " + std::to_string(s.playDays) + ".");
  out.push_back("2. `Reloads` = " + std::to_string(s.sessions) + " sessions − " +
                std::to_string(kPresessions) + " presession = " + std::to_string(s.reloads) +
                "; `Session` = " + std::to_string(s.playTime) + " s ÷ " + std::to_string(s.reloads) + " = " +
                r.at("Session").get<std::string>() + "; `Percent` = " + std::to_string(s.reloads) +
                " × 100 ÷ " + std::to_string(r.at("Turn").get<int>()) +
                " turns = " + Fixed(r.at("Percent").get<double>(), 2) + ".");
  out.push_back("3. A = " + std::to_string(s.playDays) + " days × " + Fixed(kSessionsPerDay, 1) + " = " +
                Fixed(s.a, 2) + "; B = " + std::to_string(s.playTime) + " s ÷ (" + minutes +
                " × 60) = " + Fixed(s.b, 2) + "; M = the smaller = " + Fixed(s.m, 2) +
                "; `Max Reloads` = Round(M) = " + std::to_string(s.maxReloads) + ".");
  out.push_back("4. Fair below " + std::to_string(s.maxReloads) +
                " × 0.75 = " + Fixed(s.maxReloads * 0.75L, 2) + ", Average below " +
                std::to_string(s.maxReloads) + " × 1.25 = " + Fixed(s.maxReloads * 1.25L, 2) + ": " +
                std::to_string(s.reloads) + " reloads give **" + s.honesty + "**.");
  return out;
}

std::vector<std::string> AuditTable(const Context& ctx) {
  CheckDefaults(ctx, {});
  const Json doc = Json::parse(ReportJson(ctx, ""));
  std::vector<std::string> out;
  out.push_back(
      "| File | Play Days | Play Time | Reloads | A = days × 1.5 | B = seconds ÷ 1800 | Max Reloads | "
      "Fair below | Average below | Honesty |");
  out.push_back("|---|---:|---:|---:|---:|---:|---:|---:|---:|---|");
  for (const Json& row : doc.at("rows")) {
    if (!row.at("Reloads").at("Reloads").is_number()) {
      out.push_back("| " + row.at("Base").at("File Name").get<std::string>() +
                    " | — | — | — | — | — | — | — | — | (locked) |");
      continue;
    }
    const AuditSteps s = Audit(row);
    out.push_back("| " + s.file + " | " + std::to_string(s.playDays) + " | " +
                  row.at("Reloads").at("Play Time").get<std::string>() + " | " + std::to_string(s.reloads) +
                  " | " + Fixed(s.a, 2) + " | " + Fixed(s.b, 2) + " | " + std::to_string(s.maxReloads) +
                  " | " + Fixed(s.maxReloads * 0.75L, 2) + " | " + Fixed(s.maxReloads * 1.25L, 2) + " | " +
                  s.honesty + " |");
  }
  return out;
}

// A code block: the fence, "$ COMMAND", then the command's output, then the closing fence.
std::vector<std::string> RunExample(const Context& ctx, const std::vector<std::string>& old) {
  if (old.size() < 2 || old[0].rfind("```", 0) != 0 || old[1].rfind("$ ", 0) != 0) {
    throw Error("a run example must start with a code fence and a line \"$ COMMAND\"");
  }
  std::vector<std::string> out = {old[0], old[1]};
  const std::string text = Run(ctx, old[1].substr(2), false);
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) out.push_back(line);
  out.push_back("```");
  return out;
}

std::map<std::string, std::string> Arguments(const std::string& marker, std::string& kind) {
  // "<!-- example:KIND key=value ... -->"
  const size_t start = marker.find("example:") + 8;
  const size_t end = marker.rfind("-->");
  std::istringstream words(marker.substr(start, end - start));
  words >> kind;
  std::map<std::string, std::string> args;
  std::string word;
  while (words >> word) {
    const size_t eq = word.find('=');
    if (eq == std::string::npos) throw Error("marker argument without '=': " + word);
    args[word.substr(0, eq)] = word.substr(eq + 1);
  }
  return args;
}

int Main(int argc, char** argv) {
  std::string guidePath;
  Context ctx;
  bool update = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--update") {
      update = true;
    } else if (i + 1 < argc && arg == "--guide") {
      guidePath = argv[++i];
    } else if (i + 1 < argc && arg == "--bin") {
      ctx.bin = argv[++i];
    } else if (i + 1 < argc && arg == "--demo") {
      ctx.demo = argv[++i];
    } else {
      std::cerr << "usage: guide_examples --guide FILE --bin DIR --demo DIR [--update]\n";
      return 2;
    }
  }
  if (guidePath.empty() || ctx.bin.empty() || ctx.demo.empty()) {
    std::cerr << "usage: guide_examples --guide FILE --bin DIR --demo DIR [--update]\n";
    return 2;
  }
  ctx.bin = std::filesystem::absolute(ctx.bin).lexically_normal().string();
  ctx.demo = std::filesystem::absolute(ctx.demo).lexically_normal().string();
  while (ctx.demo.size() > 1 && ctx.demo.back() == '/') ctx.demo.pop_back();
  const size_t slash = ctx.demo.rfind('/');
  ctx.demoParent = slash == std::string::npos ? "." : ctx.demo.substr(0, slash);
  if (ctx.demoParent.empty()) ctx.demoParent = "/";

  // The programs run as the tests run them, whatever the caller's locale and time zone.
  const char* path = std::getenv("PATH");
  setenv("PATH", (ctx.bin + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
  setenv("LC_ALL", "C", 1);
  setenv("LANG", "C", 1);
  setenv("TZ", "UTC", 1);

  std::ifstream in(guidePath);
  if (!in) {
    std::cerr << "guide_examples: cannot read " << guidePath << "\n";
    return 1;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);

  std::vector<std::string> result;
  int blocks = 0, differing = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    result.push_back(lines[i]);
    if (lines[i].rfind("<!-- example:", 0) != 0) continue;
    size_t close = i + 1;
    while (close < lines.size() && lines[close] != "<!-- /example -->") ++close;
    if (close == lines.size())
      throw Error("line " + std::to_string(i + 1) + ": example without <!-- /example -->");
    const std::vector<std::string> old(lines.begin() + static_cast<long>(i) + 1,
                                       lines.begin() + static_cast<long>(close));
    std::string kind;
    const auto args = Arguments(lines[i], kind);
    std::vector<std::string> fresh;
    if (kind == "run") {
      fresh = RunExample(ctx, old);
    } else if (kind == "ladder") {
      fresh = Ladder(ctx, args);
    } else if (kind == "audit") {
      fresh = AuditExample(ctx, args);
    } else if (kind == "audit-table") {
      fresh = AuditTable(ctx);
    } else {
      throw Error("line " + std::to_string(i + 1) + ": unknown example kind '" + kind + "'");
    }
    ++blocks;
    if (fresh != old) {
      ++differing;
      std::cerr << guidePath << ":" << i + 1 << ": example " << kind << " differs from the programs' output\n"
                << "--- in the guide\n";
      for (const auto& l : old) std::cerr << "  " << l << "\n";
      std::cerr << "+++ from the programs\n";
      for (const auto& l : fresh) std::cerr << "  " << l << "\n";
    }
    result.insert(result.end(), fresh.begin(), fresh.end());
    result.push_back(lines[close]);
    i = close;
  }

  if (update) {
    std::ofstream out(guidePath, std::ios::trunc);
    for (const auto& l : result) out << l << "\n";
    if (!out) {
      std::cerr << "guide_examples: cannot write " << guidePath << "\n";
      return 1;
    }
    std::cout << "updated " << differing << " of " << blocks << " examples in " << guidePath << "\n";
    return 0;
  }
  if (blocks == 0) {
    std::cerr << "guide_examples: no examples found in " << guidePath << "\n";
    return 1;
  }
  std::cout << blocks - differing << " of " << blocks << " examples match the programs\n";
  return differing == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Main(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "guide_examples: " << e.what() << "\n";
    return 1;
  }
}
