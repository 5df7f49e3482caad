#pragma once
// The window's edits and sort buttons by object name, with the model fields and keys they stand for:
// shared by the code that builds the window and the code that copies texts in and out.

#include "app/window_model.h"

namespace vsl::form_fields {

inline constexpr int kDataRows = Grid::kRowCount - 1;  // rows 1..100 under the header row
inline constexpr int kEditHeight = 20;

// The edits whose text the model keeps, by object name.
struct EditField {
  const char* Name;
  std::string WindowEdits::*Field;
  const char* Label;  // the setting as its label names it, for messages
};
// clang-format off
// Reloads page and the two level settings of the Ladder page: every change of the text runs Edit6Change.
inline constexpr EditField kAuditEdits[] = {
    {"Edit6", &WindowEdits::Edit6, "Turnamet start date"},
    {"Edit2", &WindowEdits::Edit2, "Turnamet start date"},
    {"Edit3", &WindowEdits::Edit3, "Turnamet start date"},
    {"Edit7", &WindowEdits::Edit7, "Max session per day"},
    {"Edit8", &WindowEdits::Edit8, "Min session time"},
    {"Edit4", &WindowEdits::Edit4, "Presessions"},
    {"MaxReloadE", &WindowEdits::MaxReloadE, "Max Reloads"},
    {"LevelBonusE", &WindowEdits::LevelBonusE, "Level Bonus,%"}};
// The two rows of seven Ladder edits, over LadderGrid columns 2..8: leaving one runs PopFactorEChange.
inline constexpr EditField kMaxEdits[] = {
    {"MaxPopE", &WindowEdits::MaxPopE, "MaxScore Pop"},
    {"MaxLandE", &WindowEdits::MaxLandE, "MaxScore Land"},
    {"MaxTechE", &WindowEdits::MaxTechE, "MaxScore Tech"},
    {"MaxWonderE", &WindowEdits::MaxWonderE, "MaxScore Wonder"},
    {"MaxCultureE", &WindowEdits::MaxCultureE, "MaxScore Culture"},
    {"MaxMTechE", &WindowEdits::MaxMTechE, "MaxScore MTech"},
    {"MaxTurnE", &WindowEdits::MaxTurnE, "MaxScore Turn"}};
inline constexpr EditField kFactorEdits[] = {
    {"PopFactorE", &WindowEdits::PopFactorE, "Factor Pop"},
    {"LandFactorE", &WindowEdits::LandFactorE, "Factor Land"},
    {"TechFactorE", &WindowEdits::TechFactorE, "Factor Tech"},
    {"WonderFactorE", &WindowEdits::WonderFactorE, "Factor Wonder"},
    {"CultureFactorE", &WindowEdits::CultureFactorE, "Factor Culture"},
    {"MTechFactorE", &WindowEdits::MTechFactorE, "Factor MTech"},
    {"TurnFactorE", &WindowEdits::TurnFactorE, "Factor Turn"}};
// No handler: nothing reads them.
inline constexpr EditField kDisabledEdits[] = {{"Edit5", &WindowEdits::Edit5, "Max reloads percent"},
                                               {"Edit9", &WindowEdits::Edit9, "Penalty for reloads"}};
// clang-format on

struct SortButton {
  const char* Name;
  SortKey Key;
  const char* KeyText;  // for the tool tip
};
inline constexpr SortButton kSortButtons[] = {
    {"SortByFileNameSelect", SortKey::FileName, "file name"},
    {"SortByTurnSelect", SortKey::Turn, "turn"},
    {"SortByScoreSelect", SortKey::Score, "score"},
    {"SortByFinalScoreSelect", SortKey::FinalScore, "final score"},
    {"SortByLadderFinalSelect", SortKey::LadderFinal, "Ladder final score"},
};

}  // namespace vsl::form_fields
