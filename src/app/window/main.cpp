// vellum-saves-list: the referee's window. Files named on the command line load as the first batch;
// --screenshot DIR loads them, renders every page to DIR/<page caption>.png and exits.

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

#include "app/window/form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The application title; the window caption carries the version.
  QApplication::setApplicationName(vsl::kApplicationTitle);

  QCommandLineParser parser;
  parser.setApplicationDescription("Loads saved games of a tournament and lists, scores and audits them.");
  parser.addHelpOption();
  const QCommandLineOption screenshot("screenshot", "Render every page to DIR/<page>.png and exit.", "DIR");
  parser.addOption(screenshot);
  parser.addPositionalArgument("files", "Saves to load as the first batch.", "[SAVE...]");
  parser.process(app);
  const QStringList files = parser.positionalArguments();

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
    form.SetAnimated(false);
    form.show();
    QCoreApplication::processEvents();
    form.LoadFiles(files);
    if (!form.SavePageShots(parser.value(screenshot))) {
      std::fprintf(stderr, "could not write the page images to %s\n", qPrintable(parser.value(screenshot)));
      return 1;
    }
    return status;
  }

  form.show();
  if (!files.isEmpty()) QTimer::singleShot(0, &form, [&form, files] { form.LoadFiles(files); });
  return QApplication::exec();
}
