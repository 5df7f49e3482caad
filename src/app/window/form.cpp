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
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
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

#include "app/window/column_strip.h"
#include "app/window/cp1251.h"
#include "app/window/grid_view.h"
#include "app/window/sort_glyph.h"

namespace vsl {

namespace {

constexpr int kDataRows = Grid::kRowCount - 1;  // rows 1..100 under the header row
constexpr int kEditHeight = 20;

// The edits whose text the model keeps, by object name.
struct EditField {
  const char* Name;
  std::string WindowEdits::*Field;
};

// clang-format off
// Reloads page and the two level settings of the Ladder page: every change of the text runs Edit6Change.
constexpr EditField kAuditEdits[] = {
    {"Edit6", &WindowEdits::Edit6},   {"Edit2", &WindowEdits::Edit2},   {"Edit3", &WindowEdits::Edit3},
    {"Edit7", &WindowEdits::Edit7},   {"Edit8", &WindowEdits::Edit8},   {"Edit4", &WindowEdits::Edit4},
    {"MaxReloadE", &WindowEdits::MaxReloadE}, {"LevelBonusE", &WindowEdits::LevelBonusE}};
// The two rows of seven Ladder edits, over LadderGrid columns 2..8: leaving one runs PopFactorEChange.
constexpr EditField kMaxEdits[] = {
    {"MaxPopE", &WindowEdits::MaxPopE},         {"MaxLandE", &WindowEdits::MaxLandE},
    {"MaxTechE", &WindowEdits::MaxTechE},       {"MaxWonderE", &WindowEdits::MaxWonderE},
    {"MaxCultureE", &WindowEdits::MaxCultureE}, {"MaxMTechE", &WindowEdits::MaxMTechE},
    {"MaxTurnE", &WindowEdits::MaxTurnE}};
constexpr EditField kFactorEdits[] = {
    {"PopFactorE", &WindowEdits::PopFactorE},         {"LandFactorE", &WindowEdits::LandFactorE},
    {"TechFactorE", &WindowEdits::TechFactorE},       {"WonderFactorE", &WindowEdits::WonderFactorE},
    {"CultureFactorE", &WindowEdits::CultureFactorE}, {"MTechFactorE", &WindowEdits::MTechFactorE},
    {"TurnFactorE", &WindowEdits::TurnFactorE}};
// No handler: nothing reads them.
constexpr EditField kDisabledEdits[] = {{"Edit5", &WindowEdits::Edit5}, {"Edit9", &WindowEdits::Edit9}};
// clang-format on

struct SortButton {
  const char* Name;
  SortKey Key;
  const char* KeyText;  // for the tool tip
};
constexpr SortButton kSortButtons[] = {
    {"SortByFileNameSelect", SortKey::FileName, "file name"},
    {"SortByTurnSelect", SortKey::Turn, "turn"},
    {"SortByScoreSelect", SortKey::Score, "score"},
    {"SortByFinalScoreSelect", SortKey::FinalScore, "final score"},
    {"SortByLadderFinalSelect", SortKey::LadderFinal, "Ladder final score"},
};

// The closest available narrow sans for "Arial Narrow".
QFont NarrowFont() {
  QFont font;
  font.setFamilies({"Arial Narrow", "Liberation Sans Narrow", "Nimbus Sans Narrow", "DejaVu Sans Condensed"});
  font.setPointSize(8);
  return font;
}

QPalette TextColour(QPalette palette, const QColor& colour) {
  palette.setColor(QPalette::Active, QPalette::Text, colour);
  palette.setColor(QPalette::Inactive, QPalette::Text, colour);
  palette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
  return palette;
}

QLabel* AddLabel(const QString& name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

// A tick interval of 1, 2 or 5 times a power of ten that gives about `ticks` ticks over `span`.
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

FormDialogs FormDialogs::Standard() {
  FormDialogs d;
  d.OpenFiles = [](QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters({"Text files (*.txt)", "All files (*.*)"});
    dialog.selectNameFilter("All files (*.*)");
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
  };
  d.SaveFile = [](QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("txt");
    // An existing file is replaced without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  d.ErrorBox = [](QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
  };
  d.InfoBox = [](QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.exec();
  };
  return d;
}

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

// --- Building the window ---------------------------------------------------------------------------

QWidget* TForm1::BuildTopBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  auto* load = new QPushButton("Load File", bar);
  load->setObjectName("Button1");
  load->setToolTip("Load a batch of saves (Ctrl+O)");
  row->addWidget(load, 0, Qt::AlignBottom);

  auto* pathColumn = new QVBoxLayout;
  pathColumn->setSpacing(1);
  pathColumn->addWidget(AddLabel("Label1", "Path", bar));
  auto* path = new QLineEdit(bar);
  path->setObjectName("Edit1");
  pathColumn->addWidget(path);
  row->addLayout(pathColumn, 1);

  progressLabel_ = new QLabel(bar);
  progressLabel_->setObjectName("ProgressLabel");
  progressLabel_->hide();
  row->addWidget(progressLabel_, 0, Qt::AlignBottom);
  progressBar_ = new QProgressBar(bar);
  progressBar_->setObjectName("ProgressBar");
  progressBar_->setFixedWidth(160);
  progressBar_->hide();
  row->addWidget(progressBar_, 0, Qt::AlignBottom);

  auto* save = new QPushButton("Save Results", bar);
  save->setObjectName("Button2");
  save->setToolTip("Write the four grids to a results file (Ctrl+S)");
  row->addWidget(save, 0, Qt::AlignBottom);
  return bar;
}

QTableView* TForm1::AddGrid(const QString& name, const Grid& grid, QWidget* parent) {
  std::vector<int> widths;
  for (int col = 0; col < grid.ColCount(); ++col) widths.push_back(grid.ColWidth(col));
  // File names are shown in the file system's encoding; every other text is code page 1251.
  const bool hasFileNames = name == "BaseGrid" || name == "ReloadGrid";
  auto cells = [&grid, hasFileNames](int col, int row) {
    const std::string& bytes = grid.Cell(col, row);
    return hasFileNames && col == 1 && row > 0 ? FromPathBytes(bytes) : FromCp1251(bytes);
  };
  return MakeGrid(name, widths, kDataRows, cells, parent);
}

QLineEdit* TForm1::AddEdit(const QString& name, int width, bool editable, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setFixedSize(width, kEditHeight);
  edit->setTextMargins(0, 0, 0, 0);
  edit->setPalette(TextColour(edit->palette(), editable ? Qt::blue : Qt::black));
  edit->setEnabled(editable);
  return edit;
}

QToolButton* TForm1::AddSortButton(const QString& name, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setIcon(SortGlyph());
  button->setIconSize(QSize(16, 16));
  button->setFixedSize(21, 20);
  button->setAutoRaise(false);
  return button;
}

QWidget* TForm1::BuildBasePage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet1");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(1);
  baseGrid_ = AddGrid("BaseGrid", model_->BaseGrid(), page);
  auto* strip = new ColumnStrip(baseGrid_, 21, page);
  strip->Centre(AddSortButton("SortByFileNameSelect", page), 1, 0);
  strip->Centre(AddSortButton("SortByTurnSelect", page), 5, 0);
  strip->Centre(AddSortButton("SortByScoreSelect", page), 8, 0);
  strip->Centre(AddSortButton("SortByFinalScoreSelect", page), 9, 0);
  layout->addWidget(strip);
  layout->addWidget(baseGrid_, 1);
  return page;
}

QWidget* TForm1::BuildGraphPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet5");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  graphSelect_ = new QComboBox(page);
  graphSelect_->setObjectName("GraphSelect");
  graphSelect_->setEditable(true);
  graphSelect_->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : kGraphSelectItems) graphSelect_->addItem(item);
  graphSelect_->setCurrentIndex(model_->Edits().GraphSelect);
  graphSelect_->setFixedWidth(145);
  layout->addWidget(graphSelect_);
  BuildChart();
  chartView_->setParent(page);
  layout->addWidget(chartView_, 1);
  return page;
}

void TForm1::BuildChart() {
  auto* chart = new QChart;
  chart->setObjectName("HistoryChartModel");
  chart->setTitle(QString());
  chart->setBackgroundRoundness(0);
  chart->setMargins(QMargins(4, 4, 4, 4));
  // The back wall is transparent: the plot stands on the panel colour, where the light curve
  // colours (white, yellow) stay visible.
  chart->setBackgroundBrush(QColor(0xD4, 0xD0, 0xC8));
  chart->setPlotAreaBackgroundVisible(false);
  chart->legend()->setAlignment(Qt::AlignRight);
  QFont legendFont = font();
  legendFont.setPointSize(8);
  chart->legend()->setFont(legendFont);
  chart->legend()->setShowToolTips(true);
  turnAxis_ = new QValueAxis(chart);
  turnAxis_->setObjectName("TurnAxis");
  turnAxis_->setLabelFormat("%i");
  turnAxis_->setTickType(QValueAxis::TicksDynamic);
  valueAxis_ = new QValueAxis(chart);
  valueAxis_->setObjectName("ValueAxis");
  valueAxis_->setLabelFormat("%i");
  valueAxis_->setTickType(QValueAxis::TicksDynamic);
  for (QValueAxis* axis : {turnAxis_, valueAxis_}) axis->setLabelsFont(font());
  chart->addAxis(turnAxis_, Qt::AlignBottom);
  chart->addAxis(valueAxis_, Qt::AlignLeft);
  for (int k = 0; k < ChartModel::kSeriesCount; ++k) {
    const ChartSeries& data = model_->Chart().Series(k);
    auto* series = new QLineSeries(chart);
    series->setObjectName(QString("Series%1").arg(k + 1));
    series->setName(FromCp1251(data.Title));
    QPen pen(QColor::fromRgb(data.Colour));
    pen.setWidth(2);
    series->setPen(pen);
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    chart->addSeries(series);
    series->attachAxis(turnAxis_);
    series->attachAxis(valueAxis_);
    series_.push_back(series);
  }
  chartView_ = new QChartView(chart);
  chartView_->setObjectName("HistoryChart");
  chartView_->setRenderHint(QPainter::Antialiasing);
  chartView_->setRubberBand(QChartView::RectangleRubberBand);
  chartView_->setToolTip("Drag a rectangle to zoom in; right-click to zoom out");
  SetAnimated(true);
}

void TForm1::SetAnimated(bool animated) {
  chartView_->chart()->setAnimationOptions(animated ? QChart::GridAxisAnimations : QChart::NoAnimation);
}

QWidget* TForm1::BuildReloadsPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet7");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* settings = new QGridLayout;
  settings->setHorizontalSpacing(6);
  settings->setVerticalSpacing(2);
  auto row = [&](int r, const char* labelName, const QString& caption, std::vector<QLineEdit*> edits,
                 const char* unitName = nullptr, const QString& unit = {}) {
    settings->addWidget(AddLabel(labelName, caption, page), r, 0);
    auto* box = new QHBoxLayout;
    box->setSpacing(2);
    for (QLineEdit* e : edits) box->addWidget(e);
    box->addStretch(1);
    settings->addLayout(box, r, 1);
    if (unitName) settings->addWidget(AddLabel(unitName, unit, page), r, 2);
  };
  row(0, "StartDateLabel", QString::fromUtf8("   Turnamet start date    (Дата начала турнира)"),
      {AddEdit("Edit6", 24, true, page), AddEdit("Edit2", 24, true, page), AddEdit("Edit3", 40, true, page)},
      "StartDateUnitLabel", QString::fromUtf8("dd.mm.yyyy (чч.мм.гггг)"));
  row(1, "SessionsPerDayLabel", QString::fromUtf8("     Max session per day     (Макс. число сессий в день)"),
      {AddEdit("Edit7", 40, true, page)});
  row(2, "MinSessionLabel", QString::fromUtf8("  Min session time   (Мин. время сессии)"),
      {AddEdit("Edit8", 40, true, page)}, "MinSessionUnitLabel", QString::fromUtf8("minutes (минут)"));
  row(3, "PresessionsLabel", QString::fromUtf8("   Presessions    (Пресессии)"),
      {AddEdit("Edit4", 40, true, page)});
  row(4, "ReloadsPercentLabel", QString::fromUtf8("    Max reloads percent     (Макс. % перезагрузок)"),
      {AddEdit("Edit5", 40, false, page)});
  row(5, "PenaltyLabel", QString::fromUtf8("  Penalty for reloads   (Штраф за перезагрузки)"),
      {AddEdit("Edit9", 40, false, page)}, "PenaltyUnitLabel",
      QString::fromUtf8("%, for each % of reloads (%, за каждый % пер-к)"));
  settings->setColumnStretch(3, 1);
  layout->addLayout(settings);
  reloadGrid_ = AddGrid("ReloadGrid", model_->ReloadGrid(), page);
  layout->addWidget(reloadGrid_, 1);
  return page;
}

QWidget* TForm1::BuildAdditionalPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet2");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  additionalGrid_ = AddGrid("AdditionalGrid", model_->AdditionalGrid(), page);
  layout->addWidget(additionalGrid_, 1);
  return page;
}

QWidget* TForm1::BuildLadderPage() {
  auto* page = new QWidget;
  page->setObjectName("TabSheet3");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(1);
  ladderGrid_ = AddGrid("LadderGrid", model_->LadderGrid(), page);
  ladderGrid_->setFont(NarrowFont());

  // Two rows over the grid: the seven maxima and the seven factors stand over columns 2..8; the level
  // settings over the Ladder components; the sort button over "Final".
  constexpr int kRow0 = 1;
  constexpr int kRow1 = kRow0 + kEditHeight + 2;
  auto* strip = new ColumnStrip(ladderGrid_, kRow1 + kEditHeight + 1, page);
  auto rowLabel = [&](const char* name, const QString& caption, int first, int last, int y) {
    QLabel* label = AddLabel(name, caption, page);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFixedHeight(kEditHeight);
    label->setContentsMargins(0, 0, 4, 0);
    strip->Span(label, first, last, y);
  };
  rowLabel("MaxScoreLabel", "MaxScore", 0, 1, kRow0);
  rowLabel("FactorLabel", "Factor", 0, 1, kRow1);
  for (int i = 0; i < 7; ++i) {
    QLineEdit* max = AddEdit(kMaxEdits[i].Name, 35, true, page);
    QLineEdit* factor = AddEdit(kFactorEdits[i].Name, 35, true, page);
    for (QLineEdit* e : {max, factor}) {
      e->setFont(NarrowFont());
      e->setMinimumWidth(0);
      e->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    strip->Span(max, 2 + i, 2 + i, kRow0);
    strip->Span(factor, 2 + i, 2 + i, kRow1);
  }
  rowLabel("BaseLevelLabel", "Base Level", 9, 11, kRow0);
  baseLevelSelect_ = new QComboBox(page);
  baseLevelSelect_->setObjectName("BaseLevelSelect");
  baseLevelSelect_->setEditable(true);
  baseLevelSelect_->setInsertPolicy(QComboBox::NoInsert);
  baseLevelSelect_->setMaxVisibleItems(9);
  for (const char* item : kBaseLevelItems) baseLevelSelect_->addItem(item);
  baseLevelSelect_->setCurrentIndex(model_->Edits().BaseLevelSelect);
  baseLevelSelect_->setFixedHeight(kEditHeight);
  baseLevelSelect_->setPalette(TextColour(baseLevelSelect_->palette(), Qt::blue));
  strip->Span(baseLevelSelect_, 12, 14, kRow0);
  rowLabel("LevelBonusLabel", "Level Bonus,%", 9, 11, kRow1);
  strip->Span(AddEdit("LevelBonusE", 35, true, page), 12, 12, kRow1);
  rowLabel("MaxReloadLabel", "Max Reloads", 13, 15, kRow1);
  strip->Span(AddEdit("MaxReloadE", 35, true, page), 16, 16, kRow1);
  for (const char* name : {"LevelBonusE", "MaxReloadE"}) {
    auto* e = page->findChild<QLineEdit*>(name);
    e->setMinimumWidth(0);
    e->setMaximumWidth(QWIDGETSIZE_MAX);
  }
  QToolButton* sort = AddSortButton("SortByLadderFinalSelect", page);
  strip->Centre(sort, 21, kRow1);
  layout->addWidget(strip);
  layout->addWidget(ladderGrid_, 1);
  return page;
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
    error = e.what();
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
    error = e.what();
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
