#pragma once
// What the window tests share: saves written into a temporary folder from short descriptions, and a
// window whose dialogs and message boxes are recorded instead of shown.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <string>

#include "window/form.h"
#include "support/fixture_save.h"

class QAbstractItemModel;
class QTableView;

namespace vsl::testing {

// A save of one player (slot 0 named `nick`) with a score curve rising to `score` over `turns` turns
// and an economy curve of half that.
SaveDesc SimpleSave(const std::string& nick, int32_t score, int32_t turns);

// A temporary folder of save files.
class SaveFolder {
 public:
  // Writes `desc` as `name`, dated 29 November 2005, 12:00 local time; returns its path.
  QString Write(const QString& name, const SaveDesc& desc);
  // Writes raw bytes as `name`; returns its path.
  QString WriteBytes(const QString& name, const std::string& bytes);
  QString Path() const { return dir_.path(); }
  // Three players, written in an order that is not the order of their names: Carol (500 points over
  // 100 turns), alice (700 over 120) and Bob (`bobScore` over 80). Returns their paths in that order.
  QStringList WriteThreePlayers(int32_t bobScore);

 private:
  QTemporaryDir dir_;
};

// The real window, with the C locale's '.' as decimal separator (or the given locale) and recorded
// dialogs.
class FormHarness {
 public:
  explicit FormHarness(
      std::shared_ptr<const LocaleServices> locale = std::make_shared<FixedLocaleServices>('.'));

  TForm1& Form() { return *form_; }
  // Clicks "Load File"; the open dialog answers `paths`. Returns once the batch is shown.
  void Load(const QStringList& paths);
  // Waits until a batch that is loading is done and shown.
  void WaitForLoad();
  // Clicks "Save Results"; the save dialog answers `path`.
  void Save(const QString& path);
  // The text a grid shows in (col, row); row 0 is the header.
  QString Cell(const char* grid, int col, int row) const;
  // Every shown text of a grid, row by row, for before/after comparisons.
  QStringList AllCells(const char* grid) const;
  template <typename T>
  T* Find(const char* name) const {
    return form_->findChild<T*>(name);
  }

  QStringList openAnswer;                             // what the open dialog returns
  QString openFolder;                                 // where the open dialog started
  QString saveAnswer;                                 // what the save dialogs return
  QString proposedSaveName;                           // what the save dialogs were offered
  DamagedChoice damagedAnswer = DamagedChoice::Stop;  // what the box of a damaged file answers
  QStringList errors;  // texts of the error boxes (damaged files' included), in order
  QStringList errorCaptions;
  QStringList notices;
  QStringList questions;       // texts of the questions asked, in order
  bool questionAnswer = true;  // what every question is answered

 private:
  QTemporaryDir settings_;  // the settings store of this window and of any restarted one
  std::unique_ptr<TForm1> form_;
};

}  // namespace vsl::testing
