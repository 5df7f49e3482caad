#include "app/tournament_settings.h"

#include <QDate>
#include <QFile>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <set>

#include "app/file_name_text.h"
#include "app/format.h"
#include "scoring/convert.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kMaxDepth = 8;  // objects and lists; the file's own go three deep
constexpr size_t kExcerptLength = 32;
constexpr double kMaxSessionsPerDay = 1e6;

QString PathName(const std::string& path) {
  return PathText(path);
}

// A base level item without the blanks that align it in the drop-down list.
std::string Trimmed(const char* item) {
  return std::string(TrimLeft(item));
}

// A text of the file as messages show it: at most kExcerptLength characters, and every control or
// direction-changing character written as \uXXXX, so that nothing of it acts on a terminal.
std::string Excerpt(std::string_view text) {
  std::string out;
  size_t shown = 0;
  for (size_t i = 0; i < text.size(); ++shown) {
    if (shown == kExcerptLength) return out + "...";
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = std::min<size_t>(lead < 0xC0   ? 1
                                           : lead < 0xE0 ? 2
                                           : lead < 0xF0 ? 3
                                                         : 4,
                                           text.size() - i);
    uint32_t point = length == 1 ? lead : lead & (0x7Fu >> length);
    for (size_t k = 1; k < length; ++k)
      point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    if (point < 0x20 || (point >= 0x7F && point <= 0x9F) || (point >= 0x2028 && point <= 0x202E) ||
        (point >= 0x2066 && point <= 0x2069) || point == 0xFEFF) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(point));
      out += escaped;
    } else {
      out.append(text.substr(i, length));
    }
    i += length;
  }
  return out;
}

// The offset of the first byte that is not part of well-formed UTF-8, or npos.
size_t FirstNonUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const auto b = [&](size_t k) -> unsigned {
      return i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0u;
    };
    const unsigned lead = b(0);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    // The second byte's range excludes overlong forms, surrogates and points beyond U+10FFFF.
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length > 1 && (b(1) < low || b(1) > high)) length = 0;
    for (size_t k = 2; k < length; ++k) {
      if (b(k) < 0x80 || b(k) > 0xBF) length = 0;
    }
    if (length == 0) return i;
    i += length;
  }
  return std::string_view::npos;
}

// The whole-number settings of the audit, each with its least value and the edit it is typed into.
struct AuditWhole {
  const char* Key;
  int32_t TournamentSettings::*Value;
  int64_t Min;
  std::string WindowEdits::*Edit;
};
constexpr AuditWhole kAuditWholes[] = {
    {"audit.minSession", &TournamentSettings::MinSession, 0, &WindowEdits::Edit8},
    {"audit.presessions", &TournamentSettings::Presessions, 0, &WindowEdits::Edit4},
    {"audit.levelBonus", &TournamentSettings::LevelBonus, INT32_MIN, &WindowEdits::LevelBonusE},
    {"audit.maxReloads", &TournamentSettings::MaxReloads, 0, &WindowEdits::MaxReloadE}};

// Where the whole-number setting `key` of `s` is kept (a value, or a Ladder maximum) and its least
// value; neither place for any other key.
struct WholeSlot {
  int32_t* Value = nullptr;
  std::optional<int32_t>* Maximum = nullptr;
  int64_t Min = 0;
};
WholeSlot FindWhole(TournamentSettings& s, const std::string& key) {
  for (const AuditWhole& w : kAuditWholes) {
    if (key == w.Key) return {&(s.*w.Value), nullptr, w.Min};
  }
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    if (key == std::string("ladder.factors.") + kLadderComponents[i].Key)
      return {&s.Factors[i], nullptr, INT32_MIN};
    if (key == std::string("ladder.maxima.") + kLadderComponents[i].Key) return {nullptr, &s.Maxima[i], 0};
  }
  return {};
}

std::string WholeRequirement(int64_t min) {
  return "must be a whole number from " + std::to_string(min) + " to " + std::to_string(INT32_MAX);
}

// A whole number from `min` to the largest 32-bit one, or nothing (never wrapped).
std::optional<int32_t> Whole(const Json& value, int64_t min) {
  if (value.is_number_unsigned()) {
    const uint64_t v = value.get<uint64_t>();
    if (v > static_cast<uint64_t>(INT32_MAX) || static_cast<int64_t>(v) < min) return std::nullopt;
    return static_cast<int32_t>(v);
  }
  if (!value.is_number_integer()) return std::nullopt;
  const int64_t v = value.get<int64_t>();
  if (v < min || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

bool IsGroup(const std::string& key) {
  return key == "audit" || key == "ladder" || key == "ladder.factors" || key == "ladder.maxima";
}

// What the value of `key` must be; empty for a key the file does not have.
std::string Requirement(const std::string& key) {
  if (key.empty() || IsGroup(key)) return "must be an object";
  if (key == "version") return WholeRequirement(1);
  if (key == "audit.startDate") return "must be a text DD-MM-YYYY";
  if (key == "audit.sessionsPerDay") return "must be a number from 0 to 1000000";
  if (key == "audit.baseLevel") return "must be a level name from Settler to Deity, or none";
  TournamentSettings scratch;
  const WholeSlot slot = FindWhole(scratch, key);
  return slot.Value || slot.Maximum ? WholeRequirement(slot.Min) : std::string();
}

// Sets the setting `key` (not a group, not the version) to `value`; the problem when it cannot.
std::optional<std::string> Assign(TournamentSettings& s, const std::string& key, const Json& value) {
  const std::string requirement = Requirement(key);
  if (requirement.empty() || key == "version" || IsGroup(key)) return "is not a known setting";
  if (key == "audit.startDate" || key == "audit.baseLevel") {
    if (!value.is_string()) return requirement;
    const std::string& text = value.get_ref<const std::string&>();
    if (key == "audit.startDate") {
      try {
        TextToDate(text);
      } catch (const ConvertError&) {
        return "'" + Excerpt(text) + "' is not a valid date";
      }
      s.StartDate = text;
      return std::nullopt;
    }
    for (int32_t i = -1; i < static_cast<int32_t>(kBaseLevelItems.size()); ++i) {
      if (text == (i < 0 ? "none" : Trimmed(kBaseLevelItems[static_cast<size_t>(i)]))) {
        s.BaseLevel = i;
        return std::nullopt;
      }
    }
    return requirement;
  }
  if (key == "audit.sessionsPerDay") {
    if (!value.is_number() || !(value.get<double>() >= 0 && value.get<double>() <= kMaxSessionsPerDay))
      return requirement;
    s.SessionsPerDay = value.get<double>();
    return std::nullopt;
  }
  const WholeSlot slot = FindWhole(s, key);
  const std::optional<int32_t> whole = Whole(value, slot.Min);
  if (!whole) return requirement;
  if (slot.Maximum) *slot.Maximum = *whole;
  if (slot.Value) *slot.Value = *whole;
  return std::nullopt;
}

// The file's bytes, read only up to kMaxSettingsFileBytes: a longer file is refused before more of it
// is read, so that a device that never ends takes no more than that.
std::string ReadBounded(const std::string& path) {
  QFile file(PathName(path));
  if (!file.open(QIODevice::ReadOnly)) {
    throw SettingsFileError(path + ": cannot open the file: " + file.errorString().toStdString());
  }
  const QByteArray bytes = file.read(kMaxSettingsFileBytes + 1);
  if (bytes.size() > kMaxSettingsFileBytes) {
    throw SettingsFileError(path + ": the file is larger than 1 MiB, too large for a settings file");
  }
  if (file.error() != QFileDevice::NoError) {
    throw SettingsFileError(path + ": cannot read the file: " + file.errorString().toStdString());
  }
  return bytes.toStdString();
}

// Parses a settings file's text, keeping the path of keys open at each point so that every problem
// names where it was met; refuses a key given twice and nesting beyond kMaxDepth.
class SettingsParser {
 public:
  SettingsParser(std::string path, std::string bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}

  Json Parse() {
    if (bytes_.starts_with("\xEF\xBB\xBF")) {
      Fail("the file begins with a byte order mark: save it as UTF-8 without one");
    }
    try {
      return Json::parse(bytes_, [this](int depth, nlohmann::json::parse_event_t event, Json& parsed) {
        return Event(depth, event, parsed);
      });
    } catch (const nlohmann::json::out_of_range&) {
      // A number too large for a double: the requirement of the key it was given for.
      const std::string requirement = Requirement(RawKey());
      Fail(requirement.empty() ? "is not a known setting" : requirement);
    } catch (const nlohmann::json::parse_error& e) {
      // Where the parser stopped, or the first byte that is not UTF-8 when that comes no later.
      const size_t stop = std::min(e.byte > 0 ? e.byte - 1 : 0, bytes_.size());
      const size_t notUtf8 = FirstNonUtf8(bytes_);
      const size_t at = std::min(stop, notUtf8);
      const size_t lineStart = at == 0 ? 0 : bytes_.rfind('\n', at - 1) + 1;
      const auto line =
          std::count(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1;
      const std::string where =
          "line " + std::to_string(line) + ", column " + std::to_string(at - lineStart + 1);
      if (notUtf8 <= stop) Fail("is not UTF-8 text (" + where + "): save the file as UTF-8");
      Fail("is not valid JSON at " + where);
    }
  }

 private:
  struct Frame {
    std::set<std::string> Seen;
    std::string Key;  // the member being read, empty between members and in a list
  };

  bool Event(int depth, nlohmann::json::parse_event_t event, const Json& parsed) {
    using E = nlohmann::json::parse_event_t;
    if (event == E::object_start || event == E::array_start) {
      if (depth >= kMaxDepth)
        Fail("objects and lists are nested more than " + std::to_string(kMaxDepth) + " deep");
      frames_.emplace_back();
    } else if (event == E::key) {
      Frame& frame = frames_.back();
      frame.Key = parsed.get<std::string>();
      if (!frame.Seen.insert(frame.Key).second) Fail("is given twice");
    } else if (event == E::object_end || event == E::array_end) {
      frames_.pop_back();
    }
    if (event != E::key && event != E::object_start && event != E::array_start && !frames_.empty()) {
      frames_.back().Key.clear();
    }
    return true;
  }

  std::string RawKey() const {
    std::string key;
    for (const Frame& f : frames_) {
      if (!f.Key.empty()) key += (key.empty() ? "" : ".") + f.Key;
    }
    return key;
  }

  [[noreturn]] void Fail(const std::string& problem) const {
    std::string key;
    for (const Frame& f : frames_) {
      if (!f.Key.empty()) key += (key.empty() ? "" : ".") + Excerpt(f.Key);
    }
    throw SettingsFileError(path_ + ": " + (key.empty() ? "(top level)" : key) + ": " + problem);
  }

  std::string path_, bytes_;
  std::vector<Frame> frames_;
};

using FailFunction = std::function<void(const std::string& key, const std::string& problem)>;

// Reads every member of `object` (the group `key`, "" for the top level) into `s`: each member is a
// setting or a group of settings; the version is read apart.
void ReadGroup(const Json& object, const std::string& key, TournamentSettings& s, const FailFunction& fail) {
  if (!object.is_object()) fail(key.empty() ? "(top level)" : key, "must be an object");
  for (const auto& [name, value] : object.items()) {
    const std::string member = key.empty() ? name : key + "." + name;
    if (member == "version") continue;
    if (IsGroup(member)) {
      ReadGroup(value, member, s, fail);
    } else if (const auto problem = Assign(s, member, value)) {
      fail(key.empty() ? Excerpt(name) : key + "." + Excerpt(name), *problem);
    }
  }
}

std::string DecimalText(double value) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return ec == std::errc() ? std::string(buffer, end) : "0";
}

std::string IsoDate(const std::string& dayMonthYear) {
  // The text converts (it was checked when it was set); days since 30 December 1899 to a civil date.
  const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(TextToDate(dayMonthYear)));
  return date.toString(Qt::ISODate).toStdString();
}

}  // namespace

TournamentSettings LoadTournamentSettings(const std::string& path) {
  const Json doc = SettingsParser(path, ReadBounded(path)).Parse();
  const FailFunction fail = [&path](const std::string& key, const std::string& problem) {
    throw SettingsFileError(path + ": " + key + ": " + problem);
  };
  if (!doc.is_object()) fail("(top level)", "must be an object");
  const auto version = doc.find("version");
  if (version == doc.end()) fail("version", "is missing");
  const std::optional<int32_t> number = Whole(*version, 1);
  if (!number) fail("version", WholeRequirement(1));
  if (*number > kTournamentSettingsVersion) {
    fail("version", "the file was written by a later program (version " + std::to_string(*number) + ")");
  }
  TournamentSettings s;
  ReadGroup(doc, "", s, fail);
  return s;
}

nlohmann::ordered_json TournamentSettingsJson(const TournamentSettings& s) {
  Json audit = Json::object();
  audit["startDate"] = s.StartDate;
  audit["startDateIso"] = IsoDate(s.StartDate);
  audit["sessionsPerDay"] = s.SessionsPerDay;
  audit["minSession"] = s.MinSession;
  audit["presessions"] = s.Presessions;
  audit["baseLevel"] = s.BaseLevel >= 0 && s.BaseLevel < static_cast<int32_t>(kBaseLevelItems.size())
                           ? Trimmed(kBaseLevelItems[static_cast<size_t>(s.BaseLevel)])
                           : "none";
  audit["levelBonus"] = s.LevelBonus;
  audit["maxReloads"] = s.MaxReloads;
  Json factors = Json::object(), maxima = Json::object();
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    factors[kLadderComponents[i].Key] = s.Factors[i];
    if (s.Maxima[i]) maxima[kLadderComponents[i].Key] = *s.Maxima[i];
  }
  Json doc = Json::object();
  doc["version"] = kTournamentSettingsVersion;
  doc["audit"] = std::move(audit);
  doc["ladder"] = {{"factors", std::move(factors)}, {"maxima", std::move(maxima)}};
  return doc;
}

std::string TournamentSettingsFileText(const TournamentSettings& settings) {
  Json doc = TournamentSettingsJson(settings);
  doc["audit"].erase("startDateIso");  // derived; the file keeps the text the referee types
  return doc.dump(2) + "\n";
}

void ApplyAuditSettings(const TournamentSettings& s, WindowEdits& edits, char decimalSeparator) {
  if (const std::optional<DateText> date = DateText::Split(s.StartDate)) edits.SetStartDate(*date);
  edits.Edit7 = LocaleDecimalText(DecimalText(s.SessionsPerDay), decimalSeparator);
  for (const AuditWhole& w : kAuditWholes) edits.*w.Edit = std::to_string(s.*w.Value);
  edits.BaseLevelSelect = s.BaseLevel;
}

void ApplyLadderSettings(const TournamentSettings& s, WindowEdits& edits) {
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    edits.*kLadderComponents[i].FactorEdit = FormatInt(s.Factors[i], 5);  // as a fresh window shows them
    if (s.Maxima[i]) edits.*kLadderComponents[i].MaxEdit = std::to_string(*s.Maxima[i]);
  }
}

TournamentSettings SettingsFromModel(const WindowModel& model, const std::array<bool, 7>& fixedMaxima) {
  TournamentSettings s;
  const WindowEdits& e = model.Edits();
  s.StartDate = e.StartDate().Joined();
  const AuditSettings& a = model.Audit();
  s.SessionsPerDay = static_cast<double>(a.MaxSessionsPerDay);
  s.MinSession = static_cast<int32_t>(a.MinSessionTime);
  s.Presessions = a.Presessions;
  s.BaseLevel = a.BaseLevel;
  s.LevelBonus = a.LevelBonus;
  s.MaxReloads = a.MaxReload;
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    s.Factors[i] = model.Ladder().*kLadderComponents[i].Factor;
    if (fixedMaxima[i]) s.Maxima[i] = model.Ladder().*kLadderComponents[i].Maximum;
  }
  return s;
}

TournamentSettings SettingsFromEdits(const WindowModel& model, TournamentSettings s,
                                     std::vector<std::pair<std::string, std::string>>* refused) {
  const WindowEdits& e = model.Edits();
  // A text that does not convert, or converts out of range, leaves the value as it was.
  const auto typed = [&](const std::string& key, const std::function<Json()>& convert) {
    std::optional<std::string> problem;
    try {
      problem = Assign(s, key, convert());
    } catch (const ConvertError& error) {
      problem = error.what();
    }
    if (problem && refused) refused->emplace_back(key, *problem);
  };
  typed("audit.startDate", [&] { return Json(e.StartDate().Joined()); });
  const char separator = model.Locale().DecimalSeparator();
  typed("audit.sessionsPerDay", [&] { return Json(static_cast<double>(TextToFloat(e.Edit7, separator))); });
  for (const AuditWhole& w : kAuditWholes) typed(w.Key, [&] { return Json(TextToInt(e.*w.Edit)); });
  if (e.BaseLevelSelect >= -1 && e.BaseLevelSelect < static_cast<int32_t>(kBaseLevelItems.size()))
    s.BaseLevel = e.BaseLevelSelect;
  for (const LadderComponent& c : kLadderComponents) {
    typed(std::string("ladder.factors.") + c.Key, [&] { return Json(TextToInt(e.*c.FactorEdit)); });
    typed(std::string("ladder.maxima.") + c.Key, [&] { return Json(TextToInt(e.*c.MaxEdit)); });
  }
  return s;
}

std::vector<std::pair<std::string, std::string>> SettingTexts(const TournamentSettings& settings) {
  const Json doc = TournamentSettingsJson(settings);
  std::vector<std::pair<std::string, std::string>> texts;
  const auto add = [&texts](const std::string& prefix, const Json& group) {
    for (const auto& [name, value] : group.items()) {
      if (name == "startDateIso") continue;  // derived from the start date
      texts.emplace_back(prefix + name, value.is_string() ? value.get<std::string>() : value.dump());
    }
  };
  add("audit.", doc.at("audit"));
  add("ladder.factors.", doc.at("ladder").at("factors"));
  add("ladder.maxima.", doc.at("ladder").at("maxima"));
  return texts;
}

std::optional<std::string> SetSettingFromText(TournamentSettings& settings, const std::string& key,
                                              const std::string& text) {
  Json value = text;
  // A number is a short text; anything longer is of the wrong kind without being parsed.
  if (key != "audit.startDate" && key != "audit.baseLevel" && text.size() <= 64) {
    value = Json::parse(text, nullptr, false);
    if (value.is_discarded()) value = text;  // then of the wrong kind
  }
  return Assign(settings, key, value);
}

std::string WindowEdits::*SettingEdit(const std::string& key) {
  if (key == "audit.startDate") return &WindowEdits::Edit6;
  if (key == "audit.sessionsPerDay") return &WindowEdits::Edit7;
  for (const AuditWhole& w : kAuditWholes) {
    if (key == w.Key) return w.Edit;
  }
  for (const LadderComponent& c : kLadderComponents) {
    if (key == std::string("ladder.factors.") + c.Key) return c.FactorEdit;
    if (key == std::string("ladder.maxima.") + c.Key) return c.MaxEdit;
  }
  return nullptr;
}

std::string LocaleDecimalText(const std::string& text, char decimalSeparator) {
  try {
    TextToFloat(text, '.');
    std::string local = text;
    for (char& c : local) {
      if (c == '.') c = decimalSeparator;
    }
    return local;
  } catch (const ConvertError&) {
  }
  TextToFloat(text, decimalSeparator);  // throws the locale's message when it does not convert either
  return text;
}

}  // namespace vsl
