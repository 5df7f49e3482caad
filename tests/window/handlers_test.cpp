// The window's handlers driven through its controls: loading through the open dialog, sorting, the
// audit and Ladder settings, the history selector, the export, the error box, drops and page shots.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QValueAxis>
#include <cstdlib>

#include "app/export/structured_export.h"
#include "window/warnings_panel.h"
#include "window_fixture.h"

using vsl::testing::FormHarness;
using vsl::testing::SaveFolder;
using vsl::testing::SimpleSave;

class HandlersTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FormHarness> h_;
  std::unique_ptr<SaveFolder> saves_;
  QStringList paths_;

  QChart* Chart() const { return h_->Find<QChartView>("HistoryChart")->chart(); }
  QLineSeries* Series(int k) const { return qobject_cast<QLineSeries*>(Chart()->series()[k]); }
  QValueAxis* ValueAxis() const { return qobject_cast<QValueAxis*>(Chart()->axes(Qt::Vertical).first()); }
  bool InLegend(int k) const { return Chart()->legend()->markers(Series(k)).first()->isVisible(); }
  QStringList Grids() const {
    QStringList all;
    for (const char* g : {"BaseGrid", "ReloadGrid", "AdditionalGrid", "LadderGrid"}) all += h_->AllCells(g);
    return all;
  }
  void Type(const char* edit, const QString& text) {
    auto* e = h_->Find<QLineEdit>(edit);
    e->selectAll();
    QTest::keyClicks(e, text);
  }
  // Leaves a Ladder edit the way a user does: focus into it, then onto another control.
  void Leave(const char* edit) {
    h_->Find<QLineEdit>(edit)->setFocus();
    QTRY_VERIFY(h_->Find<QLineEdit>(edit)->hasFocus());
    h_->Find<QLineEdit>("Edit1")->setFocus();
    QTRY_VERIFY(!h_->Find<QLineEdit>(edit)->hasFocus());
  }

 private Q_SLOTS:
  void init() {
    h_ = std::make_unique<FormHarness>();
    saves_ = std::make_unique<SaveFolder>();
    paths_ = saves_->WriteThreePlayers(500);
    h_->Form().show();
    QVERIFY(QTest::qWaitForWindowActive(&h_->Form()));
  }
  void cleanup() {
    h_.reset();
    saves_.reset();
  }

  void LoadFillsAllFourGridsSortedByFileName() {
    h_->Load(paths_);
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(h_->Find<QLineEdit>("Edit1")->text(), saves_->Path());
    // Sorted by file name, case ignored.
    QCOMPARE(h_->Cell("BaseGrid", 0, 1), QString("1"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("alice"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 2), QString("Bob"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 3), QString("Carol"));
    QCOMPARE(h_->Cell("BaseGrid", 2, 1), QString("Alice"));
    QCOMPARE(h_->Cell("BaseGrid", 3, 1), QString("Augustus"));
    QCOMPARE(h_->Cell("BaseGrid", 5, 1), QString(" 120"));
    QCOMPARE(h_->Cell("BaseGrid", 8, 1), QString("   700"));
    QCOMPARE(h_->Cell("BaseGrid", 10, 1), QString("Monarch"));
    QCOMPARE(h_->Cell("BaseGrid", 11, 1), QString("Incomplete"));
    QCOMPARE(h_->Cell("ReloadGrid", 2, 1), QString("29-11-2005 12:00:00"));
    QCOMPARE(h_->Cell("ReloadGrid", 5, 1), QString("   3:00:00"));
    QCOMPARE(h_->Cell("ReloadGrid", 6, 1), QString("   3"));
    QCOMPARE(h_->Cell("AdditionalGrid", 1, 2), QString("Bob"));
    QCOMPARE(h_->Cell("LadderGrid", 1, 3), QString("Carol"));
    QCOMPARE(h_->Cell("LadderGrid", 8, 3), QString("   100"));
    // The rendering wrote the Ladder maxima into their edits.
    QCOMPARE(h_->Find<QLineEdit>("MaxPopE")->text(), QString("   400"));
    QCOMPARE(h_->Find<QLineEdit>("MaxMTechE")->text(), QString("   150"));
    // Nothing beyond the batch.
    QCOMPARE(h_->Cell("BaseGrid", 1, 4), QString());
    // Every grid shows exactly what the model holds, byte for byte decoded.
    const vsl::WindowModel& model = h_->Form().Model();
    QCOMPARE(h_->Cell("LadderGrid", 22, 1), QString::fromStdString(model.LadderGrid().Cell(22, 1)));
  }

  void BatchOfThreeHidesSeriesThreeToNineteen() {
    h_->Load(paths_);
    for (int k = 0; k < 3; ++k) QVERIFY(InLegend(k));
    for (int k = 3; k < 20; ++k) {
      QVERIFY(!InLegend(k));
      QCOMPARE(Series(k)->count(), 0);
    }
    QCOMPARE(Series(0)->name(), QString("Alice"));
    QCOMPARE(Series(0)->count(), 120);
    QCOMPARE(Series(0)->at(119), QPointF(119, 700));
    // Score axis: -(2 * 700) div 100 .. 700 * 105 div 100.
    QCOMPARE(ValueAxis()->min(), -14.0);
    QCOMPARE(ValueAxis()->max(), 735.0);
  }

  void CancelledDialogChangesNothing() {
    h_->Load(paths_);
    const QStringList before = Grids();
    h_->Load({});
    QCOMPARE(Grids(), before);
    QCOMPARE(h_->Find<QLineEdit>("Edit1")->text(), saves_->Path());
  }

  void SortClicksReorderRowsAndSeries() {
    h_->Load(paths_);
    auto* score = h_->Find<QToolButton>("SortByScoreSelect");
    score->click();
    // Descending and stable: 700, then the two 500 rows in their earlier order (Bob, Carol).
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("alice"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 2), QString("Bob"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 3), QString("Carol"));
    QCOMPARE(score->toolTip(), QString("Sort by score, ascending"));
    score->click();
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("Bob"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 2), QString("Carol"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 3), QString("alice"));
    // The colours follow the rows: series 0 now draws Bob's 80 turns.
    QCOMPARE(Series(0)->name(), QString("Bob"));
    QCOMPARE(Series(0)->count(), 80);
    QCOMPARE(Series(2)->name(), QString("Alice"));

    h_->Find<QToolButton>("SortByTurnSelect")->click();
    QCOMPARE(h_->Cell("BaseGrid", 5, 1), QString("  80"));
    QCOMPARE(h_->Cell("BaseGrid", 5, 3), QString(" 120"));
    h_->Find<QToolButton>("SortByFileNameSelect")->click();
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("alice"));
    QCOMPARE(h_->Find<QToolButton>("SortByFileNameSelect")->toolTip(),
             QString("Sort by file name, descending"));
    h_->Find<QToolButton>("SortByLadderFinalSelect")->click();
    QCOMPARE(h_->Cell("LadderGrid", 22, 1), QString(" 1.000"));
    QVERIFY(h_->errors.isEmpty());
  }

  void TypingAnAuditSettingReRenders() {
    h_->Load(paths_);
    QCOMPARE(h_->Cell("ReloadGrid", 6, 1), QString("   3"));
    Type("Edit6", "28");  // the tournament starts a day later
    Leave("Edit6");
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(h_->Cell("ReloadGrid", 6, 1), QString("   2"));
    // The level settings of the Ladder page run the audit too: a lower base level raises the bonus.
    const QString bonus = h_->Cell("LadderGrid", 20, 1);
    h_->Find<QComboBox>("BaseLevelSelect")->setCurrentIndex(4);
    QVERIFY(h_->errors.isEmpty());
    QVERIFY(h_->Cell("LadderGrid", 20, 1) != bonus);
    QCOMPARE(h_->Form().Model().Audit().BaseLevel, 4);
  }

  // A text that does not convert is marked as it is typed, never a box; leaving it reports it once.
  void TypingNeverRaisesABoxAndLeavingReportsOnce() {
    h_->Load(paths_);
    const QStringList before = Grids();
    auto* status = h_->Find<QLabel>("StatusSettings");
    Type("Edit7", "1,");
    QTest::keyClicks(h_->Find<QLineEdit>("Edit7"), "5");
    QCOMPARE(h_->Find<QLineEdit>("Edit7")->text(), QString("1,5"));
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(status->text(),
             QString::fromUtf8("'1,5' is not a valid floating point value. (setting \"Max session "
                               "per day (Макс. число сессий в день)\")"));
    Type("Edit7", "1.5");
    QCOMPARE(status->text(), QString());
    QCOMPARE(Grids(), before);
    // What was typed shows as typed, in any script.
    Type("Edit8", "3");
    h_->Find<QLineEdit>("Edit8")->insert(QString::fromUtf8("д"));
    const QString typed = QString::fromUtf8(
        "'3д' is not a valid integer value. (setting \"Min session time (Мин. время сессии)\")");
    QCOMPARE(status->text(), typed);
    Leave("Edit8");
    QCOMPARE(h_->errors, QStringList{typed});
    QCOMPARE(Grids(), before);
    // The date is checked when its group is left.
    Type("Edit6", "32");
    QCOMPARE(h_->errors.size(), 1);
    Leave("Edit6");
    QVERIFY(status->text().startsWith("'32-11-2005' is not a valid date. (setting \"Turnamet start date"));
    QCOMPARE(h_->errors.size(), 2);
    // Once every text converts, the audit runs on the new day.
    Type("Edit8", "30");
    Type("Edit6", "28");
    Leave("Edit6");
    QCOMPARE(h_->Cell("ReloadGrid", 6, 1), QString("   2"));
  }

  void BaseLevelTextThatIsNoItemSelectsNone() {
    h_->Load(paths_);
    auto* level = h_->Find<QComboBox>("BaseLevelSelect");
    level->lineEdit()->selectAll();
    QTest::keyClicks(level->lineEdit(), "Zz");
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(h_->Form().Model().Edits().BaseLevelSelect, -1);
  }

  void LeavingALadderEditReScores() {
    h_->Load(paths_);
    h_->Find<QTabWidget>("PageControls")->setCurrentIndex(4);
    const QString before = h_->Cell("LadderGrid", 11, 1);
    Type("PopFactorE", " 5000");
    QCOMPARE(h_->Cell("LadderGrid", 11, 1), before);  // typing alone changes nothing
    Leave("PopFactorE");
    QVERIFY(h_->errors.isEmpty());
    // Twice the factor, twice the component (each rounded on its own).
    QVERIFY(std::abs(h_->Cell("LadderGrid", 11, 1).trimmed().toInt() - 2 * before.trimmed().toInt()) <= 1);

    // A bad text left for another Ladder edit shows one box, though the box takes the focus.
    const QStringList grids = Grids();
    QWidget other;
    h_->Form().Dialogs().ErrorBox = [&](QWidget*, const QString&, const QString& text) {
      h_->errors.append(text);
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
    };
    Type("MaxTurnE", "abc");
    h_->Find<QLineEdit>("MaxTurnE")->setFocus();
    h_->Find<QLineEdit>("MaxPopE")->setFocus();
    h_->Form().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h_->Form()));
    QCOMPARE(h_->errors, QStringList{"'abc' is not a valid integer value. (setting \"MaxScore Turn\")"});
    QCOMPARE(Grids(), grids);
  }

  void HistorySelectorRedrawsOnlyTheCurves() {
    h_->Load(paths_);
    const QStringList grids = Grids();
    auto* graph = h_->Find<QComboBox>("GraphSelect");
    graph->setCurrentIndex(1);  // Economy: half the score
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(Series(0)->at(119), QPointF(119, 350));
    QCOMPARE(ValueAxis()->min(), 0.0);
    QCOMPARE(ValueAxis()->max(), 367.0);
    QCOMPARE(Grids(), grids);
    // A typed text that is no item draws every point at 0.
    graph->lineEdit()->selectAll();
    QTest::keyClicks(graph->lineEdit(), "Wealth");
    QCOMPARE(h_->Form().Model().Edits().GraphSelect, -1);
    QCOMPARE(Series(0)->at(119), QPointF(119, 0));
    QCOMPARE(ValueAxis()->max(), 0.0 + 1);  // an empty range is shown one unit high
    QCOMPARE(Grids(), grids);
  }

  // The chart animates while the user works: loads, selector changes and sorts in quick succession
  // with the animations running must leave a live window.
  void AnimatedChartSurvivesLoadsSelectorChangesAndSorts() {
    h_->Find<QTabWidget>("PageControls")->setCurrentIndex(1);
    for (int round = 0; round < 3; ++round) {
      h_->Load(paths_);
      QTest::qWait(150);
      h_->Find<QComboBox>("GraphSelect")->setCurrentIndex(round % 2 == 0 ? 1 : 6);
      QTest::qWait(150);
      QTest::mouseClick(h_->Find<QAbstractButton>("SortByScoreSelect"), Qt::LeftButton);
      QTest::qWait(400);
    }
    QVERIFY(h_->errors.isEmpty());
    QVERIFY(h_->Form().isVisible());
  }

  void SaveResultsWritesTheModelsExport() {
    h_->Load(paths_);
    const QString target = QDir(saves_->Path()).filePath("out.txt");
    h_->Save(target);
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(h_->proposedSaveName, QDir(saves_->Path()).filePath("Res.txt"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QCOMPARE(written, QByteArray::fromStdString(h_->Form().Model().ExportText()));
    QVERIFY(written.startsWith("\xB9; File Name; "));
    QCOMPARE(written.count("\r\n"), 3);

    // A file that cannot be written is reported, naming it.
    const QString bad = QDir(saves_->Path()).filePath("missing/out.txt");
    h_->Save(bad);
    QCOMPARE(h_->errors.size(), 1);
    QVERIFY(h_->errors[0].contains(bad));
  }

  // Every write of the window goes through one door: none replaces a loaded save; "Export as HTML…" is
  // in the File menu and writes the page.
  void EveryWriteRefusesALoadedSaveAndTheFileMenuExportsHtml() {
    h_->Load(paths_);
    const auto bytes = [](const QString& path) {
      QFile file(path);
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes(paths_[0]);
    h_->saveAnswer = paths_[0];
    for (const char* action : {"SaveResultsAction", "ExportCsvAction", "ExportHtmlAction",
                               "SaveChartPngAction", "SaveChartSvgAction", "SaveSettingsAction"})
      h_->Find<QAction>(action)->trigger();
    const QString refused =
        paths_[0] + ": the %1 would replace the save " + paths_[0] + ", which the batch reads.";
    QCOMPARE(h_->errors,
             QStringList({refused.arg("results"), refused.arg("results"), refused.arg("results"),
                          refused.arg("chart"), refused.arg("chart"), refused.arg("tournament settings")}));
    QCOMPARE(bytes(paths_[0]), before);

    auto* html = h_->Find<QAction>("ExportHtmlAction");
    QVERIFY(h_->Form().menuBar()->actions().first()->menu()->actions().contains(html));
    h_->saveAnswer = QDir(saves_->Path()).filePath("Standings.html");
    html->trigger();
    QCOMPARE(h_->errors.size(), 6);
    QVERIFY(
        bytes(h_->saveAnswer).startsWith("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\""));
  }

  void DamagedFileEndsTheBatchNamingTheFile() {
    const QString junk = saves_->WriteBytes("junk.Save", std::string(64, 'x'));
    h_->Load({paths_[0], junk, paths_[1]});
    QCOMPARE(h_->errors.size(), 1);
    QVERIFY2(h_->errors[0].contains(junk), qPrintable(h_->errors[0]));
    QVERIFY(h_->errors[0].endsWith('.'));
    // Stopped there: the bar says so until the next load, and the export asks first.
    QCOMPARE(h_->Find<QLabel>("BatchBar")->text(),
             QString("Loaded 1 of 3 files: the load was stopped at a damaged file"));
    h_->questionAnswer = false;
    h_->Save(QDir(saves_->Path()).filePath("Res.txt"));
    QCOMPARE(h_->questions.size(), 1);
    QVERIFY(!QFile::exists(QDir(saves_->Path()).filePath("Res.txt")));
    // The file before it is the batch.
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("Carol"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 2), QString());
    // The window takes input again.
    QVERIFY(h_->Find<QPushButton>("Button1")->isEnabled());
    QVERIFY(h_->Find<QTabWidget>("PageControls")->isEnabled());
  }

  void DroppedFilesLoadAsABatch() {
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths_) urls.append(QUrl::fromLocalFile(p));
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h_->Form(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h_->Form(), &drop);
    h_->WaitForLoad();
    QCOMPARE(h_->Cell("BaseGrid", 1, 3), QString("Carol"));
  }

  void ShortcutsOpenTheDialogs() {
    h_->openAnswer = paths_;
    QTest::keyClick(&h_->Form(), Qt::Key_O, Qt::ControlModifier);
    h_->WaitForLoad();
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("alice"));
    h_->saveAnswer.clear();
    QTest::keyClick(&h_->Form(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(h_->proposedSaveName, QDir(saves_->Path()).filePath("Res.txt"));
  }

  void SlowBatchShowsProgressAndLocksTheControls() {
    h_->Form().SetProgressTiming(0, 0);
    QStringList paths;
    for (int i = 0; i < 101; ++i) {
      paths.append(saves_->Write(QString("P%1.Save").arg(i, 3, 10, QChar('0')),
                                 SimpleSave("P" + std::to_string(i), 100 + i, 10)));
    }
    bool sawProgress = false;
    bool loadLocked = false;
    // Runs while the batch loads.
    QTimer::singleShot(0, this, [&] {
      sawProgress = h_->Find<QProgressBar>("ProgressBar")->isVisible() &&
                    h_->Find<QLabel>("ProgressLabel")->text().startsWith("Loading P");
      loadLocked = !h_->Find<QPushButton>("Button1")->isEnabled();
    });
    h_->Load(paths);
    QVERIFY(sawProgress);
    QVERIFY(loadLocked);
    QVERIFY(!h_->Find<QProgressBar>("ProgressBar")->isVisible());
    QVERIFY(h_->Find<QPushButton>("Button1")->isEnabled());
    // A batch holds 100 files; the user is told about the one left out.
    QCOMPARE(h_->Cell("BaseGrid", 1, 100), QString("P099"));
    QCOMPARE(h_->Find<vsl::WarningsPanel>("WarningsPanel")->Texts(),
             (QStringList{"1 file beyond the 100th was left out. Load it as another batch.", "  P100.Save"}));
    QVERIFY(h_->notices.isEmpty());
    QVERIFY(h_->errors.isEmpty());
  }

  void CellsAreNeverCutAndTheFirstColumnStaysInPlace() {
    vsl::testing::SaveDesc longGame = SimpleSave("Ulrich von Liechtenstein-Habsburg", 900, 100);
    longGame.playTimeQuarters = (104 * 3600 + 32 * 60 + 40) * 4;
    h_->Load({saves_->Write("long.Save", longGame)});
    h_->Find<QComboBox>("BaseLevelSelect")->setCurrentIndex(0);
    Type("LevelBonusE", "-99999");
    QCOMPARE(h_->Cell("ReloadGrid", 5, 1), QString(" 104:32:40"));
    QVERIFY(h_->Cell("LadderGrid", 20, 1).size() > 6);  // a bonus wider than its format
    for (const char* name : {"BaseGrid", "ReloadGrid", "AdditionalGrid", "LadderGrid"}) {
      auto* grid = h_->Find<QTableView>(name);
      for (int col = 0; col < grid->model()->columnCount(); ++col) {
        for (int row = 0; row <= 1; ++row) {
          const int needed = grid->fontMetrics().horizontalAdvance(h_->Cell(name, col, row));
          QVERIFY2(grid->columnWidth(col) > needed, qPrintable(QString("%1 %2").arg(name).arg(col)));
        }
      }
    }
    // Scrolled to its right end, the grid still shows the row numbers at its left edge.
    auto* grid = h_->Find<QTableView>("LadderGrid");
    h_->Find<QTabWidget>("PageControls")->setCurrentIndex(4);
    h_->Form().resize(600, 558);
    QTRY_VERIFY(grid->horizontalScrollBar()->maximum() > 0);
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    QVERIFY(grid->horizontalScrollBar()->value() > 0);
    auto* fixed = h_->Find<QTableView>("LadderGridFixedColumn");
    QVERIFY(fixed->isVisible());
    QCOMPARE(fixed->x(), grid->frameWidth());
    QCOMPARE(fixed->columnViewportPosition(0), 0);
    QCOMPARE(fixed->width(), grid->columnWidth(0));
  }

  // Names are text: collated on their characters, UTF-8 in the CSV, code page 1251 in the results file.
  void FileNamesAreTextInTheSortAndTheExports() {
    h_ = std::make_unique<FormHarness>(vsl::NamedLocaleServices("en_US"));
    h_->Form().show();
    QStringList paths;
    for (const char* name : {"Zed", "Дмитрий", "Émile", "adam"})
      paths.append(saves_->Write(QString::fromUtf8(name) + ".Save", SimpleSave(name, 100, 10)));
    h_->Load(paths);
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("adam"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 2), QString::fromUtf8("Émile"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 3), QString("Zed"));
    QCOMPARE(h_->Cell("ReloadGrid", 1, 4), QString::fromUtf8("Дмитрий"));
    const QString target = QDir(saves_->Path()).filePath("out.txt");
    h_->Save(target);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY(written.contains("\r\n2; ?mile; "));
    QVERIFY(written.contains("\r\n4; \xC4\xEC\xE8\xF2\xF0\xE8\xE9; "));
    const std::string csv = vsl::ResultsCsv(h_->Form().Model().ExportRows(), '.');
    QVERIFY(csv.find("\r\n2,Émile,") != std::string::npos);
    QVERIFY(csv.find("\r\n4,Дмитрий,") != std::string::npos);
  }

  void PageShotsWriteOneImagePerPage() {
    h_->Load(paths_);
    const QString dir = QDir(saves_->Path()).filePath("shots");
    QVERIFY(h_->Form().SavePageShots(dir));
    for (const char* page : {"Base", "Graph", "Reloads", "Additional", "Ladder"}) {
      QImage image(QDir(dir).filePath(QString(page) + ".png"));
      QVERIFY2(!image.isNull(), page);
      QCOMPARE(image.size(), h_->Form().size());
    }
    QCOMPARE(h_->Find<QTabWidget>("PageControls")->currentIndex(), 0);
  }
};

QTEST_MAIN(HandlersTest)
#include "handlers_test.moc"
