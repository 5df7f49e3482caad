#include "app/tournament_settings.h"

#include <QDate>
#include <QFile>
#include <QString>
#include <charconv>
#include <cmath>

#include "app/format.h"
#include "scoring/convert.h"
#include "scoring/errors.h"

namespace vsl {
namespace {

using Json = nlohmann::ordered_json;

QString PathName(const std::string& path) {
  return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

std::string Trimmed(const char* item) {
  std::string text = item;
  while (!text.empty() && text.front() == ' ') text.erase(0, 1);
  return text;
}

// Reads one file's values, naming the file and the key in every complaint.
class Reader {
 public:
  explicit Reader(std::string path) : path_(std::move(path)) {}

  [[noreturn]] void Fail(const std::string& key, const std::string& problem) const {
    throw SettingsFileError(path_ + ": " + key + ": " + problem);
  }

  // The object at `key`, refusing keys it does not know.
  const Json& Object(const Json& parent, const std::string& key,
                     std::initializer_list<const char*> known) const {
    const Json& object = key.empty() ? parent : parent.at(Last(key));
    if (!object.is_object()) Fail(key.empty() ? "(top level)" : key, "must be an object");
    for (const auto& [name, value] : object.items()) {
      bool found = false;
      for (const char* k : known) found = found || name == k;
      if (!found) Fail(key.empty() ? name : key + "." + name, "is not a known setting");
    }
    return object;
  }

  void Int(const Json& object, const std::string& key, int32_t& out, int32_t min = INT32_MIN) const {
    const Json* value = Find(object, key);
    if (value == nullptr) return;
    if (!value->is_number_integer()) Fail(key, "must be a whole number");
    const int64_t v = value->get<int64_t>();
    if (v < min || v > INT32_MAX) {
      Fail(key, "must be a whole number from " + std::to_string(min) + " to " + std::to_string(INT32_MAX));
    }
    out = static_cast<int32_t>(v);
  }

  const Json* Find(const Json& object, const std::string& key) const {
    auto it = object.find(Last(key));
    return it == object.end() ? nullptr : &*it;
  }

 private:
  static std::string Last(const std::string& key) { return key.substr(key.rfind('.') + 1); }
  std::string path_;
};

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
  QFile file(PathName(path));
  if (!file.open(QIODevice::ReadOnly)) {
    throw SettingsFileError(path + ": cannot open the file: " + file.errorString().toStdString());
  }
  const QByteArray bytes = file.readAll();
  Json doc;
  try {
    doc = Json::parse(bytes.begin(), bytes.end());
  } catch (const nlohmann::json::parse_error& e) {
    throw SettingsFileError(path + ": not a settings file: " + e.what());
  }

  const Reader r(path);
  TournamentSettings s;
  const Json& top = r.Object(doc, "", {"version", "audit", "ladder"});
  int32_t version = 0;
  if (r.Find(top, "version") == nullptr) r.Fail("version", "is missing");
  r.Int(top, "version", version, 1);
  if (version > kTournamentSettingsVersion) {
    r.Fail("version", "the file was written by a later program (version " + std::to_string(version) + ")");
  }

  if (r.Find(top, "audit") != nullptr) {
    const Json& audit = r.Object(top, "audit",
                                 {"startDate", "sessionsPerDay", "minSession", "presessions", "baseLevel",
                                  "levelBonus", "maxReloads"});
    if (const Json* date = r.Find(audit, "audit.startDate")) {
      if (!date->is_string()) r.Fail("audit.startDate", "must be a text DD-MM-YYYY");
      try {
        TextToDate(date->get<std::string>());
      } catch (const ConvertError& e) {
        r.Fail("audit.startDate", e.what());
      }
      s.StartDate = date->get<std::string>();
    }
    if (const Json* sessions = r.Find(audit, "audit.sessionsPerDay")) {
      if (!sessions->is_number() || !std::isfinite(sessions->get<double>()) || sessions->get<double>() < 0 ||
          sessions->get<double>() > 1e6) {
        r.Fail("audit.sessionsPerDay", "must be a number from 0 to 1000000");
      }
      s.SessionsPerDay = sessions->get<double>();
    }
    r.Int(audit, "audit.minSession", s.MinSession, 0);
    r.Int(audit, "audit.presessions", s.Presessions, 0);
    r.Int(audit, "audit.levelBonus", s.LevelBonus);
    r.Int(audit, "audit.maxReloads", s.MaxReloads, 0);
    if (const Json* level = r.Find(audit, "audit.baseLevel")) {
      const std::string name = level->is_string() ? level->get<std::string>() : "";
      s.BaseLevel = -2;
      if (name == "none") s.BaseLevel = -1;
      for (size_t i = 0; i < kBaseLevelItems.size(); ++i) {
        if (name == Trimmed(kBaseLevelItems[i])) s.BaseLevel = static_cast<int32_t>(i);
      }
      if (s.BaseLevel == -2) r.Fail("audit.baseLevel", "must be a level name from Settler to Deity, or none");
    }
  }

  if (r.Find(top, "ladder") != nullptr) {
    const Json& ladder = r.Object(top, "ladder", {"factors", "maxima"});
    const std::initializer_list<const char*> keys = {"pop",     "land",  "tech", "wonder",
                                                     "culture", "mtech", "turn"};
    if (r.Find(ladder, "ladder.factors") != nullptr) {
      const Json& factors = r.Object(ladder, "ladder.factors", keys);
      for (size_t i = 0; i < kLadderComponents.size(); ++i) {
        r.Int(factors, std::string("ladder.factors.") + kLadderComponents[i].Key, s.Factors[i]);
      }
    }
    if (r.Find(ladder, "ladder.maxima") != nullptr) {
      const Json& maxima = r.Object(ladder, "ladder.maxima", keys);
      for (size_t i = 0; i < kLadderComponents.size(); ++i) {
        const std::string key = std::string("ladder.maxima.") + kLadderComponents[i].Key;
        if (r.Find(maxima, key) == nullptr) continue;
        int32_t value = 0;
        r.Int(maxima, key, value, 0);
        s.Maxima[i] = value;
      }
    }
  }
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
  const size_t first = s.StartDate.find('-');
  const size_t second = s.StartDate.find('-', first + 1);
  edits.Edit6 = s.StartDate.substr(0, first);
  edits.Edit2 = s.StartDate.substr(first + 1, second - first - 1);
  edits.Edit3 = s.StartDate.substr(second + 1);
  edits.Edit7 = LocaleDecimalText(DecimalText(s.SessionsPerDay), decimalSeparator);
  edits.Edit8 = std::to_string(s.MinSession);
  edits.Edit4 = std::to_string(s.Presessions);
  edits.BaseLevelSelect = s.BaseLevel;
  edits.LevelBonusE = std::to_string(s.LevelBonus);
  edits.MaxReloadE = std::to_string(s.MaxReloads);
}

void ApplyLadderSettings(const TournamentSettings& s, WindowEdits& edits) {
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    edits.*kLadderComponents[i].FactorEdit = std::to_string(s.Factors[i]);
    if (s.Maxima[i]) edits.*kLadderComponents[i].MaxEdit = std::to_string(*s.Maxima[i]);
  }
}

TournamentSettings SettingsFromModel(const WindowModel& model, const std::array<bool, 7>& fixedMaxima) {
  TournamentSettings s;
  const WindowEdits& e = model.Edits();
  s.StartDate = e.Edit6 + "-" + e.Edit2 + "-" + e.Edit3;
  const AuditSettings& a = model.Audit();
  s.SessionsPerDay = static_cast<double>(a.MaxSessionsPerDay);
  s.MinSession = static_cast<int32_t>(a.MinSessionTime);
  s.Presessions = a.Presessions;
  s.BaseLevel = a.BaseLevel;
  s.LevelBonus = a.LevelBonus;
  s.MaxReloads = a.MaxReload;
  const LadderSettings& l = model.Ladder();
  const std::array<int32_t, 7> maxima = {l.MaxPop,     l.MaxLand,  l.MaxTech, l.MaxWonder,
                                         l.MaxCulture, l.MaxMTech, l.MaxTurn};
  s.Factors = {l.PopFactor,     l.LandFactor,  l.TechFactor, l.WonderFactor,
               l.CultureFactor, l.MTechFactor, l.TurnFactor};
  for (size_t i = 0; i < maxima.size(); ++i) {
    if (fixedMaxima[i]) s.Maxima[i] = maxima[i];
  }
  return s;
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

std::vector<std::pair<std::string, std::string>> SettingsLines(const TournamentSettings& s) {
  std::vector<std::pair<std::string, std::string>> lines = {
      {"Start date", s.StartDate},
      {"Sessions per day", DecimalText(s.SessionsPerDay)},
      {"Minimum session (minutes)", std::to_string(s.MinSession)},
      {"Presessions", std::to_string(s.Presessions)},
      {"Base level", s.BaseLevel >= 0 && s.BaseLevel < static_cast<int32_t>(kBaseLevelItems.size())
                         ? Trimmed(kBaseLevelItems[static_cast<size_t>(s.BaseLevel)])
                         : "none"},
      {"Level bonus (%)", std::to_string(s.LevelBonus)},
      {"Maximum reloads", std::to_string(s.MaxReloads)}};
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    lines.push_back({std::string("Factor ") + kLadderComponents[i].Key, std::to_string(s.Factors[i])});
  }
  for (size_t i = 0; i < kLadderComponents.size(); ++i) {
    if (s.Maxima[i])
      lines.push_back({std::string("Maximum ") + kLadderComponents[i].Key, std::to_string(*s.Maxima[i])});
  }
  return lines;
}

}  // namespace vsl
