#pragma once
// The window's edits and sort buttons by object name, with the model fields and keys they stand for:
// shared by the code that builds the window and the code that copies texts in and out.

#include <QCoreApplication>
#include <iterator>

#include "app/ladder_components.h"
#include "app/window_model.h"

namespace vsl::form_fields {

inline constexpr int kDataRows = Grid::kRowCount - 1;  // rows 1..100 under the header row
inline constexpr int kEditHeight = 20;

// The edits whose text the model keeps, by object name.
struct EditField {
  const char* Name;
  std::string WindowEdits::*Field;
};
// clang-format off
// Reloads page and the two level settings of the Ladder page: every change of the text runs Edit6Change.
inline constexpr EditField kAuditEdits[] = {
    {"Edit6", &WindowEdits::Edit6},   {"Edit2", &WindowEdits::Edit2},   {"Edit3", &WindowEdits::Edit3},
    {"Edit7", &WindowEdits::Edit7},   {"Edit8", &WindowEdits::Edit8},   {"Edit4", &WindowEdits::Edit4},
    {"MaxReloadE", &WindowEdits::MaxReloadE}, {"LevelBonusE", &WindowEdits::LevelBonusE}};
// No handler: nothing reads them.
inline constexpr EditField kDisabledEdits[] = {{"Edit5", &WindowEdits::Edit5}, {"Edit9", &WindowEdits::Edit9}};
// clang-format on
// The two rows of seven Ladder edits, over LadderGrid columns 2..8: leaving one runs PopFactorEChange.
constexpr EditField MaxField(size_t i) {
  return {kLadderComponents[i].MaxName, kLadderComponents[i].MaxEdit};
}
constexpr EditField FactorField(size_t i) {
  return {kLadderComponents[i].FactorName, kLadderComponents[i].FactorEdit};
}
inline constexpr EditField kMaxEdits[] = {MaxField(0), MaxField(1), MaxField(2), MaxField(3),
                                          MaxField(4), MaxField(5), MaxField(6)};
inline constexpr EditField kFactorEdits[] = {FactorField(0), FactorField(1), FactorField(2), FactorField(3),
                                             FactorField(4), FactorField(5), FactorField(6)};
static_assert(std::size(kMaxEdits) == kLadderComponents.size());

// The sort buttons; each sits over a column of a grid, whose header sorts as the button does.
struct SortButton {
  const char* Name;
  SortKey Key;
  const char* KeyText;  // for the tool tip, translated where shown
  const char* Grid;     // the grid it sorts from
  int Column;           // the column it sits over
};
inline constexpr SortButton kSortButtons[] = {
    {"SortByFileNameSelect", SortKey::FileName, QT_TRANSLATE_NOOP("vsl::TForm1", "file name"), "BaseGrid", 1},
    {"SortByTurnSelect", SortKey::Turn, QT_TRANSLATE_NOOP("vsl::TForm1", "turn"), "BaseGrid", 5},
    {"SortByScoreSelect", SortKey::Score, QT_TRANSLATE_NOOP("vsl::TForm1", "score"), "BaseGrid", 8},
    {"SortByFinalScoreSelect", SortKey::FinalScore, QT_TRANSLATE_NOOP("vsl::TForm1", "final score"),
     "BaseGrid", 9},
    {"SortByLadderFinalSelect", SortKey::LadderFinal, QT_TRANSLATE_NOOP("vsl::TForm1", "Ladder final score"),
     "LadderGrid", 21},
};

}  // namespace vsl::form_fields
