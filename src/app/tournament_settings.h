#pragma once
// One tournament's settings, kept in a small JSON file so that every run of the report tool (and the
// window) starts from them instead of the defaults of a fresh window.
//
// The file, UTF-8 JSON; every key but "version" may be left out and then keeps its default:
//
//   {
//     "version": 1,
//     "audit": {"startDate": "27-11-2005", "sessionsPerDay": 1.5, "minSession": 30, "presessions": 1,
//               "baseLevel": "Monarch", "levelBonus": 15, "maxReloads": 20},
//     "ladder": {"factors": {"pop": 2500, "land": 2500, "tech": 2500, "wonder": 5000,
//                            "culture": 2500, "mtech": 5000, "turn": 2500},
//                "maxima": {"pop": 400}}
//   }
//
// "baseLevel" is a level name ("Settler" .. "Deity") or "none"; "maxima" holds only the maxima the
// referee fixed (the others follow each batch). An unknown key, a value of the wrong kind or out of
// range, and a version newer than this program's are errors naming the file and the key. A later
// program still reads version 1 files.
//
// Use:
//   TournamentSettings s = LoadTournamentSettings(path);   // throws SettingsFileError
//   ApplyAuditSettings(s, model.Edits(), model.Locale().DecimalSeparator());   // before a load
//   model.Button1Click(paths);
//   ApplyLadderSettings(s, model.Edits()); model.PopFactorEChange();          // after it
//   WriteOutputFile(path, TournamentSettingsFileText(SettingsFromEdits(model)),
//                   model.Inputs(), OutputKind::TournamentSettings);         // throws ExportError

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/ladder_components.h"
#include "app/window_model.h"

namespace vsl {

inline constexpr int kTournamentSettingsVersion = 1;

// The default factors of the Ladder components, in their order.
constexpr std::array<int32_t, 7> DefaultFactors() {
  std::array<int32_t, 7> factors{};
  for (size_t i = 0; i < factors.size(); ++i) factors[i] = kLadderComponents[i].DefaultFactor;
  return factors;
}

struct TournamentSettings {
  std::string StartDate = "27-11-2005";  // DD-MM-YYYY
  double SessionsPerDay = 1.5;
  int32_t MinSession = 30;  // minutes
  int32_t Presessions = 1;
  int32_t BaseLevel = 5;  // item index of kBaseLevelItems, -1 for none
  int32_t LevelBonus = 15;
  int32_t MaxReloads = 20;
  std::array<int32_t, 7> Factors = DefaultFactors();  // kLadderComponents order
  std::array<std::optional<int32_t>, 7> Maxima;       // fixed maxima only
};

// A settings file that cannot be read, parsed or written, or that holds a bad value: what() is
// "<path>: <key>: <problem>" (without the key when the problem is the file as a whole: it cannot be
// opened, or it is larger than kMaxSettingsFileBytes). The key is "(top level)" for the outermost
// object; a key the program does not know is shown short and with its control characters escaped.
// Problems are stated in this program's words: a value of the wrong kind or out of range with the
// range allowed, a key given twice, a number too large for any setting, objects nested too deeply,
// text that is not UTF-8, a byte order mark, a file that is not JSON (with its line and column).
class SettingsFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A settings file is read only up to this size; a larger one (or a device that never ends) is refused.
inline constexpr int64_t kMaxSettingsFileBytes = int64_t{1} << 20;

TournamentSettings LoadTournamentSettings(const std::string& path);
// The file's text in the current version, for WriteOutputFile (output_file.h).
std::string TournamentSettingsFileText(const TournamentSettings& settings);

// The audit settings into the edits typed before a load; numbers in the locale's notation.
void ApplyAuditSettings(const TournamentSettings& settings, WindowEdits& edits, char decimalSeparator);
// The factors and the fixed maxima into the Ladder edits, typed after a load.
void ApplyLadderSettings(const TournamentSettings& settings, WindowEdits& edits);

// The settings as the model's edits hold them, numbers in the locale's notation: each setting whose
// text converts and is in the file's range takes that value; every other keeps its value in `base`
// and is added to `refused` with its problem (key, problem). All seven maxima are set from the Max
// edits; keep those that should be fixed.
TournamentSettings SettingsFromEdits(const WindowModel& model, TournamentSettings base = {},
                                     std::vector<std::pair<std::string, std::string>>* refused = nullptr);

// The settings by their key in the file, each as its text in the file's notation, the same under
// every locale: {"audit.sessionsPerDay", "1.5"}, {"audit.baseLevel", "Monarch"}; maxima only where
// fixed.
std::vector<std::pair<std::string, std::string>> SettingTexts(const TournamentSettings& settings);
// Sets the setting `key` from a text in that notation. Returns the problem when the text does not
// convert or is out of range (or the key is unknown), leaving `settings` unchanged; else nothing.
std::optional<std::string> SetSettingFromText(TournamentSettings& settings, const std::string& key,
                                              const std::string& text);
// The edit a setting is typed into (Edit6 for the start date), null for the base level.
std::string WindowEdits::*SettingEdit(const std::string& key);

// The settings the model's last audit and Ladder score used; the maxima marked in `fixedMaxima` are
// kept as fixed.
TournamentSettings SettingsFromModel(const WindowModel& model, const std::array<bool, 7>& fixedMaxima = {});

// The settings as a JSON object with the file's keys (for reports: every maximum present), the start
// date also in ISO 8601 ("startDateIso": "2005-11-27").
nlohmann::ordered_json TournamentSettingsJson(const TournamentSettings& settings);

// A decimal text typed with a point (the C notation) or with `decimalSeparator`, as the same number
// with `decimalSeparator`, as the settings edits take it. Throws ConvertError when it is neither.
std::string LocaleDecimalText(const std::string& text, char decimalSeparator);

}  // namespace vsl
