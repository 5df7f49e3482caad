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
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

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
    again.findChild<QAction*>("RestoreDefaultsAction")->trigger();
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
    auto* status = h_->Find<QLabel>("StatusWarnings");
    QVERIFY(status->text().startsWith("1 file skipped as damaged: junk."));
    Q_EMIT status->linkActivated("skipped");
    QCOMPARE(h_->notices.size(), 1);
    QVERIFY(h_->notices[0].startsWith(junk + ": "));
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
  }

  void F1ShowsTheGuideWithItsPictures() {
    QTest::keyClick(&h_->Form(), Qt::Key_F1);
    auto* guide = h_->Find<QDialog>("GuideDialog")->findChild<QTextBrowser*>();
    QVERIFY(guide->toPlainText().contains("A tournament round, step by step"));
    const QVariant picture =
        guide->document()->resource(QTextDocument::ImageResource, QUrl("screenshots/Base.png"));
    QVERIFY(!picture.value<QImage>().isNull());
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
    h_->Load(paths_ + QStringList{dora});
    const QString status = h_->Find<QLabel>("StatusWarnings")->toolTip();
    QVERIFY2(
        status.startsWith(QString::fromUtf8("1 file lies outside 27-11-2005 … 27-12-2005: its Play Days is "
                                            "30. Set the start date on the Reloads page.\n"
                                            "The Ladder maxima come from Émile (")),
        qPrintable(status));
    QVERIFY(status.contains("); 3 files were played otherwise."));
    const QAbstractItemModel* reloads = h_->Find<QTableView>("ReloadGrid")->model();
    const QString audit = reloads->index(0, 11).data(Qt::ToolTipRole).toString();
    QVERIFY2(audit.startsWith("Reloads: 4 sessions - 1 presession = 3\n"), qPrintable(audit));
    QVERIFY(h_->Find<QTableView>("LadderGrid")
                ->model()
                ->index(0, 21)
                .data(Qt::ToolTipRole)
                .toString()
                .contains("Final"));
  }

  void HeadersSortAndCellsCopy() {
    h_->Load(paths_);
    auto* grid = h_->Find<QTableView>("BaseGrid");
    grid->horizontalHeader()->sectionClicked(8);  // "Score", descending first
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
