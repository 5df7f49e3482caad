#pragma once
// The main window TForm1: a thin layer over WindowModel. Every slot copies the edit texts into the
// model, calls one model handler, and copies the model's grids, edits and chart back into the widgets;
// the window computes nothing itself. Dialogs and message boxes come in through FormDialogs so that
// tests can drive the window without modal windows.

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/window_model.h"
#include "window/batch_runner.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QMenu;
class QProgressBar;
class QPushButton;
class QTableView;
class QTabWidget;
class QToolButton;
class QValueAxis;

namespace vsl {

class GridTableModel;

inline constexpr const char* kApplicationTitle = "Vellum Saves List";
inline constexpr const char* kWindowCaption = "Vellum Saves List (version 1.01)";
inline constexpr const char* kVersion = "1.01";

// The modal parts of the window, replaceable by tests.
struct FormDialogs {
  // The open dialog of "Load File", starting in `folder`: the chosen paths in the dialog's order, empty
  // when cancelled.
  std::function<QStringList(QWidget* parent, const QString& folder)> OpenFiles;
  // The save dialog of "Save Results", proposing `proposed`: the chosen path, empty when cancelled.
  std::function<QString(QWidget* parent, const QString& proposed)> SaveFile;
  // The error box: error icon, `caption`, `text`.
  std::function<void(QWidget* parent, const QString& caption, const QString& text)> ErrorBox;
  // The error box of a damaged file in a batch, which offers to skip it (or every further damaged file
  // of the batch) besides stopping the batch there.
  std::function<DamagedChoice(QWidget* parent, const QString& caption, const QString& text)> DamagedFile;
  // A notice that is not an error (files left out of a full batch).
  std::function<void(QWidget* parent, const QString& caption, const QString& text)> InfoBox;
  // An open dialog for one file (tournament settings), starting in `folder`: the chosen path, empty when
  // cancelled.
  std::function<QString(QWidget* parent, const QString& caption, const QString& folder,
                        const QString& filter)>
      OpenFile;
  // A save dialog for the other exports: the chosen path, empty when cancelled.
  std::function<QString(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter)>
      SaveAs;

  // The real dialogs and boxes.
  static FormDialogs Standard();
};

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(std::shared_ptr<const LocaleServices> locale = SystemLocaleServices(),
                  QWidget* parent = nullptr);
  ~TForm1() override;

  FormDialogs& Dialogs() { return dialogs_; }
  WindowModel& Model() { return *model_; }
  const WindowModel& Model() const { return *model_; }

  // Loads `paths` as one batch, as "Load File" does after its dialog (command line, dropped files). The
  // batch loads on a thread of its own: BatchFinished says when it is done and shown.
  void LoadFiles(const QStringList& paths);
  // A batch is loading: the window takes no input but Cancel's.
  bool Loading() const { return busy_; }
  // Renders each page to dir/<page caption>.png. Returns false when a file could not be written.
  bool SavePageShots(const QString& dir);
  // Chart animations on or off (off for screenshots).
  void SetAnimated(bool animated);
  // How long a batch runs before the progress bar shows (half a second), and how often it is updated
  // and the window repaints while a batch runs (every 50 ms).
  void SetProgressTiming(int delayMs, int intervalMs) {
    progressDelayMs_ = delayMs;
    progressIntervalMs_ = intervalMs;
  }

 Q_SIGNALS:
  // The batch of LoadFiles or "Load File" is done: its rows, errors and notices are shown.
  void BatchFinished();

 public Q_SLOTS:
  void Button1Click();
  void Button2Click();
  void Edit6Change();
  void PopFactorEChange();
  void GraphSelectChange();
  void SortByFileNameSelectClick();
  void SortByTurnSelectClick();
  void SortByScoreSelectClick();
  void SortByFinalScoreSelectClick();
  void SortByLadderFinalSelectClick();
  void ExportCsv();
  void ExportHtml();
  // The settings file shared with the report tool: audit settings, factors and the maxima it fixes.
  void OpenTournamentSettings();
  void SaveTournamentSettingsFile();
  void SaveChart(const QString& format);  // "png" or "svg"
  // Ctrl+C: the selected cells of the current page's grid as tab-separated lines.
  void CopySelection();
  void RestoreDefaultSettings();
  void ShowGuide();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Building the window.
  QWidget* BuildTopBar();
  QWidget* BuildBasePage();
  QWidget* BuildGraphPage();
  QWidget* BuildReloadsPage();
  QWidget* BuildAdditionalPage();
  QWidget* BuildLadderPage();
  QTableView* AddGrid(const QString& name, const Grid& grid, QWidget* parent);
  QLineEdit* AddEdit(const QString& name, int width, bool editable, QWidget* parent);
  QToolButton* AddSortButton(const QString& name, QWidget* parent);
  void BuildChart();
  void BuildMenus();
  void WireEvents();
  QString ProposedName(const QString& name) const;
  // The remembered work of the last run, restored at start and kept when the window closes.
  void RestoreRememberedWork();
  // The drop-down list shows the model's base level without running its handler.
  void SyncBaseLevel();
  // After a load: the maxima a settings file fixed replace those the batch set.
  void ApplyFixedMaxima();
  void RememberWork();
  void WriteChosenFile(const QString& path, const QByteArray& bytes);

  // Running a handler: edits in, handler, everything out; an exception ends it in the error box.
  void Run(const std::function<void()>& handler);
  void PullEdits();
  void PushAll();
  void PushEdits();
  void PushChart();
  void PushSortTips();
  void ShowError(const QString& message);
  // Typed settings: every audit and Ladder edit whose text does not convert gets a red frame and its
  // message as tool tip; the status line names the first one. True when every audit text converts.
  bool MarkSettings();
  QString SettingProblem(const QString& editName) const;
  void AuditEditChanged();
  void EditLeft(QLineEdit* edit);
  void ShowLeftOut(const std::vector<std::string>& paths, int loaded);
  // The status line: what the last batch should make the referee check under the current settings,
  // files left out and files skipped (a click lists them).
  void ShowBatchWarnings();
  void OnComboChange(QComboBox* combo, void (TForm1::*handler)());
  void LoadBatch(const std::vector<std::string>& paths);
  QList<QWidget*> LoadInputs();
  void ShowLoadProgress();
  // The batch's end: the window shows its rows, its error or its notice, and takes input again.
  void FinishBatch();

  std::unique_ptr<WindowModel> model_;
  std::unique_ptr<BatchRunner> runner_;  // the batch loading, if one is; destroyed before the model
  std::vector<std::string> loadPaths_;   // the paths of that batch
  FormDialogs dialogs_;
  bool busy_ = false;     // a batch is loading: nothing may re-enter the model
  bool pushing_ = false;  // the window is writing the model's texts into its widgets
  int progressDelayMs_ = 500;
  int progressIntervalMs_ = 50;
  uint64_t chartRevision_ = ~uint64_t{0};

  QString lastFolder_;                                 // of the last file opened or written through a dialog
  std::array<std::optional<int32_t>, 7> fixedMaxima_;  // by a tournament settings file, in page order
  QMenu* settingsMenu_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QTableView* baseGrid_ = nullptr;
  QTableView* reloadGrid_ = nullptr;
  QTableView* additionalGrid_ = nullptr;
  QTableView* ladderGrid_ = nullptr;
  QComboBox* graphSelect_ = nullptr;
  QComboBox* baseLevelSelect_ = nullptr;
  QChartView* chartView_ = nullptr;
  QValueAxis* turnAxis_ = nullptr;
  QValueAxis* valueAxis_ = nullptr;
  std::vector<QLineSeries*> series_;
  QLabel* statusSettings_ = nullptr;  // the typed setting that does not convert
  QLabel* statusWarnings_ = nullptr;  // what the last batch should make the referee check
  BatchResult lastBatch_;             // what the last batch loaded, left out and skipped
  QPushButton* cancelButton_ = nullptr;
  QLabel* progressLabel_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
};

}  // namespace vsl
