#pragma once
// The main window without a window: the four result grids as text, every edit as its text, the chart as
// data, and the window's handlers as methods. A window (or the report tool) copies texts in, calls a
// handler, and copies texts out; it computes nothing itself.
//
// Every handler that fails throws a std::exception subclass whose what() is the message for the error
// box, after leaving exactly the state the handler had reached (see each handler).

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch.h"
#include "app/chart_model.h"
#include "app/export/output_file.h"
#include "app/grid.h"
#include "app/locale_services.h"
#include "record/save_record.h"
#include "save/large_blocks.h"
#include "save/save_error.h"
#include "scoring/audit.h"
#include "scoring/errors.h"
#include "scoring/ladder.h"

namespace vsl {

// The texts of the window's edits and the item indices of its two drop-down lists, named after the
// controls. Defaults are those of a freshly opened window.
struct WindowEdits {
  std::string Edit1;  // "Path": folder of the last batch's first file
  // Reloads page.
  std::string Edit6 = "27";    // tournament start: day
  std::string Edit2 = "11";    // month
  std::string Edit3 = "2005";  // year
  std::string Edit7;           // sessions per day, "1" + separator + "5"
  std::string Edit8 = "30";    // minimum session time, minutes
  std::string Edit4 = "1";     // presessions
  std::string Edit5;           // disabled, "10" + separator + "0"
  std::string Edit9;           // disabled, "5" + separator + "0"
  // Ladder page.
  std::string MaxReloadE = "20";
  std::string LevelBonusE = "15";
  std::string MaxPopE = "    0", MaxLandE = "    0", MaxTechE = "    0", MaxWonderE = "    0",
              MaxCultureE = "    0", MaxMTechE = "    0", MaxTurnE = "    0";
  // The factors: DefaultEdits() gives them the default of each Ladder component (" 2500").
  std::string PopFactorE, LandFactorE, TechFactorE, WonderFactorE, CultureFactorE, MTechFactorE, TurnFactorE;
  int32_t BaseLevelSelect = 5;  // item index; -1 when the typed text is no item
  int32_t GraphSelect = 0;      // item index; -1 when the typed text is no item

  // The tournament start from its three edits.
  DateText StartDate() const { return {Edit6, Edit2, Edit3}; }
  void SetStartDate(const DateText& date) { Edit6 = date.Day, Edit2 = date.Month, Edit3 = date.Year; }
};

// The setting a failure comes from: the edit whose text did not convert, or whose value alone made the
// score arithmetic fail. Edit6 stands for the three edits of the tournament start date.
class SettingFailure {
 public:
  explicit SettingFailure(std::string WindowEdits::*edit) : edit_(edit) {}
  virtual ~SettingFailure() = default;
  std::string WindowEdits::*Edit() const { return edit_; }

 private:
  std::string WindowEdits::*edit_;
};

// A setting's text that does not convert: what() is the conversion's message alone, without the setting,
// for each front end to name the setting its own way.
class SettingConvertError : public ConvertError, public SettingFailure {
 public:
  SettingConvertError(std::string WindowEdits::*edit, const std::string& message)
      : ConvertError(message), SettingFailure(edit) {}
};

// Score arithmetic that fails because of one setting's value ("Invalid floating point operation").
class SettingMathError : public MathError, public SettingFailure {
 public:
  SettingMathError(std::string WindowEdits::*edit, const std::string& message)
      : MathError(message), SettingFailure(edit) {}
};

// Items of BaseLevelSelect, in order (the game's difficulty levels 0..8).
inline constexpr std::array<const char*, 9> kBaseLevelItems = {
    " Settler", " Chieftain", " Warlord", " Noble", " Prince", " Monarch", " Emperor", " Immortal", " Deity"};

// Fields of each line of the results file: BaseGrid 0-11, ReloadGrid 2-11, AdditionalGrid 2-14,
// LadderGrid 2-22.
inline constexpr int kExportFields = 56;
inline constexpr int kFileNameField = 1;

enum class SortKey { FileName, Turn, Score, FinalScore, LadderFinal };


// The error box's text: the message with a '.' appended when its last byte sorts above '.'.
std::string ErrorBoxText(const std::string& message);

class WindowModel {
 public:
  // FormCreate: headers, widths and the initial settings; decimal defaults use the locale's separator.
  explicit WindowModel(std::shared_ptr<const LocaleServices> locale = SystemLocaleServices());
  ~WindowModel();
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  // --- State -------------------------------------------------------------------------------------
  // The edit texts of a freshly opened window, with this locale's decimal separator.
  WindowEdits DefaultEdits() const;
  WindowEdits& Edits() { return edits_; }
  const WindowEdits& Edits() const { return edits_; }
  const Grid& BaseGrid() const { return baseGrid_; }
  const Grid& ReloadGrid() const { return reloadGrid_; }
  const Grid& AdditionalGrid() const { return additionalGrid_; }
  const Grid& LadderGrid() const { return ladderGrid_; }
  const ChartModel& Chart() const { return chart_; }
  const LocaleServices& Locale() const { return *locale_; }
  int SaveCount() const { return saveCount_; }
  const TSaveDataRec& Row(int i) const { return rows_.at(static_cast<size_t>(i)); }
  // The path row i was loaded from, as given to the load (rows keep only the base name).
  const std::string& RowPath(int i) const { return rowPaths_.at(static_cast<size_t>(i)); }
  const LadderSettings& Ladder() const { return ladder_; }
  const AuditSettings& Audit() const { return audit_; }
  // The audit's edits as the audit reads them.
  AuditEdits CurrentAuditEdits() const;
  bool Ascending(SortKey key) const { return ascending_.at(static_cast<size_t>(key)); }
  // The files this run read (the last batch's saves, the tournament settings files), which no output
  // may replace.
  const FilesRead& Inputs() const { return inputs_; }
  FilesRead& Inputs() { return inputs_; }

  // Rows set directly, for tests and tools that build records without files: slot i is
  // MutableRow(i); SetSaveCount says how many are in use. Neither renders.
  TSaveDataRec& MutableRow(int i) { return rows_.at(static_cast<size_t>(i)); }
  void SetSaveCount(int n);

  // --- Handlers ----------------------------------------------------------------------------------
  // "Load File" with the selected paths, in the dialog's order. Blanks the old rows, sets Edit1 to the
  // first file's folder, loads the first 100 files (the rest are counted in LeftOut), hides the unused
  // chart series, sorts by file name and renders. A failing file ends the batch there: the files before
  // it are the batch, sorted and rendered, then BatchFileError naming the file is thrown.
  BatchResult Button1Click(const std::vector<std::string>& paths, const BatchOptions& options = {});
  // An audit setting changed: audit every row, then render. A setting that does not convert throws
  // SettingConvertError at the first row, before anything is rendered.
  void Edit6Change();
  // A Ladder edit was left: convert the fourteen edits in order, then render. A text that does not
  // convert throws SettingConvertError; the edits before it keep their new values, nothing is rendered.
  void PopFactorEChange();
  // Converts the seven factor edits alone into the Ladder settings (settings restored at start, before
  // any load, without reading the Max edits). A text that does not convert throws ConvertError; the
  // factors before it keep their new values. Renders nothing.
  void ApplyFactorEdits();
  // A sort button: sort by the key in its direction, flip the direction, blank the rows, render.
  void SortClick(SortKey key);
  // The history selector changed: redraw the curves of the first 20 rows.
  void GraphSelectChange();
  // "Save Results" to the chosen path: writes ExportText() through WriteOutputFile. Throws ExportError
  // naming the file and the reason when it cannot be written, or when it is a file the run read.
  void Button2Click(const std::string& path) const;
  // The name the save dialog proposes: Edit1, the path separator, "Res.txt" ("Res.txt" alone while Edit1
  // is empty).
  std::string ProposedExportName() const;

  // --- Operations the handlers are made of -------------------------------------------------------
  // The results file's bytes: SaveCount + 1 lines of 56 fields, "; " after each field but the last
  // of the last line, CR LF between lines. The file names are written in code page 1251 like every
  // other text ('?' for a character the code page lacks). The file has no quoting: a line break or
  // another control character in a text (a player's name) is written as a blank.
  std::string ExportText() const;
  // The fields of the results file: SaveCount + 1 rows (the header row first) of kExportFields cells,
  // as the grids hold them: the file name (field kFileNameField of a data row) is UTF-8, every other
  // field code page 1251.
  std::vector<std::vector<std::string>> ExportRows() const;
  void Export(std::ostream& out) const;
  // Writes the Ladder maxima into their edits, scores and normalises every row, then renders every row.
  // An invalid floating-point operation throws MathError before any row is rendered: SettingMathError
  // when putting one Ladder setting back to its start value would have avoided it.
  void PrintData();
  void PrintRecData(int i);
  void LadderScoreCalc(int i);
  void LadderNormalize();
  void DrawGraph(int k);
  void XchgRec(int j);
  // Sets every cell of rows 1..n of the four grids to " ".
  void ClearList(int n);
  void SortByFileName() { Sort(SortKey::FileName); }
  void Sort(SortKey key);

 private:
  // The audit failed with `message`: throws the failure of the setting that caused it.
  // The file that ended a batch, and whether a setting ended it rather than the file.
  struct BatchEnd {
    BatchFileError error;
    bool setting;
  };
  // The batch's results in selection order into the rows and settings: the file that ended it, if one did.
  std::optional<BatchEnd> ApplyBatch(BatchLoader& loader, const std::vector<std::string>& paths, size_t n,
                                     const BatchOptions& options, BatchResult& result);
  // Counts, sorts and renders the rows the batch left; throws the error of the file that ended it.
  BatchResult FinishBatch(BatchResult result, const std::optional<BatchEnd>& end,
                          const BatchOptions& options);
  [[noreturn]] void ThrowAuditSettingError(const std::string& message) const;
  [[noreturn]] void ThrowLadderSettingError(int row, const MathError& error) const;
  void WriteMaxEdits();

  std::shared_ptr<const LocaleServices> locale_;
  WindowEdits edits_;
  Grid baseGrid_, reloadGrid_, additionalGrid_, ladderGrid_;
  ChartModel chart_;
  std::vector<TSaveDataRec, LargeBlockAllocator<TSaveDataRec>> rows_;  // SaveData: kMaxFiles rows
  int saveCount_ = 0;
  FilesRead inputs_;                   // the last batch's saves among them
  std::vector<std::string> rowPaths_;  // the file each row was loaded from; moves with its row
  LadderSettings ladder_;
  AuditSettings audit_;
  std::array<bool, 5> ascending_ = {true, true, false, false, false};
};

}  // namespace vsl
