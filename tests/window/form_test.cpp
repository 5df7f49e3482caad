// The freshly opened window: its controls, captions, defaults, grid headers and widths, the sort glyph,
// the chart's series and axis, and the code page decoding the grids rely on.

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>

#include "window/cp1251.h"
#include "window_fixture.h"

using vsl::testing::FormHarness;

class FormTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    h_ = std::make_unique<FormHarness>();
    h_->Form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&h_->Form()));
  }
  void cleanup() { h_.reset(); }

  void CaptionSizeAndPages() {
    QCOMPARE(h_->Form().windowTitle(), QString("Vellum Saves List (version 1.01)"));
    QCOMPARE(h_->Form().size(), QSize(1026, 558));
    auto* pages = h_->Find<QTabWidget>("PageControls");
    QVERIFY(pages);
    const QStringList captions = {"Base", "Graph", "Reloads", "Additional", "Ladder"};
    const QStringList names = {"TabSheet1", "TabSheet5", "TabSheet7", "TabSheet2", "TabSheet3"};
    QCOMPARE(pages->count(), 5);
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(pages->tabText(i), captions[i]);
      QCOMPARE(pages->widget(i)->objectName(), names[i]);
    }
    QCOMPARE(pages->currentIndex(), 0);
    QCOMPARE(h_->Find<QPushButton>("Button1")->text(), QString("Load File"));
    QCOMPARE(h_->Find<QPushButton>("Button2")->text(), QString("Save Results"));
    QCOMPARE(h_->Find<QLabel>("Label1")->text(), QString("Path"));
    QCOMPARE(h_->Find<QLineEdit>("Edit1")->text(), QString());
  }

  void GridHeadersWidthsAndRows() {
    struct Expect {
      const char* grid;
      QStringList headers;
      QList<int> widths;
    };
    const QList<Expect> grids = {
        {"BaseGrid",
         {"№", "File Name", "NickName", "LeaderName", "CivName", "Turn", "Date", "Play Time", "Score",
          "Final", "Level", "Victory"},
         {20, 240, 100, 80, 80, 35, 45, 55, 50, 50, 70, 80}},
        {"ReloadGrid",
         {"№", "File Name", "File Date", "Turn", "Date", "Play Time", "Play Days", "Reloads", "Percent",
          "Session", "Max Reloads", "Honesty", "Penalty"},
         {20, 240, 105, 35, 45, 55, 55, 50, 50, 50, 70, 60, 40}},
        {"AdditionalGrid",
         {"№", "File Name", "Cities", "Units", "Techs", "Land", "Land %", "Pop", "Pop %", "Culture 1",
          "Culture 2", "Culture 3", "Rank", "Met", "Vassals"},
         {20, 240, 40, 40, 40, 40, 40, 40, 40, 50, 50, 50, 40, 40, 40}},
        {"LadderGrid",
         {"№",      "Nick",  "Pop",    "Land",    "Tech",  "Wonder", "Culture", "MTech",
          "Turn",   "Date",  "Reload", "FPop",    "FLand", "FTech",  "FWonder", "FCulture",
          "FMTech", "FTurn", "Result", "Penalty", "Bonus", "Final",  "Norma"},
         {20, 150, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 35, 40, 40, 40, 35, 40, 35, 35, 40, 35}},
    };
    for (const Expect& e : grids) {
      auto* view = h_->Find<QTableView>(e.grid);
      QVERIFY2(view, e.grid);
      QCOMPARE(view->model()->columnCount(), e.headers.size());
      QCOMPARE(view->model()->rowCount(), 100);
      for (int col = 0; col < e.headers.size(); ++col) {
        QCOMPARE(h_->Cell(e.grid, col, 0), QString::fromUtf8(e.headers[col].toUtf8()));
        // The design width, or more where the header needs it.
        QVERIFY(view->horizontalHeader()->sectionSize(col) >= e.widths[col]);
        QCOMPARE(h_->Cell(e.grid, col, 1), QString());
      }
      QCOMPARE(view->verticalHeader()->defaultSectionSize(), 16);
      QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
      QVERIFY(!(view->model()->flags(view->model()->index(0, 1)) & Qt::ItemIsEditable));
    }
    QCOMPARE(h_->Cell("BaseGrid", 0, 0), QString(QChar(0x2116)));
    QCOMPARE(h_->Find<QTableView>("BaseGrid")->horizontalHeader()->sectionSize(1), 240);
  }

  void EditsDefaultsColoursAndStates() {
    struct Expect {
      const char* name;
      QString text;
      bool enabled;
    };
    const QList<Expect> edits = {
        {"Edit6", "27", true},           {"Edit2", "11", true},          {"Edit3", "2005", true},
        {"Edit7", "1.5", true},          {"Edit8", "30", true},          {"Edit4", "1", true},
        {"Edit5", "10.0", false},        {"Edit9", "5.0", false},        {"MaxReloadE", "20", true},
        {"LevelBonusE", "15", true},     {"MaxPopE", "    0", true},     {"MaxMTechE", "    0", true},
        {"MaxTurnE", "    0", true},     {"PopFactorE", " 2500", true},  {"WonderFactorE", " 5000", true},
        {"MTechFactorE", " 5000", true}, {"TurnFactorE", " 2500", true},
    };
    for (const Expect& e : edits) {
      auto* edit = h_->Find<QLineEdit>(e.name);
      QVERIFY2(edit, e.name);
      QCOMPARE(edit->text(), e.text);
      QCOMPARE(edit->isEnabled(), e.enabled);
      QCOMPARE(
          edit->palette().color(edit->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text),
          e.enabled ? QColor(Qt::blue) : QColor(Qt::black));
    }
    for (const char* name : {"MaxLandE", "MaxTechE", "MaxWonderE", "MaxCultureE", "LandFactorE",
                             "TechFactorE", "CultureFactorE"}) {
      QVERIFY2(h_->Find<QLineEdit>(name), name);
    }
  }

  void ReloadsCaptionsKeepTheirRussianText() {
    QCOMPARE(h_->Find<QLabel>("StartDateLabel")->text(),
             QString::fromUtf8("   Turnamet start date    (Дата начала турнира)"));
    QCOMPARE(h_->Find<QLabel>("PenaltyUnitLabel")->text(),
             QString::fromUtf8("%, for each % of reloads (%, за каждый % пер-к)"));
  }

  void DropDownLists() {
    auto* graph = h_->Find<QComboBox>("GraphSelect");
    QCOMPARE(graph->count(), 7);
    QCOMPARE(graph->itemText(3), QString("Agriculture"));
    QCOMPARE(graph->currentIndex(), 0);
    QVERIFY(graph->isEditable());
    auto* level = h_->Find<QComboBox>("BaseLevelSelect");
    QCOMPARE(level->count(), 9);
    QCOMPARE(level->itemText(0), QString(" Settler"));
    QCOMPARE(level->currentText(), QString(" Monarch"));
    QCOMPARE(level->maxVisibleItems(), 9);
  }

  void SortButtonsShowTheCyanTriangle() {
    for (const char* name : {"SortByFileNameSelect", "SortByTurnSelect", "SortByScoreSelect",
                             "SortByFinalScoreSelect", "SortByLadderFinalSelect"}) {
      auto* button = h_->Find<QToolButton>(name);
      QVERIFY2(button, name);
      QCOMPARE(button->size(), QSize(21, 20));
      QVERIFY(button->text().isEmpty());
    }
    const QImage glyph = h_->Find<QToolButton>("SortByScoreSelect")->icon().pixmap(16, 16).toImage();
    QCOMPARE(glyph.size(), QSize(16, 16));
    QCOMPARE(glyph.pixelColor(8, 6), QColor(0x00, 0xFF, 0xFF));  // inside
    QCOMPARE(glyph.pixelColor(0, 15).alpha(), 0);                // background
    QCOMPARE(glyph.pixelColor(8, 3), QColor(Qt::black));         // top edge of the outline
    // The first clicks sort file name and turn ascending, the others descending.
    QCOMPARE(h_->Find<QToolButton>("SortByFileNameSelect")->toolTip(),
             QString("Sort by file name, ascending"));
    QCOMPARE(h_->Find<QToolButton>("SortByScoreSelect")->toolTip(), QString("Sort by score, descending"));
  }

  void ChartHasTwentySeriesInTheLegend() {
    auto* view = h_->Find<QChartView>("HistoryChart");
    QVERIFY(view);
    QChart* chart = view->chart();
    QCOMPARE(chart->series().size(), 20);
    const QList<QRgb> colours = {0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF00, 0xFF8000, 0x00FFFF, 0x8000FF,
                                 0x808000, 0xFFFFFF, 0xFF00FF, 0x004000, 0x80FF80, 0xFFFF80, 0x808040,
                                 0x400040, 0x80FFFF, 0x004040, 0xFF8040, 0x000000, 0x808080};
    for (int k = 0; k < 20; ++k) {
      auto* series = qobject_cast<QLineSeries*>(chart->series()[k]);
      QCOMPARE(series->objectName(), QString("Series%1").arg(k + 1));
      QCOMPARE(series->name(), QString("Graph%1").arg(k + 1, 2, 10, QChar('0')));
      QCOMPARE(series->pen().color(), QColor::fromRgb(colours[k]));
      QCOMPARE(series->pen().width(), 2);
      QCOMPARE(series->count(), 0);
      QVERIFY(chart->legend()->markers(series).first()->isVisible());
    }
    auto* axis = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    QCOMPARE(axis->min(), 387.0);
    QCOMPARE(axis->max(), 712.0);
    QCOMPARE(view->rubberBand(), QChartView::RectangleRubberBand);
  }

  void CodePageDecoding() {
    QCOMPARE(vsl::FromCp1251("\xB9"), QString(QChar(0x2116)));
    QCOMPARE(vsl::FromCp1251("\xC8\xE2\xE0\xED 1"), QString::fromUtf8("Иван 1"));
    QCOMPARE(vsl::ToCp1251(QString::fromUtf8("№ Иван")), std::string("\xB9 \xC8\xE2\xE0\xED"));
    QCOMPARE(vsl::ToCp1251(QString::fromUtf8("ü")), std::string("?"));
    // Paths: UTF-8 names show as such; bytes that are no UTF-8 fall back to code page 1251.
    QCOMPARE(vsl::PathText("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"), QString::fromUtf8("Иван"));
    QCOMPARE(vsl::PathText("\xC8\xE2\xE0\xED"), QString::fromUtf8("Иван"));
  }

 private:
  std::unique_ptr<FormHarness> h_;
};

QTEST_MAIN(FormTest)
#include "form_test.moc"
