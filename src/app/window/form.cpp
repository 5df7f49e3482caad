// The window's behaviour: wiring, the handlers, and copying texts between the widgets and the model.

#include "app/window/form.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <span>

#include "app/window/cp1251.h"
#include "app/window/form_fields.h"
#include "app/window/grid_view.h"
#include "app/window/setting_caption.h"

namespace vsl {

using namespace form_fields;

namespace {

double NiceInterval(double span, int ticks) {
  if (span <= 0) return 1;
  const double raw = span / ticks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double step : {1.0, 2.0, 5.0, 10.0}) {
    if (raw <= step * power) return std::max(1.0, step * power);
  }
  return std::max(1.0, 10 * power);
}

void SetAxisRange(QValueAxis* axis, double min, double max) {
  if (max <= min) max = min + 1;
  axis->setRange(min, max);
  axis->setTickAnchor(0);
  axis->setTickInterval(NiceInterval(max - min, 8));
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

  WireEvents();
  PushAll();
}

// The widgets read the model's cells until they are gone, so they go first.
TForm1::~TForm1() {
  delete takeCentralWidget();
}

// --- Wiring --------------------------------------------------------------------------------------

void TForm1::WireEvents() {
  connect(findChild<QPushButton*>("Button1"), &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(findChild<QPushButton*>("Button2"), &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated, this,
          &TForm1::Button1Click);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
          &TForm1::Button2Click);

  for (const EditField& f : kAuditEdits) {
    connect(findChild<QLineEdit*>(f.Name), &QLineEdit::textChanged, this, [this] {
      if (!pushing_) Edit6Change();
    });
  }
  for (const auto* row : {kMaxEdits, kFactorEdits}) {
    for (int i = 0; i < 7; ++i) findChild<QLineEdit*>(row[i].Name)->installEventFilter(this);
  }
  for (QComboBox* combo : {baseLevelSelect_, graphSelect_}) {
    auto handler = combo == baseLevelSelect_ ? &TForm1::Edit6Change : &TForm1::GraphSelectChange;
    auto changed = [this, combo, handler] { OnComboChange(combo, handler); };
    connect(combo, &QComboBox::currentIndexChanged, this, changed);
    connect(combo, &QComboBox::editTextChanged, this, changed);
  }

  connect(findChild<QToolButton*>("SortByFileNameSelect"), &QToolButton::clicked, this,
          &TForm1::SortByFileNameSelectClick);
  connect(findChild<QToolButton*>("SortByTurnSelect"), &QToolButton::clicked, this,
          &TForm1::SortByTurnSelectClick);
  connect(findChild<QToolButton*>("SortByScoreSelect"), &QToolButton::clicked, this,
          &TForm1::SortByScoreSelectClick);
  connect(findChild<QToolButton*>("SortByFinalScoreSelect"), &QToolButton::clicked, this,
          &TForm1::SortByFinalScoreSelectClick);
  connect(findChild<QToolButton*>("SortByLadderFinalSelect"), &QToolButton::clicked, this,
          &TForm1::SortByLadderFinalSelectClick);
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
  if (event->type() == QEvent::FocusOut && !pushing_ && qobject_cast<QLineEdit*>(watched)) {
    PopFactorEChange();
  }
  return QMainWindow::eventFilter(watched, event);
}

// --- Handlers ------------------------------------------------------------------------------------

void TForm1::Run(const std::function<void()>& handler) {
  if (busy_) return;
  PullEdits();
  std::string error;
  try {
    handler();
  } catch (const std::exception& e) {
    error = FailureMessage(*this, *model_, e);
  } catch (...) {
    error = "Unknown error";
  }
  PushAll();
  if (!error.empty()) ShowError(error);
}

void TForm1::ShowError(const std::string& message) {
  dialogs_.ErrorBox(this, kApplicationTitle, QString::fromStdString(ErrorBoxText(message)));
}

void TForm1::Button1Click() {
  if (busy_) return;
  const QStringList files = dialogs_.OpenFiles(this);
  if (!files.isEmpty()) LoadFiles(files);
}

void TForm1::LoadFiles(const QStringList& paths) {
  std::vector<std::string> bytes;
  for (const QString& p : paths) bytes.push_back(ToPathBytes(p));
  LoadBatch(bytes);
}

void TForm1::LoadBatch(const std::vector<std::string>& paths) {
  if (busy_ || paths.empty()) return;
  PullEdits();
  busy_ = true;
  // The controls that could start another handler while the batch yields to the event loop.
  const QList<QWidget*> inputs = {findChild<QWidget*>("Button1"), findChild<QWidget*>("Button2"),
                                  findChild<QWidget*>("Edit1"), pages_};
  QElapsedTimer clock;
  clock.start();
  bool progressShown = false;
  BatchOptions options;
  options.ProgressInterval = std::chrono::milliseconds(progressIntervalMs_);
  options.Progress = [&](int done, int total, const std::string& current) {
    if (!progressShown && clock.elapsed() >= progressDelayMs_) {
      progressShown = true;
      for (QWidget* w : inputs) w->setEnabled(false);
      progressLabel_->show();
      progressBar_->show();
    }
    if (progressShown) {
      const QString name = QFileInfo(QFile::decodeName(QByteArray::fromStdString(current))).fileName();
      progressLabel_->setText(
          QString("Loading %1 (%2 of %3)").arg(name).arg(std::min(done + 1, total)).arg(total));
      progressBar_->setRange(0, total);
      progressBar_->setValue(done);
    }
    QCoreApplication::processEvents(progressShown ? QEventLoop::AllEvents
                                                  : QEventLoop::ExcludeUserInputEvents);
  };
  std::string error;
  BatchResult result;
  try {
    result = model_->Button1Click(paths, options);
  } catch (const std::exception& e) {
    error = FailureMessage(*this, *model_, e);
  } catch (...) {
    error = "Unknown error";
  }
  progressLabel_->hide();
  progressBar_->hide();
  for (QWidget* w : inputs) w->setEnabled(true);
  busy_ = false;
  PushAll();
  if (!error.empty()) {
    ShowError(error);
  } else if (result.LeftOut > 0) {
    dialogs_.InfoBox(
        this, kApplicationTitle,
        QString("A batch holds at most %1 files: the first %1 selected files were loaded, %2 left out.")
            .arg(result.Loaded)
            .arg(result.LeftOut));
  }
}

void TForm1::Button2Click() {
  if (busy_) return;
  PullEdits();
  const QString path = dialogs_.SaveFile(this, FromPathBytes(model_->ProposedExportName()));
  if (path.isEmpty()) return;
  Run([&] { model_->Button2Click(ToPathBytes(path)); });
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

void TForm1::SortByFileNameSelectClick() {
  Run([this] { model_->SortByFileNameSelectClick(); });
}

void TForm1::SortByTurnSelectClick() {
  Run([this] { model_->SortByTurnSelectClick(); });
}

void TForm1::SortByScoreSelectClick() {
  Run([this] { model_->SortByScoreSelectClick(); });
}

void TForm1::SortByFinalScoreSelectClick() {
  Run([this] { model_->SortByFinalScoreSelectClick(); });
}

void TForm1::SortByLadderFinalSelectClick() {
  Run([this] { model_->SortByLadderFinalSelectClick(); });
}

// --- Copying between widgets and model -----------------------------------------------------------

void TForm1::PullEdits() {
  WindowEdits& edits = model_->Edits();
  edits.Edit1 = ToPathBytes(findChild<QLineEdit*>("Edit1")->text());
  auto pull = [&](const EditField& f) { edits.*f.Field = ToCp1251(findChild<QLineEdit*>(f.Name)->text()); };
  for (const EditField& f : kAuditEdits) pull(f);
  for (const EditField& f : kMaxEdits) pull(f);
  for (const EditField& f : kFactorEdits) pull(f);
  // An item index follows the text: a typed text that is no item selects none.
  edits.BaseLevelSelect = baseLevelSelect_->findText(baseLevelSelect_->currentText(), Qt::MatchExactly);
  edits.GraphSelect = graphSelect_->findText(graphSelect_->currentText(), Qt::MatchExactly);
}

void TForm1::PushAll() {
  for (QTableView* grid : {baseGrid_, reloadGrid_, additionalGrid_, ladderGrid_})
    GridModelOf(grid)->Refresh();
  PushEdits();
  PushChart();
  PushSortTips();
}

void TForm1::PushEdits() {
  pushing_ = true;
  const WindowEdits& edits = model_->Edits();
  auto push = [this](const char* name, const QString& text) {
    auto* edit = findChild<QLineEdit*>(name);
    if (edit->text() != text) edit->setText(text);
  };
  push("Edit1", FromPathBytes(edits.Edit1));
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
    series_[static_cast<size_t>(k)]->setName(FromCp1251(data.Title));
    for (QLegendMarker* marker : legend->markers(series_[static_cast<size_t>(k)]))
      marker->setVisible(data.InLegend);
  }
  // The turn axis follows the points; the value axis takes the range the model set.
  if (anyPoint)
    SetAxisRange(turnAxis_, minX, maxX);
  else
    SetAxisRange(turnAxis_, 0, 1);
  SetAxisRange(valueAxis_, chart.AxisMin(), chart.AxisMax());
  chartView_->chart()->zoomReset();
}

void TForm1::PushSortTips() {
  for (const SortButton& b : kSortButtons) {
    const bool ascending = model_->Ascending(b.Key);
    findChild<QToolButton*>(b.Name)->setToolTip(
        QString("Sort by %1, %2").arg(b.KeyText, ascending ? "ascending" : "descending"));
  }
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
  QMainWindow::closeEvent(event);
}

bool TForm1::SavePageShots(const QString& dir) {
  QDir().mkpath(dir);
  bool ok = true;
  const int current = pages_->currentIndex();
  for (int i = 0; i < pages_->count(); ++i) {
    pages_->setCurrentIndex(i);
    QCoreApplication::processEvents();
    const QString path = QDir(dir).filePath(pages_->tabText(i) + ".png");
    ok = grab().save(path, "PNG") && ok;
  }
  pages_->setCurrentIndex(current);
  return ok;
}

}  // namespace vsl