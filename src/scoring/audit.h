#pragma once
// The reload audit: sessions recorded in a save against an allowance from play time and tournament days.

#include <cstdint>
#include <string>

#include "record/save_record.h"

namespace vsl {

// The texts of the audit's edits as the user typed them, and the selected base level.
struct AuditEdits {
  std::string Day = "27";             // Edit6
  std::string Month = "11";           // Edit2
  std::string Year = "2005";          // Edit3
  std::string SessionsPerDay;         // Edit7; its default uses the locale's decimal separator
  std::string MinSessionTime = "30";  // Edit8, minutes
  std::string Presessions = "1";      // Edit4
  std::string MaxReload = "20";       // MaxReloadE
  std::string LevelBonus = "15";      // LevelBonusE
  int32_t BaseLevelIndex = 5;         // BaseLevelSelect, -1 when no item is selected
};

// Settings as the last audit converted them.
struct AuditSettings {
  long double MaxSessionsPerDay = 0;
  long double MinSessionTime = 0;
  int32_t Presessions = 0;
  int32_t BaseLevel = 0;
  int32_t MaxReload = 0;
  int32_t LevelBonus = 0;
};

// Audits `row`. Conversions run in the audit's order and a failing one throws ConvertError, leaving the
// settings converted before it in `settings` and, once the date converted, the row's PlayDays written.
// A row with no turns played gets a ReloadPercent of 0.
void RControl(TSaveDataRec& row, const AuditEdits& edits, char decimalSeparator, AuditSettings& settings);

}  // namespace vsl
