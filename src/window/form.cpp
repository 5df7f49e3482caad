// The window's behaviour: wiring, the handlers, and copying texts between the widgets and the model.

#include "window/form.h"

#include <QApplication>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <exception>
#include <span>

#include "app/batch_warnings.h"
#include "app/game_text.h"
#include "scoring/convert.h"
#include "scoring/errors.h"
#include "window/batch_bar.h"
#include "window/cp1251.h"
#include "window/form_fields.h"
#include "window/grid_view.h"
#include "window/setting_caption.h"
#include "window/warnings_panel.h"

namespace vsl {

using namespace form_fields;

namespace {

// The message of a conversion that fails, as the user reads it; empty when the text converts.
template <typename Convert>
QString ConvertMessage(Convert convert) {
  try {
    convert();
  } catch (const ConvertError& e) {
    return FromCp1251(e.what());
  }
  return {};
}

// The audit edits, then the Ladder edits in the order their handler converts them.
const std::span<const EditField> kSettingGroups[] = {kAuditEdits, kMaxEdits, kFactorEdits};

// The edit field of the audit or Ladder edit named `name`, or null.
const EditField* SettingField(const QString& name) {
  for (const auto group : kSettingGroups) {
    for (const EditField& f : group) {
      if (name == f.Name) return &f;
    }
  }
  return nullptr;
}

bool IsDateEdit(const QString& name) {
  return name == "Edit6" || name == "Edit2" || name == "Edit3";
}

bool IsAuditEdit(const QString& name) {
  return std::any_of(std::begin(kAuditEdits), std::end(kAuditEdits),
                     [&](const EditField& f) { return name == f.Name; });
}

void SetAxisRange(QValueAxis* axis, double min, double max) {
  if (max <= min) max = min + 1;
  axis->setRange(min, max);
  axis->setTickAnchor(0);
  axis->setTickInterval(TickStep(max - min, 8));
}

}  // namespace

TForm1::TForm1(std::shared_ptr<const LocaleServices> locale, QWidget* parent)
    : QMainWindow(parent),
      model_(std::make_unique<WindowModel>(std::move(locale))),
      dialogs_(FormDialogs::Standard()) {
  setObjectName("Form1");
  setWindowTitle(kWindowCaption);
  // The window's font stands for "MS Sans Serif" at 8 points: a sans with Arial's metrics where one is
  // installed, so that headers and cells fit their fixed column widths; else the system's default.
  QFont font = QApplication::font();
  font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial", QApplication::font().family()});
  font.setPointSize(8);
  setFont(font);
  resize(1026, 558);
  setAcceptDrops(true);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(BuildTopBar());
  batchBar_ = new BatchBar(central);
  layout->addWidget(batchBar_);
  warningsPanel_ = new WarningsPanel(central);
  layout->addWidget(warningsPanel_);
  connect(warningsPanel_, &WarningsPanel::Activated, this, &TForm1::WarningActivated);
  connect(warningsPanel_, &WarningsPanel::RestoreDefaults, this, &TForm1::RestoreDefaultSettings);
  pages_ = new QTabWidget(central);
  pages_->setObjectName("PageControls");
  pages_->addTab(BuildBasePage(), "Base");
  pages_->addTab(BuildGraphPage(), "Graph");
  pages_->addTab(BuildReloadsPage(), "Reloads");
  pages_->addTab(BuildAdditionalPage(), "Additional");
  pages_->addTab(BuildLadderPage(), "Ladder");
  pages_->setCurrentIndex(0);
  layout->addWidget(pages_, 1);
  setCentralWidget(central);
  statusSettings_ = new QLabel(this);
  statusSettings_->setObjectName("StatusSettings");
  statusSettings_->setWordWrap(true);
  statusBar()->addWidget(statusSettings_, 1);
  // A long text wraps rather than widening the window; the tool tip holds it whole.
  statusSettings_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  dateTimer_ = new QTimer(this);
  dateTimer_->setSingleShot(true);
  dateTimer_->setInterval(1000);
  connect(dateTimer_, &QTimer::timeout, this, [this] { CheckDate(false); });

  BuildMenus();
  WireEvents();
  RestoreRememberedWork();
  settingsDifferAtStart_ = !DifferingSettings().isEmpty();
  FinishLayout();
  PushAll();
}

// The widgets read the model's cells until they are gone, so they go first.
TForm1::~TForm1() {
  runner_.reset();  // a batch still loading is cancelled and waited for
  delete takeCentralWidget();
}

// --- Wiring --------------------------------------------------------------------------------------

void TForm1::WireEvents() {
  connect(findChild<QPushButton*>("Button1"), &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(findChild<QPushButton*>("Button2"), &QPushButton::clicked, this, &TForm1::Button2Click);
  // A sort button sorts by its key, and so does a click on the header of the column under it.
  for (const SortButton& b : kSortButtons) {
    connect(findChild<QToolButton*>(b.Name), &QToolButton::clicked, this,
            [this, key = b.Key] { SortClick(key); });
  }
  for (QTableView* grid : {baseGrid_, ladderGrid_}) {
    connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this, grid](int col) {
      for (const SortButton& b : kSortButtons) {
        if (grid->objectName() != b.Grid || col != b.Column) continue;
        SortClick(b.Key);
        grid->clearSelection();  // the press selected the column; the click sorted instead
        return;
      }
    });
  }

  // An audit edit re-audits on every change whose texts all convert; a Ladder edit re-scores when it is
  // left. A text that does not convert is marked while it is typed and reported once when it is left.
  for (const EditField& f : kAuditEdits) {
    auto* edit = findChild<QLineEdit*>(f.Name);
    const bool date = IsDateEdit(f.Name);
    connect(edit, &QLineEdit::textChanged, this, [this, date] {
      if (!pushing_) date ? DateTyped() : AuditEditChanged();
    });
    edit->installEventFilter(this);
  }
  for (const auto* row : {kMaxEdits, kFactorEdits}) {
    for (int i = 0; i < 7; ++i) {
      auto* edit = findChild<QLineEdit*>(row[i].Name);
      connect(edit, &QLineEdit::textChanged, this, [this] {
        if (!pushing_) MarkSettings();
      });
      edit->installEventFilter(this);
    }
  }
  for (QComboBox* combo : {baseLevelSelect_, graphSelect_}) {
    auto handler = combo == baseLevelSelect_ ? &TForm1::AuditEditChanged : &TForm1::GraphSelectChange;
    auto changed = [this, combo, handler] { OnComboChange(combo, handler); };
    connect(combo, &QComboBox::currentIndexChanged, this, changed);
    connect(combo, &QComboBox::editTextChanged, this, changed);
  }
}

// A drop-down list changed its selection or its text: one handler call per distinct state, with the
// item index the text names (-1 for a typed text that is no item).
void TForm1::OnComboChange(QComboBox* combo, void (TForm1::*handler)()) {
  if (pushing_) return;
  const QString text = combo->currentText();
  const QVariant last = combo->property("vslHandledText");
  if (last.isValid() && last.toString() == text) return;
  combo->setProperty("vslHandledText", text);
  (this->*handler)();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // While a batch loads, the window takes no input but the Cancel button's: what is typed or clicked
  // then would be lost, or run into the model the batch is writing.
  if (busy_ && watched != cancelButton_) {
    switch (event->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::Drop: {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) return true;
        break;
      }
      default:
        break;
    }
  }
  // An edit is left when the focus goes to another control of this window; the window losing the
  // focus (to an error box, another application or a menu) leaves nothing.
  if (event->type() == QEvent::FocusOut && !pushing_) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    QWidget* next = QApplication::focusWidget();
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && next &&
        next != edit && isAncestorOf(next)) {
      EditLeft(edit);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::EditLeft(QLineEdit* edit) {
  const EditField* field = SettingField(edit->objectName());
  if (!field) return;
  if (!IsAuditEdit(edit->objectName())) {
    PopFactorEChange();
    return;
  }
  // The date's three edits are one setting: checked when the focus leaves the group.
  if (IsDateEdit(edit->objectName())) {
    const QWidget* next = QApplication::focusWidget();
    if (next == nullptr || !IsDateEdit(next->objectName())) CheckDate(true);
    return;
  }
  // An audit text that converts was handled as it was typed; one that does not is reported once.
  const QString problem = SettingProblem(edit->objectName());
  if (!problem.isEmpty()) ShowError(problem);
}

// --- Typed settings ------------------------------------------------------------------------------

QString TForm1::SettingProblem(const QString& editName) const {
  const EditField* field = SettingField(editName);
  if (!field) return {};
  auto text = [this](const char* name) { return ToCp1251(findChild<QLineEdit*>(name)->text()); };
  QString message;
  const std::string_view name = field->Name;
  if (name == "Edit6" || name == "Edit2" || name == "Edit3") {
    message = ConvertMessage([&] {
      TextToDate(DateText{text("Edit6"), text("Edit2"), text("Edit3")}.Joined());
    });
  } else if (name == "Edit7") {
    message = ConvertMessage([&] { TextToFloat(text("Edit7"), model_->Locale().DecimalSeparator()); });
  } else {
    message = ConvertMessage([&] { TextToInt(text(field->Name)); });
  }
  return message.isEmpty() ? message : SettingMessage(message, SettingCaption(*this, *model_, field->Field));
}

bool TForm1::MarkSettings() {
  bool auditConverts = true;
  QString first;
  QWidget* focused = QApplication::focusWidget();
  QString focusedProblem;
  for (const auto group : kSettingGroups) {
    for (const EditField& f : group) {
      auto* edit = findChild<QLineEdit*>(f.Name);
      // A date still being typed is not marked; it only holds the audit back.
      const bool typing = datePending_ && IsDateEdit(f.Name);
      if (typing && !SettingProblem(f.Name).isEmpty()) auditConverts = false;
      const QString shown = typing ? QString() : SettingProblem(f.Name);
      if (edit->toolTip() != shown) {
        edit->setToolTip(shown);
        edit->setStyleSheet(shown.isEmpty() ? QString()
                                            : "QLineEdit { border: 2px solid #D00000; color: blue; }");
      }
      if (shown.isEmpty()) continue;
      if (IsAuditEdit(f.Name)) auditConverts = false;
      if (first.isEmpty()) first = shown;
      if (edit == focused) focusedProblem = shown;
    }
  }
  statusSettings_->setText(!focusedProblem.isEmpty() ? focusedProblem
                           : !first.isEmpty()        ? first
                                                     : settingsNotice_);
  statusSettings_->setToolTip(statusSettings_->text());
  // The batch's warnings take the whole line while every setting converts.
  statusSettings_->setVisible(!statusSettings_->text().isEmpty());
  return auditConverts;
}

void TForm1::AuditEditChanged() {
  // Nothing is recomputed while a text does not convert: the typing goes on undisturbed.
  if (MarkSettings()) Edit6Change();
}

// --- Handlers ------------------------------------------------------------------------------------

void TForm1::Run(const std::function<void()>& handler) {
  if (busy_) return;
  settingsNotice_.clear();
  PullEdits();
  QString error;
  try {
    handler();
  } catch (const std::exception& e) {
    error = FailureMessage(*this, *model_, e);
  } catch (...) {
    error = tr("Unknown error");
  }
  PushAll();
  if (!error.isEmpty()) ShowError(error);
}

void TForm1::ShowError(const QString& message) {
  dialogs_.ErrorBox(this, kApplicationTitle, QString::fromStdString(ErrorBoxText(message.toStdString())));
}

void TForm1::Button1Click() {
  if (busy_) return;
  const QString folder = lastFolder_.isEmpty() ? findChild<QLineEdit*>("Edit1")->text() : lastFolder_;
  const QStringList files = dialogs_.OpenFiles(this, folder);
  if (files.isEmpty()) return;
  lastFolder_ = QFileInfo(files.first()).absolutePath();
  LoadFiles(files);
}

void TForm1::LoadFiles(const QStringList& paths) {
  std::vector<std::string> bytes;
  for (const QString& p : paths) bytes.push_back(PathBytes(p));
  LoadBatch(bytes);
}

// The controls that could start another handler; locked while a batch loads, once the progress shows.
QList<QWidget*> TForm1::LoadInputs() {
  return {findChild<QWidget*>("Button1"), findChild<QWidget*>("Button2"), findChild<QWidget*>("Edit1"),
          pages_, menuBar()};
}

void TForm1::LoadBatch(const std::vector<std::string>& paths) {
  if (busy_ || paths.empty()) return;
  PullEdits();
  ClearBatchState();
  // The batch runs on a thread of its own while the window runs its event loop: its progress and its
  // questions reach the window as queued signals, and nothing of the window reads the model until it is
  // done (the grids show their rows blank meanwhile, as the load blanks them anyway).
  busy_ = true;
  loadPaths_ = paths;
  for (QTableView* grid : {baseGrid_, reloadGrid_, additionalGrid_, ladderGrid_})
    GridModelOf(grid)->Refresh();
  progressLabel_->setText(tr("Loading %1").arg(QFileInfo(PathText(paths.front())).fileName()));
  progressBar_->setRange(0, static_cast<int>(std::min(paths.size(), static_cast<size_t>(kMaxFiles))));
  progressBar_->setValue(0);
  runner_ = std::make_unique<BatchRunner>(*model_, paths, progressIntervalMs_);
  BatchRunner* runner = runner_.get();
  auto* delay = new QTimer(runner);
  delay->setSingleShot(true);
  connect(delay, &QTimer::timeout, this, &TForm1::ShowLoadProgress);
  connect(cancelButton_, &QPushButton::clicked, runner, &BatchRunner::Cancel);
  connect(runner, &BatchRunner::Progress, this, [this](int done, int total, const QByteArray& current) {
    progressLabel_->setText(tr("Loading %1 (%2 of %3)")
                                .arg(QFileInfo(PathText(current.toStdString())).fileName())
                                .arg(std::min(done + 1, total))
                                .arg(total));
    progressBar_->setValue(done);
  });
  // A damaged file: skip it, skip every further one of this batch, or stop the batch there.
  connect(runner, &BatchRunner::DamagedFile, this, [this, runner](const QByteArray& message) {
    runner->Answer(
        dialogs_.DamagedFile(this, kApplicationTitle, PathText(ErrorBoxText(message.toStdString()))));
  });
  connect(runner, &BatchRunner::Done, this, &TForm1::FinishBatch);
  QApplication::instance()->installEventFilter(this);
  if (progressDelayMs_ <= 0)
    ShowLoadProgress();
  else
    delay->start(progressDelayMs_);
  runner->Start();
}

void TForm1::ShowLoadProgress() {
  if (!busy_) return;
  for (QWidget* w : LoadInputs()) w->setEnabled(false);
  const QList<QWidget*> progress = {progressLabel_, progressBar_, cancelButton_};
  for (QWidget* w : progress) w->show();
}

void TForm1::FinishBatch() {
  QApplication::instance()->removeEventFilter(this);
  QString error;
  try {
    if (runner_->Failure()) std::rethrow_exception(runner_->Failure());
  } catch (const std::exception& e) {
    error = FailureMessage(*this, *model_, e);
  } catch (...) {
    error = tr("Unknown error");
  }
  const bool stopped = runner_->Stopped();
  const bool cancelled = runner_->Cancelled();
  lastBatch_ = runner_->Result();
  runner_.release()->deleteLater();  // this slot runs from its signal
  const QList<QWidget*> progress = {progressLabel_, progressBar_, cancelButton_};
  for (QWidget* w : progress) w->hide();
  for (QWidget* w : LoadInputs()) w->setEnabled(true);
  busy_ = false;
  MarkBatchState(loadPaths_, cancelled, stopped, !error.isEmpty() && !stopped);
  if (error.isEmpty()) ApplyFixedMaxima();
  if (!error.isEmpty() && !stopped) ShowError(error);
  Q_EMIT BatchFinished();
}

void TForm1::Button2Click() {
  if (busy_ || !ConfirmIncomplete(tr("Save the results"))) return;
  PullEdits();
  // "Res.txt" in the Path folder; with no Path yet, in the folder last used rather than the working one.
  QString proposed = PathText(model_->ProposedExportName());
  const QString folder = exportFolder_.isEmpty() ? lastFolder_ : exportFolder_;
  if (model_->Edits().Edit1.empty() && !folder.isEmpty()) proposed = QDir(folder).filePath(proposed);
  const QString path = dialogs_.SaveFile(this, proposed);
  if (path.isEmpty()) return;
  exportFolder_ = QFileInfo(path).absolutePath();
  bool written = false;
  Run([&] {
    model_->Button2Click(PathBytes(path));
    written = true;
  });
  if (written) statusBar()->showMessage(tr("Saved the results to %1").arg(path), 15000);
}

void TForm1::Edit6Change() {
  Run([this] { model_->Edit6Change(); });
}

void TForm1::PopFactorEChange() {
  Run([this] { model_->PopFactorEChange(); });
}

void TForm1::GraphSelectChange() {
  Run([this] { model_->GraphSelectChange(); });
}

void TForm1::SortClick(SortKey key) {
  Run([this, key] { model_->SortClick(key); });
}

// --- Copying between widgets and model -----------------------------------------------------------

void TForm1::PullEdits() {
  WindowEdits& edits = model_->Edits();
  edits.Edit1 = PathBytes(findChild<QLineEdit*>("Edit1")->text());
  auto pull = [&](const EditField& f) { edits.*f.Field = ToCp1251(findChild<QLineEdit*>(f.Name)->text()); };
  for (const EditField& f : kAuditEdits) pull(f);
  for (const EditField& f : kMaxEdits) pull(f);
  for (const EditField& f : kFactorEdits) pull(f);
  // An item index follows the text: a typed text that is no item selects none.
  edits.BaseLevelSelect = baseLevelSelect_->findText(baseLevelSelect_->currentText(), Qt::MatchExactly);
  edits.GraphSelect = graphSelect_->findText(graphSelect_->currentText(), Qt::MatchExactly);
}

void TForm1::PushAll() {
  for (QTableView* grid : {baseGrid_, reloadGrid_, additionalGrid_, ladderGrid_}) {
    GridModelOf(grid)->Refresh();
    FitColumns(grid);
  }
  PushEdits();
  PushChart();
  PushSortTips();
  MarkSettings();
  ShowBatchWarnings();
}

void TForm1::PushEdits() {
  pushing_ = true;
  const WindowEdits& edits = model_->Edits();
  auto push = [this](const char* name, const QString& text) {
    auto* edit = findChild<QLineEdit*>(name);
    if (edit->text() != text) edit->setText(text);
  };
  push("Edit1", PathText(edits.Edit1));
  for (const auto& group :
       {std::span<const EditField>(kAuditEdits), std::span<const EditField>(kMaxEdits),
        std::span<const EditField>(kFactorEdits), std::span<const EditField>(kDisabledEdits)}) {
    for (const EditField& f : group) push(f.Name, FromCp1251(edits.*f.Field));
  }
  pushing_ = false;
}

void TForm1::PushChart() {
  const ChartModel& chart = model_->Chart();
  if (chart.Revision() == chartRevision_) return;
  chartRevision_ = chart.Revision();
  QLegend* legend = chartView_->chart()->legend();
  double minX = 0, maxX = 0;
  bool anyPoint = false;
  for (int k = 0; k < ChartModel::kSeriesCount; ++k) {
    const ChartSeries& data = chart.Series(k);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(data.Points.size()));
    for (const ChartPoint& p : data.Points) {
      points.append(QPointF(p.X, p.Y));
      minX = anyPoint ? std::min(minX, p.X) : p.X;
      maxX = anyPoint ? std::max(maxX, p.X) : p.X;
      anyPoint = true;
    }
    series_[static_cast<size_t>(k)]->replace(points);
    series_[static_cast<size_t>(k)]->setName(FromCp1251(StripGameMarkup(data.Title)));
    for (QLegendMarker* marker : legend->markers(series_[static_cast<size_t>(k)]))
      marker->setVisible(data.InLegend);
  }
  // The turn axis follows the points; the value axis takes the range the model set.
  if (anyPoint)
    SetAxisRange(turnAxis_, minX, maxX);
  else
    SetAxisRange(turnAxis_, 0, 1);
  SetAxisRange(valueAxis_, chart.AxisMin(), chart.AxisMax());
  const int32_t item = model_->Edits().GraphSelect;
  valueAxis_->setTitleText(
      item >= 0 && item < static_cast<int32_t>(kGraphSelectItems.size())
          ? QCoreApplication::translate("History", kGraphSelectItems[static_cast<size_t>(item)])
          : QString());
  chartView_->chart()->zoomReset();
}

void TForm1::PushSortTips() {
  for (const SortButton& b : kSortButtons) {
    const bool ascending = model_->Ascending(b.Key);
    // What the key compares where the column's header does not say it.
    const QString meaning =
        b.Key == SortKey::Turn ? tr(" (turns played, the Turn column of the Reloads page)") : QString();
    findChild<QToolButton*>(b.Name)->setToolTip(
        tr("Sort by %1%2, %3").arg(tr(b.KeyText), meaning, ascending ? tr("ascending") : tr("descending")));
  }
  PushSortIndicators();
}

// --- Beyond the handlers: drops, closing, page shots ---------------------------------------------

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!busy_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.append(url.toLocalFile());
  }
  if (paths.isEmpty() || busy_) return;
  event->acceptProposedAction();
  LoadFiles(paths);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // A batch in progress runs to its end first; the window closes when asked again.
  if (busy_) {
    event->ignore();
    return;
  }
  RememberWork();
  QMainWindow::closeEvent(event);
}

bool TForm1::SavePageShots(const QString& dir) {
  QDir().mkpath(dir);
  bool ok = true;
  const int current = pages_->currentIndex();
  for (int i = 0; i < pages_->count(); ++i) {
    pages_->setCurrentIndex(i);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);  // heights that followed a wrap
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!grab().save(&buffer, "PNG")) {
      ok = false;
      continue;
    }
    try {
      WriteOutputFile(PathBytes(QDir(dir).filePath(pages_->tabText(i) + ".png")),
                      std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                      model_->Inputs(), OutputKind::Picture);
    } catch (const ExportError&) {
      ok = false;
    }
  }
  pages_->setCurrentIndex(current);
  return ok;
}

}  // namespace vsl