// The window's menu bar and what only the menus reach: exports besides "Save Results", the chart as a
// picture, copying cells, restoring the default settings, the guide and About.

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>
#include <array>
#include <map>
#include <span>

#include "app/export/exports.h"
#include "app/tournament_settings.h"
#include "app/translation.h"
#include "scoring/convert.h"
#include "window/cp1251.h"
#include "window/form.h"
#include "window/form_fields.h"
#include "window/language.h"
#include "window/setting_caption.h"

namespace vsl {

using namespace form_fields;

namespace {

QAction* AddAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys = {}) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  if (!keys.isEmpty()) action->setShortcut(keys);
  return action;
}

// Gives every heading of `document` the anchor its contents links use: the heading's words in lower
// case, joined by hyphens, without punctuation ("The reload audit: Fair" is #the-reload-audit-fair).
void AnchorHeadings(QTextDocument* document) {
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    QString slug;
    for (const QChar c : block.text().toLower()) {
      if (c.isLetterOrNumber() || c == '-' || c == '_')
        slug += c;
      else if (c == ' ')
        slug += '-';
    }
    QTextCursor cursor(block);
    cursor.select(QTextCursor::BlockUnderCursor);
    QTextCharFormat anchor;
    anchor.setAnchor(true);
    anchor.setAnchorNames({slug});
    cursor.mergeCharFormat(anchor);
  }
}

}  // namespace

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  connect(AddAction(file, "OpenAction", tr("&Open…"), QKeySequence(Qt::CTRL | Qt::Key_O)),
          &QAction::triggered, this, &TForm1::Button1Click);
  connect(AddAction(file, "SaveResultsAction", tr("&Save Results…"), QKeySequence(Qt::CTRL | Qt::Key_S)),
          &QAction::triggered, this, &TForm1::Button2Click);
  file->addSeparator();
  connect(AddAction(file, "ExportCsvAction", tr("Export as &CSV…")), &QAction::triggered, this,
          &TForm1::ExportCsv);
  connect(AddAction(file, "ExportHtmlAction", tr("Export as &HTML…")), &QAction::triggered, this,
          &TForm1::ExportHtml);
  file->addSeparator();
  connect(AddAction(file, "SaveChartPngAction", tr("Save chart as &PNG…")), &QAction::triggered, this,
          [this] { SaveChart("png"); });
  connect(AddAction(file, "SaveChartSvgAction", tr("Save chart as S&VG…")), &QAction::triggered, this,
          [this] { SaveChart("svg"); });
  file->addSeparator();
  connect(AddAction(file, "QuitAction", tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q)), &QAction::triggered,
          this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  connect(AddAction(edit, "CopyAction", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C)), &QAction::triggered,
          this, &TForm1::CopySelection);

  settingsMenu_ = menuBar()->addMenu(tr("&Settings"));
  connect(AddAction(settingsMenu_, "OpenSettingsAction", tr("&Open tournament settings…")),
          &QAction::triggered, this, &TForm1::OpenTournamentSettings);
  connect(AddAction(settingsMenu_, "SaveSettingsAction", tr("&Save tournament settings…")),
          &QAction::triggered, this, &TForm1::SaveTournamentSettingsFile);
  settingsMenu_->addSeparator();
  connect(AddAction(settingsMenu_, "RestoreDefaultsAction", tr("&Restore default settings")),
          &QAction::triggered, this, &TForm1::RestoreDefaultSettings);

  BuildLanguageMenu(settingsMenu_);

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  connect(AddAction(help, "GuideAction", tr("The referee's &guide"), QKeySequence(Qt::Key_F1)),
          &QAction::triggered, this, &TForm1::ShowGuide);
  connect(AddAction(help, "AboutAction", tr("&About")), &QAction::triggered, this, [this] {
    QMessageBox::about(this, tr("About %1").arg(kApplicationTitle),
                       tr("%1\nversion %2\n\nLoads the saved games of a tournament round and lists, scores "
                          "and audits them.")
                           .arg(kApplicationTitle, kVersion));
  });
}

// Settings > Language: the language is remembered and applied at the next start, as the status line says.
void TForm1::BuildLanguageMenu(QMenu* settings) {
  settings->addSeparator();
  QMenu* menu = settings->addMenu(tr("&Language"));
  menu->setObjectName("LanguageMenu");
  auto* group = new QActionGroup(menu);
  const QString chosen = ChosenLanguage();
  // The languages by their own names, readable whatever the interface speaks.
  const std::array<std::pair<QString, QString>, 3> choices = {
      {{"", tr("System")}, {"en", "English"}, {"ru", QString::fromUtf8("Русский")}}};
  for (const auto& [code, name] : choices) {
    QAction* action = menu->addAction(name);
    action->setObjectName("Language_" + (code.isEmpty() ? QString("system") : code));
    action->setCheckable(true);
    action->setChecked(code == chosen);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, code] {
      ChooseLanguage(code);
      statusBar()->showMessage(tr("The language changes at the next start."), 15000);
    });
  }
}

// The proposed name of an export: the last folder (else Path) and `name`.
QString TForm1::ProposedName(const QString& name) const {
  QString folder = exportFolder_;
  if (folder.isEmpty()) folder = findChild<QLineEdit*>("Edit1")->text();
  return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

// Every file the menus write goes through the one door, which refuses a file the run read; the error
// box names the file and the reason, the status line the file written. True when it was written.
bool TForm1::WriteChosenFile(const QString& path, std::string_view bytes, OutputKind kind) {
  exportFolder_ = QFileInfo(path).absolutePath();
  try {
    WriteOutputFile(PathBytes(path), bytes, model_->Inputs(), kind);
  } catch (const std::exception& e) {
    ShowError(PathText(e.what()));
    return false;
  }
  statusBar()->showMessage(tr("Wrote %1").arg(path), 15000);
  return true;
}

void TForm1::ExportCsv() {
  if (busy_ || !ConfirmIncomplete(tr("Export the results"))) return;
  const QString path =
      dialogs_.SaveAs(this, tr("Export as CSV"), ProposedName("Res.csv"), tr("CSV files (*.csv)"));
  if (path.isEmpty()) return;
  WriteChosenFile(path, ExportBytes(*model_, ExportFormat::Csv), OutputKind::Results);
}

void TForm1::ExportHtml() {
  if (busy_ || !ConfirmIncomplete(tr("Export the results"))) return;
  const QString path =
      dialogs_.SaveAs(this, tr("Export as HTML"), ProposedName("Standings.html"), tr("Web pages (*.html)"));
  if (path.isEmpty()) return;
  WriteChosenFile(path, ExportBytes(*model_, ExportFormat::Html), OutputKind::Results);
}

void TForm1::OpenTournamentSettings() {
  if (busy_) return;
  const QString folder = lastFolder_.isEmpty() ? findChild<QLineEdit*>("Edit1")->text() : lastFolder_;
  const QString path = dialogs_.OpenFile(this, tr("Open tournament settings"), folder,
                                         tr("Tournament settings (*.json);;All files (*)"));
  if (path.isEmpty()) return;
  lastFolder_ = QFileInfo(path).absolutePath();
  TournamentSettings settings;
  try {
    settings = LoadTournamentSettings(PathBytes(path));
    model_->Inputs().AddSettingsFile(PathBytes(path));
  } catch (const std::exception& e) {
    ShowError(PathText(e.what()));
    return;
  }
  // Named in the title only once it has loaded: a file that failed to load rules nothing.
  settingsFile_ = path;
  UpdateTitle();
  // As a referee would type them: the audit settings (which re-audit), then the Ladder factors and the
  // maxima the file fixes, left as a Ladder edit is left.
  ApplyAuditSettings(settings, model_->Edits(), model_->Locale().DecimalSeparator());
  ApplyLadderSettings(settings, model_->Edits());
  fixedMaxima_ = settings.Maxima;
  PushEdits();
  SyncBaseLevel();
  Run([this] { model_->Edit6Change(); });
  ApplyLadderSettings(settings, model_->Edits());
  PushEdits();
  Run([this] { model_->PopFactorEChange(); });
}

void TForm1::SaveTournamentSettingsFile() {
  if (busy_) return;
  PullEdits();
  // The settings as typed: a text that does not convert, or is out of the file's range, is reported
  // instead of saved.
  std::vector<std::pair<std::string, std::string>> refused;
  TournamentSettings settings = SettingsFromEdits(*model_, {}, &refused);
  if (!refused.empty()) {
    const auto& [key, problem] = refused.front();
    return ShowError(SettingMessage(FromCp1251(problem), SettingCaption(*this, *model_, SettingEdit(key))));
  }
  // The maxima a settings file fixed and those typed since the last load; the others follow each batch.
  for (size_t i = 0; i < settings.Maxima.size(); ++i) {
    if (!fixedMaxima_[i] && settings.Maxima[i] == loadedMaxima_[i]) settings.Maxima[i].reset();
  }
  const QString path = dialogs_.SaveAs(this, tr("Save tournament settings"), ProposedName("Tournament.json"),
                                       tr("Tournament settings (*.json)"));
  if (path.isEmpty()) return;
  if (!WriteChosenFile(path, TournamentSettingsFileText(settings), OutputKind::TournamentSettings)) return;
  settingsFile_ = path;
  UpdateTitle();
}

void TForm1::SaveChart(const QString& format) {
  if (busy_) return;
  const QString path =
      dialogs_.SaveAs(this, tr("Save chart"), ProposedName("Chart." + format),
                      format == "svg" ? tr("SVG pictures (*.svg)") : tr("PNG pictures (*.png)"));
  if (path.isEmpty()) return;
  // The chart at its size on screen, or at the window's design size while its page was never shown.
  QSize size = chartView_->size();
  if (!chartView_->isVisible() || size.width() < 200) size = QSize(1000, 480);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (format == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(kApplicationTitle);
    QPainter painter(&svg);
    chartView_->render(&painter, QRectF(QPointF(0, 0), size), QRect());
  } else {
    QPixmap picture(size);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    chartView_->render(&painter, QRectF(QPointF(0, 0), size), QRect());
    painter.end();
    picture.save(&buffer, "PNG");
  }
  WriteChosenFile(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                  OutputKind::Chart);
}

void TForm1::CopySelection() {
  auto* grid = pages_->currentWidget()->findChild<QTableView*>(QString(), Qt::FindDirectChildrenOnly);
  if (!grid) return;
  const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
  if (selected.isEmpty()) return;
  // The selected cells as shown, row by row, tab-separated; unselected cells inside the selection's
  // bounds are empty fields.
  std::map<int, std::map<int, QString>> rows;
  int firstCol = selected.first().column(), lastCol = firstCol;
  for (const QModelIndex& index : selected) {
    rows[index.row()][index.column()] = index.data().toString().trimmed();  // without the alignment blanks
    firstCol = std::min(firstCol, index.column());
    lastCol = std::max(lastCol, index.column());
  }
  QStringList lines;
  for (const auto& [row, cells] : rows) {
    QStringList fields;
    for (int col = firstCol; col <= lastCol; ++col) {
      const auto cell = cells.find(col);
      fields.append(cell == cells.end() ? QString() : cell->second);
    }
    lines.append(fields.join('\t'));
  }
  QApplication::clipboard()->setText(lines.join('\n') + '\n');
}

void TForm1::RestoreDefaultSettings() {
  if (busy_) return;
  if (!dialogs_.Question(this, kApplicationTitle,
                         tr("Restore the default settings? Every audit and Ladder setting goes back to the "
                            "value of a new window, and the maxima are no longer fixed.")))
    return;
  settingsFile_.clear();
  settingsDifferAtStart_ = false;
  // Every typed setting back to the text of a freshly opened window; the maxima stay, as the last
  // rendering wrote them, and are no longer fixed.
  fixedMaxima_ = {};
  const WindowEdits fresh = model_->DefaultEdits();
  WindowEdits& edits = model_->Edits();
  for (const EditField& f : kAuditEdits) edits.*f.Field = fresh.*f.Field;
  for (const EditField& f : kFactorEdits) edits.*f.Field = fresh.*f.Field;
  edits.BaseLevelSelect = fresh.BaseLevelSelect;
  PushEdits();
  SyncBaseLevel();
  Run([this] { model_->ApplyFactorEdits(); });
  Run([this] { model_->Edit6Change(); });
}

void TForm1::ShowGuide() {
  auto* dialog = new QDialog(this);
  dialog->setObjectName("GuideDialog");
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(tr("The referee's guide"));
  auto* layout = new QVBoxLayout(dialog);
  auto* text = new QTextBrowser(dialog);
  // From the resources, with its pictures beside it.
  // In the interface's language where the guide is written in it.
  const QString translated =
      QString(":/guide.%1.md").arg(QString::fromStdString(ProgramTexts("").Language()));
  text->setSource(QUrl(QFile::exists(translated) ? "qrc" + translated : QString("qrc:/guide.md")),
                  QTextDocument::MarkdownResource);
  AnchorHeadings(text->document());
  // A contents link scrolls to its section (following it would load the guide again, without its
  // anchors); other links open in the browser.
  text->setOpenLinks(false);
  connect(text, &QTextBrowser::anchorClicked, text, [text](const QUrl& url) {
    if (!url.fragment().isEmpty() && (url.path().isEmpty() || url.path() == text->source().path()))
      text->scrollToAnchor(url.fragment());
    else
      QDesktopServices::openUrl(url);
  });
  layout->addWidget(text);
  dialog->resize(760, 600);
  dialog->show();
}

}  // namespace vsl
