#include "window_fixture.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTimeZone>

namespace vsl::testing {

SaveDesc SimpleSave(const std::string& nick, int32_t score, int32_t turns) {
  SaveDesc desc;
  desc.Slot(0).Named(nick).Leader(3).Civ(19).OnTeam(0);
  desc.Team(0).Members(1).Population(20).Land(10);
  desc.Player(0).Population(20).Scores(50, 40, 10, 300).Alive();
  desc.maxima = {400, 300, 1000, 200};
  desc.elapsedTurns = turns;
  desc.endTurn = 460;
  desc.score = score;
  desc.level = 5;
  desc.sessionCount = 4;
  desc.playTimeQuarters = 3 * 3600 * 4;
  for (int32_t t = 0; t < turns; ++t) {
    desc.Player(0).HistoryPair(0, t, score * (t + 1) / turns);
    desc.Player(0).HistoryPair(1, t, score * (t + 1) / turns / 2);
  }
  return desc;
}

QStringList SaveFolder::WriteThreePlayers(int32_t bobScore) {
  return {Write("Carol.Save", SimpleSave("Carol", 500, 100)),
          Write("alice.Save", SimpleSave("Alice", 700, 120)),
          Write("Bob.Save", SimpleSave("Bob", bobScore, 80))};
}

QString SaveFolder::Write(const QString& name, const SaveDesc& desc) {
  const std::vector<uint8_t> bytes = BuildSaveFile(desc);
  const QString path = WriteBytes(name, std::string(bytes.begin(), bytes.end()));
  QFile file(path);
  file.open(QIODevice::ReadWrite);
  file.setFileTime(QDateTime(QDate(2005, 11, 29), QTime(12, 0)), QFileDevice::FileModificationTime);
  return path;
}

QString SaveFolder::WriteBytes(const QString& name, const std::string& bytes) {
  const QString path = dir_.filePath(name);
  QFile file(path);
  file.open(QIODevice::WriteOnly | QIODevice::Truncate);
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  return path;
}

FormHarness::FormHarness(std::shared_ptr<const LocaleServices> locale) {
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_.path());
  form_ = std::make_unique<TForm1>(std::move(locale));
  FormDialogs& d = form_->Dialogs();
  d.OpenFiles = [this](QWidget*, const QString& folder) {
    openFolder = folder;
    return openAnswer;
  };
  d.OpenFile = [this](QWidget*, const QString&, const QString& folder, const QString&) {
    openFolder = folder;
    return openAnswer.value(0);
  };
  d.SaveAs = [this](QWidget*, const QString&, const QString& proposed, const QString&) {
    proposedSaveName = proposed;
    return saveAnswer;
  };
  d.SaveFile = [this](QWidget*, const QString& proposed) {
    proposedSaveName = proposed;
    return saveAnswer;
  };
  d.ErrorBox = [this](QWidget*, const QString& caption, const QString& text) {
    errorCaptions.append(caption);
    errors.append(text);
  };
  d.DamagedFile = [this](QWidget*, const QString&, const QString& text) {
    errors.append(text);
    return damagedAnswer;
  };
  d.InfoBox = [this](QWidget*, const QString&, const QString& text) { notices.append(text); };
  d.Question = [this](QWidget*, const QString&, const QString& text) {
    questions.append(text);
    return questionAnswer;
  };
}

void FormHarness::Load(const QStringList& paths) {
  openAnswer = paths;
  Find<QPushButton>("Button1")->click();
  WaitForLoad();
}

void FormHarness::WaitForLoad() {
  if (!QTest::qWaitFor([this] { return !form_->Loading(); }, 60000))
    qFatal("the batch did not end within a minute");
}

void FormHarness::Save(const QString& path) {
  saveAnswer = path;
  Find<QPushButton>("Button2")->click();
}

QString FormHarness::Cell(const char* grid, int col, int row) const {
  const QAbstractItemModel* model = Find<QTableView>(grid)->model();
  if (row == 0) return model->headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
  return model->data(model->index(row - 1, col), Qt::DisplayRole).toString();
}

QStringList FormHarness::AllCells(const char* grid) const {
  const QAbstractItemModel* model = Find<QTableView>(grid)->model();
  QStringList cells;
  for (int row = 0; row <= model->rowCount(); ++row) {
    for (int col = 0; col < model->columnCount(); ++col) cells.append(Cell(grid, col, row));
  }
  return cells;
}

}  // namespace vsl::testing
