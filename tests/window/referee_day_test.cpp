// A referee's day at the window: remembered settings, damaged files skipped, sorting from the headers,
// copying cells, the verdicts' colours.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "window/warnings_panel.h"
#include "window_fixture.h"

using vsl::testing::FormHarness;
using vsl::testing::SaveFolder;
using vsl::testing::SimpleSave;

class RefereeDayTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FormHarness> h_;
  std::unique_ptr<SaveFolder> saves_;
  QStringList paths_;

 private Q_SLOTS:
  void init() {
    h_ = std::make_unique<FormHarness>();
    saves_ = std::make_unique<SaveFolder>();
    paths_ = saves_->WriteThreePlayers(600);
    h_->Form().show();
    QVERIFY(QTest::qWaitForWindowActive(&h_->Form()));
  }
  void cleanup() {
    h_.reset();
    saves_.reset();
  }

  // Remembered in one notation: typed under a ',' locale, restored under '.'; a text that does not
  // convert is not kept, and a stored value that is not valid comes back at its default, named.
  void SettingsSurviveARestartAndDefaultsComeBack() {
    {
      vsl::TForm1 comma(std::make_shared<vsl::FixedLocaleServices>(','));
      comma.findChild<QLineEdit*>("Edit7")->setText("2,5");
      comma.findChild<QLineEdit*>("PopFactorE")->setText(" 3000");
      comma.findChild<QLineEdit*>("Edit8")->setText("4x");
      comma.findChild<QComboBox*>("BaseLevelSelect")->setCurrentIndex(2);
      comma.close();
    }
    vsl::TForm1 again(std::make_shared<vsl::FixedLocaleServices>('.'));
    QCOMPARE(again.findChild<QLineEdit*>("Edit7")->text(), QString("2.5"));
    QCOMPARE(again.findChild<QLineEdit*>("Edit8")->text(), QString("30"));
    QCOMPARE(again.findChild<QLineEdit*>("PopFactorE")->text(), QString(" 3000"));
    QCOMPARE(again.findChild<QComboBox*>("BaseLevelSelect")->currentIndex(), 2);
    QCOMPARE(again.Model().Ladder().PopFactor, 3000);
    QCOMPARE(again.findChild<QLineEdit*>("MaxPopE")->text(), QString("    0"));  // maxima are not kept
    // The panel says which settings differ; restoring them asks first.
    const QStringList panel = again.findChild<vsl::WarningsPanel*>("WarningsPanel")->Texts();
    QVERIFY2(
        panel.value(0).contains("Max session per day 2.5 (default 1.5), ") &&
            panel.value(0).contains("Factor Pop 3000 (default 2500), Base Level Warlord (default Monarch)"),
        qPrintable(panel.join('\n')));
    QStringList asked;
    again.Dialogs().Question = [&asked](QWidget*, const QString&, const QString& text) {
      asked.append(text);
      return true;
    };
    again.findChild<QAction*>("RestoreDefaultsAction")->trigger();
    QCOMPARE(asked.size(), 1);
    QVERIFY(again.findChild<vsl::WarningsPanel*>("WarningsPanel")->Texts().isEmpty());
    QCOMPARE(again.findChild<QLineEdit*>("Edit7")->text(), QString("1.5"));
    QCOMPARE(again.findChild<QLineEdit*>("PopFactorE")->text(), QString(" 2500"));
    QCOMPARE(again.findChild<QComboBox*>("BaseLevelSelect")->currentText(), QString(" Monarch"));
    QCOMPARE(again.Model().Ladder().PopFactor, 2500);

    QSettings(QSettings::IniFormat, QSettings::UserScope, "VellumSavesList", "vellum-saves-list")
        .setValue("tournament/ladder.factors.land", "1,5");
    vsl::TForm1 third(std::make_shared<vsl::FixedLocaleServices>(','));
    QCOMPARE(third.findChild<QLineEdit*>("Edit7")->text(), QString("2,5"));
    QCOMPARE(third.findChild<QLineEdit*>("LandFactorE")->text(), QString(" 2500"));
    QCOMPARE(third.findChild<QLabel*>("StatusSettings")->text(),
             QString("Remembered settings that were not valid are back to their defaults: Factor Land"));
  }

  // The settings file shared with the report tool: written as typed, read back, its maxima kept over a load.
  void TournamentSettingsFileRoundTrip() {
    h_->Find<QLineEdit>("Edit8")->setText("45");
    const QString file = QDir(saves_->Path()).filePath("round.json");
    h_->saveAnswer = file;
    h_->Find<QAction>("SaveSettingsAction")->trigger();
    h_->Find<QAction>("RestoreDefaultsAction")->trigger();
    QCOMPARE(h_->Find<QLineEdit>("Edit8")->text(), QString("30"));
    h_->openAnswer = {file};
    h_->Find<QAction>("OpenSettingsAction")->trigger();
    QCOMPARE(h_->Find<QLineEdit>("Edit8")->text(), QString("45"));
    const QString fixed =
        saves_->WriteBytes("fixed.json", R"({"version": 1, "ladder": {"maxima": {"pop": 999}}})");
    h_->openAnswer = {fixed};
    h_->Find<QAction>("OpenSettingsAction")->trigger();
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(h_->Find<QLineEdit>("Edit8")->text(), QString("30"));
    h_->Load(paths_);
    QCOMPARE(h_->Find<QLineEdit>("MaxPopE")->text(), QString("   999"));
    QCOMPARE(h_->Find<QLineEdit>("MaxLandE")->text(), QString("   300"));
    // A maximum typed after the load is saved with the fixed one; those the load set are not.
    h_->Find<QLineEdit>("MaxTurnE")->setText("700");
    h_->saveAnswer = file;
    h_->Find<QAction>("SaveSettingsAction")->trigger();
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains(R"("maxima": {
      "pop": 999,
      "turn": 700
    })"));
    // A settings file that fails to load is not named in the title; the one last saved stays.
    h_->openAnswer = {saves_->WriteBytes("broken.json", "{")};
    h_->Find<QAction>("OpenSettingsAction")->trigger();
    QCOMPARE(h_->errors.size(), 1);
    h_->Load(paths_);
    QVERIFY2(h_->Form().windowTitle().endsWith("round.json"), qPrintable(h_->Form().windowTitle()));
  }

  void NamesShowWithoutMarkup() {
    h_->Load({saves_->Write("v.Save", SimpleSave("<color=255,0,0>Vutar</color>", 100, 10))});
    QCOMPARE(h_->Cell("BaseGrid", 2, 1), QString("Vutar"));
    QCOMPARE(h_->Cell("LadderGrid", 1, 1), QString("Vutar"));
    const QModelIndex nick = h_->Find<QTableView>("BaseGrid")->model()->index(0, 2);
    QCOMPARE(nick.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    QVERIFY(h_->Form().Model().ExportText().find("; <color=255,0,0>Vutar</color>; ") != std::string::npos);
  }

  void ADamagedFileCanBeSkipped() {
    const QString junk = saves_->WriteBytes("junk.Save", std::string(64, 'x'));
    h_->damagedAnswer = vsl::DamagedChoice::Skip;
    h_->Load({paths_[0], junk, paths_[1], paths_[2]});
    QCOMPARE(h_->errors.size(), 1);
    QVERIFY(h_->errors[0].contains(junk));
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("alice"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 2), QString("Bob"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 3), QString("Carol"));
    // Text is no save: a plain sentence first, no request for a new copy.
    QVERIFY2(h_->errors[0].startsWith(junk + " is not a save of the game: it holds text"),
             qPrintable(h_->errors[0]));
    const QStringList panel = h_->Find<vsl::WarningsPanel>("WarningsPanel")->Texts();
    QCOMPARE(
        panel.value(0),
        QString("1 file skipped as it is not a save of the game: junk.Save. Leave it out of the batch."));
    QVERIFY(panel.value(1).startsWith("  " + junk + " is not a save"));
  }

  void CancelKeepsTheFilesLoadedSoFar() {
    h_->Form().SetProgressTiming(0, 0);
    // Cancelled while the batch waits at its second file: the first file is the batch, no error.
    h_->Form().Dialogs().DamagedFile = [this](QWidget*, const QString&, const QString&) {
      h_->Find<QPushButton>("CancelLoad")->click();
      return vsl::DamagedChoice::Skip;
    };
    h_->Load({paths_[0], saves_->WriteBytes("junk.Save", "x"), paths_[1], paths_[2]});
    QVERIFY(h_->errors.isEmpty());
    QCOMPARE(h_->Form().Model().SaveCount(), 1);
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("Carol"));
    QVERIFY(h_->Find<QPushButton>("Button1")->isEnabled());
    // The partial batch is marked, and an export of it asks first.
    auto* bar = h_->Find<QLabel>("BatchBar");
    QCOMPARE(bar->text(), QString("Loaded 1 of 4 files: the load was cancelled"));
    QVERIFY(h_->Form().windowTitle().endsWith("(1 file), incomplete"));
    h_->questionAnswer = false;
    h_->saveAnswer = QDir(saves_->Path()).filePath("Res.csv");
    h_->Find<QAction>("ExportCsvAction")->trigger();
    QCOMPARE(h_->questions.size(), 1);
    QVERIFY(
        h_->questions[0].startsWith("The batch is incomplete. Loaded 1 of 4 files: the load was cancelled."));
    QVERIFY(!QFile::exists(h_->saveAnswer));
    // A whole batch clears the mark.
    h_->Load(paths_);
    QVERIFY(bar->isHidden() && bar->text().isEmpty());
  }

  void TheStartDateIsTypedFieldByField() {
    h_->Load(paths_);
    h_->Find<QTabWidget>("PageControls")->setCurrentIndex(2);
    auto type = [](QLineEdit* edit, const char* text) {
      edit->selectAll();
      QTest::keyClicks(edit, text);
    };
    auto* day = h_->Find<QLineEdit>("Edit6");
    day->setFocus();
    QTRY_VERIFY(day->hasFocus());
    type(day, "31");  // 31-11-2005 is no date, but the month comes next
    QTest::keyClick(day, Qt::Key_Tab);
    auto* month = h_->Find<QLineEdit>("Edit2");
    QTRY_VERIFY(month->hasFocus());
    type(month, "12");
    QTest::keyClick(month, Qt::Key_Tab);
    auto* year = h_->Find<QLineEdit>("Edit3");
    QTRY_VERIFY(year->hasFocus());
    type(year, "2026");
    QTest::keyClick(year, Qt::Key_Tab);
    QVERIFY2(h_->errors.isEmpty(), qPrintable(h_->errors.join('\n')));
    QVERIFY(year->styleSheet().isEmpty());
    // The audit ran on the new date: files of 2005 lie before it.
    QCOMPARE(h_->Cell("ReloadGrid", 6, 1), QString("  30"));
  }

  // Tab goes through each page top to bottom and out of its grid; Ctrl+Tab goes to the next page.
  void TheKeyboardReachesEveryEdit() {
    auto* pages = h_->Find<QTabWidget>("PageControls");
    for (int page = 0; page < pages->count(); ++page) {
      pages->setCurrentIndex(page);
      h_->Find<QWidget>("Button1")->setFocus();
      QTRY_VERIFY(h_->Find<QWidget>("Button1")->hasFocus());
      QSet<QString> reached;
      QStringList order;
      for (int i = 0; i < 40 && !reached.contains(QApplication::focusWidget()->objectName()); ++i) {
        reached.insert(QApplication::focusWidget()->objectName());
        order.append(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      }
      for (QLineEdit* edit : pages->widget(page)->findChildren<QLineEdit*>()) {
        if (edit->isEnabled() && !edit->objectName().isEmpty() && !edit->objectName().startsWith("qt_"))
          QVERIFY2(reached.contains(edit->objectName()),
                   qPrintable(edit->objectName() + ": " + order.join(' ')));
      }
      QCOMPARE(pages->currentIndex(), page);
    }
    QCOMPARE(h_->Find<QLabel>("MaxScoreLabel")->buddy(), h_->Find<QWidget>("MaxPopE"));
    QCOMPARE(h_->Find<QWidget>("Edit8")->accessibleName(), QString("Min session time"));
    h_->Find<QWidget>("LadderGrid")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 0);
  }

  void F1ShowsTheGuideWithItsPictures() {
    QTest::keyClick(&h_->Form(), Qt::Key_F1);
    auto* guide = h_->Find<QDialog>("GuideDialog")->findChild<QTextBrowser*>();
    QVERIFY(guide->toPlainText().contains("A tournament round, step by step"));
    const QVariant picture =
        guide->document()->resource(QTextDocument::ImageResource, QUrl("screenshots/Base.png"));
    QVERIFY(!picture.value<QImage>().isNull());
    // The contents links lead to their sections.
    Q_EMIT guide->anchorClicked(guide->source().resolved(QUrl("#the-reload-audit-fair-average-cheat")));
    QTRY_VERIFY(guide->verticalScrollBar()->value() > 0);
  }

  // File names read as in the grids, whatever code page 1251 lacks.
  void WarningsAndTooltipsExplainTheBatch() {
    vsl::testing::SaveDesc quick = SimpleSave("Dora", 400, 90);
    quick.gameSpeed = 1;
    const QString dora = saves_->Write(QString::fromUtf8("Émile.Save"), quick);
    QFile file(dora);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime(QDate(2026, 1, 5), QTime(12, 0)), QFileDevice::FileModificationTime);
    file.close();
    h_->damagedAnswer = vsl::DamagedChoice::Skip;
    h_->Load(paths_ + QStringList{dora, saves_->WriteBytes("bad.Save", std::string(64, '\x01'))});
    const QString status = h_->Find<vsl::WarningsPanel>("WarningsPanel")->Texts().join('\n');
    QVERIFY2(
        status.startsWith(QString::fromUtf8("1 file lies outside 27-11-2005 … 27-12-2005: its Play Days is "
                                            "30. Set the start date on the Reloads page.\n"
                                            "The Ladder maxima come from Émile (")),
        qPrintable(status));
    QVERIFY(status.contains("); 3 files were played otherwise."));
    QVERIFY2(
        status.contains("\n1 file skipped as damaged: bad.Save. Ask for a new copy and load it again.\n  " +
                        saves_->Path() + "/bad.Save: no compressed body found."),
        qPrintable(status));
    const QAbstractItemModel* reloads = h_->Find<QTableView>("ReloadGrid")->model();
    const QString audit = reloads->index(0, 11).data(Qt::ToolTipRole).toString();
    QVERIFY2(audit.startsWith("Reloads: 4 sessions - 1 presession = 3\n"), qPrintable(audit));
    QVERIFY(h_->Find<QTableView>("LadderGrid")
                ->model()
                ->index(0, 21)
                .data(Qt::ToolTipRole)
                .toString()
                .contains("Final"));
    // The next clean load leaves the panel empty.
    h_->Load(paths_);
    QVERIFY(h_->Find<vsl::WarningsPanel>("WarningsPanel")->Texts().isEmpty());
    QVERIFY(h_->Find<vsl::WarningsPanel>("WarningsPanel")->isHidden());
  }

  void HeadersSortAndCellsCopy() {
    h_->Load(paths_);
    auto* grid = h_->Find<QTableView>("BaseGrid");
    QCOMPARE(grid->horizontalHeader()->sortIndicatorSection(), 1);  // the load sorts by file name
    grid->horizontalHeader()->sectionClicked(8);                    // "Score", descending first
    QCOMPARE(grid->horizontalHeader()->sortIndicatorSection(), 8);
    QCOMPARE(grid->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    QVERIFY(h_->Find<QWidget>("SortByTurnSelect")->toolTip().contains("turns played"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 1), QString("alice"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 2), QString("Bob"));
    QCOMPARE(h_->Cell("BaseGrid", 1, 3), QString("Carol"));
    grid->setFocus();
    grid->selectionModel()->select(QItemSelection(grid->model()->index(0, 1), grid->model()->index(1, 2)),
                                   QItemSelectionModel::Select);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("alice\tAlice\nBob\tBob\n"));
    // The verdicts carry their colours.
    const QModelIndex honesty = h_->Find<QTableView>("ReloadGrid")->model()->index(0, 11);
    QCOMPARE(honesty.data().toString(), QString("Average"));
    QCOMPARE(honesty.data(Qt::BackgroundRole).value<QColor>(), QColor(0xFF, 0xD9, 0x66));
  }
};

QTEST_MAIN(RefereeDayTest)
#include "referee_day_test.moc"
