// Building the window: the top bar, the five pages with their grids, settings and chart, and the
// standard dialogs.

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include "app/explanations.h"
#include "app/format.h"
#include "app/game_text.h"
#include "window/column_strip.h"
#include "window/cp1251.h"
#include "window/form.h"
#include "window/form_fields.h"
#include "window/grid_view.h"
#include "window/sort_glyph.h"

namespace vsl {

using namespace form_fields;

namespace {

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

constexpr int kHonestyCol = 11;      // of ReloadGrid
constexpr int kFirstAuditCol = 6;    // ReloadGrid's "Play Days": the audit's columns from here
constexpr int kLadderFinalCol = 21;  // of LadderGrid

// The colour a name's markup gives it ("<color=255,200,0>Vutar</color>"), darkened where it would be
// too light to read on the grid's white; none without such markup.
QVariant MarkupColour(const std::string& cell) {
  static const QRegularExpression colour("^<color=(\\d{1,3}),(\\d{1,3}),(\\d{1,3})");
  const QRegularExpressionMatch m =
      colour.match(QString::fromLatin1(cell.data(), static_cast<qsizetype>(cell.size())));
  if (!m.hasMatch()) return {};
  const QColor c(std::min(m.captured(1).toInt(), 255), std::min(m.captured(2).toInt(), 255),
                 std::min(m.captured(3).toInt(), 255));
  // By perceived brightness: pure yellow is as light as white to the eye.
  return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() > 150 ? c.darker(200) : c;
}

// The verdicts in colours that differ in grey scale too: "Cheat" bold white on dark red, "Average"
// black on amber, "Fair" dark green on the grid's white.
QVariant HonestyLook(std::optional<Honesty> verdict, int role) {
  if (verdict == kCheat) {
    if (role == Qt::BackgroundRole) return QColor(0x9C, 0x00, 0x06);
    if (role == Qt::ForegroundRole) return QColor(Qt::white);
    if (role == Qt::FontRole) {
      QFont bold;
      bold.setBold(true);
      return bold;
    }
  } else if (verdict == kAverage) {
    if (role == Qt::BackgroundRole) return QColor(0xFF, 0xD9, 0x66);
    if (role == Qt::ForegroundRole) return QColor(Qt::black);
  } else if (verdict == kFair) {
    if (role == Qt::ForegroundRole) return QColor(0x00, 0x61, 0x00);
  }
  return {};
}

}  // namespace

FormDialogs FormDialogs::Standard() {
  FormDialogs d;
  d.OpenFiles = [](QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QString(), folder);
    dialog.setObjectName("OpenDialog1");
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // "*" rather than "*.*": here a name needs no dot, and every file is listed.
    dialog.setNameFilters({"Text files (*.txt)", "All files (*)"});
    dialog.selectNameFilter("All files (*)");
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
  };
  d.SaveFile = [](QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent);
    dialog.setObjectName("SaveDialog1");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix("txt");
    // An existing file is replaced without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  };
  d.OpenFile = [](QWidget* parent, const QString& caption, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
  };
  d.SaveAs = [](QWidget* parent, const QString& caption, const QString& proposed, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
  };
  d.ErrorBox = [](QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
  };
  d.DamagedFile = [](QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::NoButton, parent);
    box.setObjectName("DamagedFileBox");
    QPushButton* skip =
        box.addButton(QCoreApplication::translate("vsl::TForm1", "Skip this file"), QMessageBox::AcceptRole);
    QPushButton* skipAll = box.addButton(QCoreApplication::translate("vsl::TForm1", "Skip all damaged files"),
                                         QMessageBox::AcceptRole);
    QPushButton* stop =
        box.addButton(QCoreApplication::translate("vsl::TForm1", "Stop"), QMessageBox::RejectRole);
    box.setDefaultButton(stop);
    box.exec();
    if (box.clickedButton() == skip) return DamagedChoice::Skip;
    if (box.clickedButton() == skipAll) return DamagedChoice::SkipAll;
    return DamagedChoice::Stop;
  };
  d.InfoBox = [](QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.exec();
  };
  d.Question = [](QWidget* parent, const QString& caption, const QString& text) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
  };
  return d;
}

QWidget* TForm1::BuildTopBar() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  auto* load = new QPushButton("Load File", bar);
  load->setObjectName("Button1");
  load->setToolTip(tr("Load a batch of saves (Ctrl+O)"));
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
  // Ends a long load: the files loaded so far become the batch.
  cancelButton_ = new QPushButton(tr("Cancel"), bar);
  cancelButton_->setObjectName("CancelLoad");
  cancelButton_->hide();
  row->addWidget(cancelButton_, 0, Qt::AlignBottom);

  auto* save = new QPushButton("Save Results", bar);
  save->setObjectName("Button2");
  save->setToolTip(tr("Write the four grids to a results file (Ctrl+S)"));
  row->addWidget(save, 0, Qt::AlignBottom);
  return bar;
}

QTableView* TForm1::AddGrid(const QString& name, const Grid& grid, QWidget* parent) {
  std::vector<int> widths;
  for (int col = 0; col < grid.ColCount(); ++col) widths.push_back(grid.ColWidth(col));
  // File names are UTF-8 text; every other text is code page 1251. A locked row, which rendering
  // leaves blank after the cells every row gets, says "locked" in its first blank column.
  const bool hasFileNames = name == "BaseGrid" || name == "ReloadGrid";
  // Nick names show without the game's markup; a colour it names colours the name.
  const int nickCol = name == "BaseGrid" ? 2 : name == "ReloadGrid" ? -1 : 1;
  const int lockedCol = name == "ReloadGrid" ? 3 : 2;
  auto lockedCell = [this, &grid, lockedCol](int col, int row) {
    return col == lockedCol && row - 1 < model_->SaveCount() && model_->Row(row - 1).Locked() &&
           grid.Cell(col, row).find_first_not_of(' ') == std::string::npos;
  };
  // While a batch loads on its thread, the data rows show blank: nothing reads the model's rows then.
  auto cells = [this, &grid, hasFileNames, nickCol, lockedCell](int col, int row) {
    if (row > 0 && busy_) return QString();
    if (row > 0 && lockedCell(col, row)) return tr("locked");
    const std::string& bytes = grid.Cell(col, row);
    if (row > 0 && col == nickCol) return FromCp1251(StripGameMarkup(bytes));
    return hasFileNames && col == 1 && row > 0 ? QString::fromStdString(bytes) : FromCp1251(bytes);
  };
  QTableView* view = MakeGrid(name, widths, kDataRows, cells, parent);
  const bool hasHonesty = name == "ReloadGrid";
  const bool hasLadder = name == "LadderGrid";
  GridModelOf(view)->SetRoles(
      [this, &grid, hasHonesty, hasLadder, nickCol, lockedCell](int col, int row, int role) -> QVariant {
        if (busy_) return {};
        // The audit cells and the Ladder's Final explain themselves with the row's numbers.
        if (role == Qt::ToolTipRole) {
          const bool scored = row - 1 < model_->SaveCount() && !model_->Row(row - 1).Locked();
          if (scored && hasHonesty && col >= kFirstAuditCol)
            return FromCp1251(AuditExplanation(*model_, row - 1));
          if (scored && hasLadder && col == kLadderFinalCol)
            return FromCp1251(LadderExplanation(*model_, row - 1));
          return {};
        }
        if (col == nickCol && role == Qt::ForegroundRole) return MarkupColour(grid.Cell(col, row));
        if (lockedCell(col, row)) {
          if (role == Qt::ForegroundRole) return QColor(Qt::darkGray);
          if (role == Qt::FontRole) {
            QFont italic;
            italic.setItalic(true);
            return italic;
          }
          return {};
        }
        if (hasHonesty && col == kHonestyCol) return HonestyLook(ShownHonesty(grid.Cell(col, row)), role);
        return {};
      });
  return view;
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
  for (const SortButton& b : kSortButtons) {
    if (std::string_view(b.Grid) == "BaseGrid") strip->Centre(AddSortButton(b.Name, page), b.Column, 0);
  }
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
  auto* top = new QHBoxLayout;
  top->addWidget(graphSelect_);
  auto* resetZoom = new QPushButton(tr("Reset zoom"), page);
  resetZoom->setObjectName("ResetZoom");
  resetZoom->setToolTip(tr("Show the whole chart again after zooming in"));
  top->addWidget(resetZoom);
  top->addStretch(1);
  layout->addLayout(top);
  BuildChart();
  chartView_->setParent(page);
  connect(resetZoom, &QPushButton::clicked, this, [this] { chartView_->chart()->zoomReset(); });
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
  // Twenty entries fit beside the plot at the window's design height.
  QFont legendFont = font();
  legendFont.setPointSize(7);
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
  turnAxis_->setTitleText(tr("Turn"));
  valueAxis_->setTitleText(kGraphSelectItems[0]);
  for (QValueAxis* axis : {turnAxis_, valueAxis_}) {
    axis->setLabelsFont(font());
    axis->setTitleFont(font());
  }
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
  chartView_->setToolTip(tr("Drag a rectangle to zoom in; right-click to zoom out"));
  SetAnimated(true);
}

void TForm1::SetAnimated(bool animated) {
  // The curves animate; the axes do not: Qt Charts' axis animation crashes when the range changes
  // again while it runs, as it does on every load, sort and selector change.
  chartView_->chart()->setAnimationOptions(animated ? QChart::SeriesAnimations : QChart::NoAnimation);
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

}  // namespace vsl
