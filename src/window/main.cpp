// vellum-saves-list: the referee's window. Files named on the command line load as the first batch;
// --screenshot DIR loads them, renders every page to DIR/<page caption>.png and exits.

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "window/form.h"
#include "window/language.h"

namespace {

void Describe(QCommandLineParser& parser, const QCommandLineOption& screenshot) {
  parser.setApplicationDescription("Loads saved games of a tournament and lists, scores and audits them.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(screenshot);
  parser.addPositionalArgument("files", "Saves to load as the first batch.", "[SAVE...]");
}

// --help and --version print and exit without a display: they are answered before the window toolkit
// starts, which needs one.
bool AsksForTextOnly(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Under a file size limit a write fails with "File too large", reported with the old file kept,
  // instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const QCommandLineOption screenshot("screenshot", "Render every page to DIR/<page>.png and exit.", "DIR");
  if (AsksForTextOnly(argc, argv)) {
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(vsl::kApplicationTitle);
    QCoreApplication::setApplicationVersion(vsl::kVersion);
    QCommandLineParser parser;
    Describe(parser, screenshot);
    parser.process(core);  // prints and exits
    return 0;
  }
  QApplication app(argc, argv);
  // The application title; the window caption carries the version.
  QApplication::setApplicationName(vsl::kApplicationTitle);
  QApplication::setApplicationVersion(vsl::kVersion);

  QCommandLineParser parser;
  Describe(parser, screenshot);
  parser.process(app);
  const QStringList files = parser.positionalArguments();

  // Pictures show a fresh window: the remembered work of the user's runs is neither read nor written.
  QTemporaryDir scratchSettings;
  if (parser.isSet(screenshot))
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratchSettings.path());
  // The window's texts in the language chosen in its menu, else the locale's; Qt's dialogs too.
  vsl::InstallTranslations(vsl::InterfaceLanguage(vsl::ChosenLanguage()));
  vsl::TForm1 form;
  if (parser.isSet(screenshot)) {
    int status = 0;
    auto report = [&status](QWidget*, const QString&, const QString& text) {
      std::fprintf(stderr, "%s\n", qPrintable(text));
      status = 1;
    };
    form.Dialogs().ErrorBox = report;
    form.Dialogs().InfoBox = [](QWidget*, const QString&, const QString& text) {
      std::fprintf(stderr, "%s\n", qPrintable(text));
    };
    // Nobody answers: a damaged file ends the batch there, as it always did.
    form.Dialogs().DamagedFile = [&report](QWidget* parent, const QString& caption, const QString& text) {
      report(parent, caption, text);
      return vsl::DamagedChoice::Stop;
    };
    form.SetAnimated(false);
    form.show();
    QCoreApplication::processEvents();
    // The pictures are taken once the batch is shown.
    const auto shoot = [&] {
      if (form.SavePageShots(parser.value(screenshot))) return status;
      std::fprintf(stderr, "could not write the page images to %s\n", qPrintable(parser.value(screenshot)));
      return 1;
    };
    if (files.isEmpty()) return shoot();
    QObject::connect(&form, &vsl::TForm1::BatchFinished, &app, [&] { QCoreApplication::exit(shoot()); });
    form.LoadFiles(files);
    return QApplication::exec();
  }

  form.show();
  if (!files.isEmpty()) QTimer::singleShot(0, &form, [&form, files] { form.LoadFiles(files); });
  return QApplication::exec();
}
