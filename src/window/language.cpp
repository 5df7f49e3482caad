#include "window/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <vector>

#include "app/translation.h"

namespace vsl {
namespace {

constexpr char kLanguageKey[] = "window/language";

// The translators this program installed, owned by the application.
std::vector<QTranslator*>& Installed() {
  static std::vector<QTranslator*> installed;
  return installed;
}

bool Speaks(const QString& language) {
  for (const char* known : kLanguages) {
    if (language == QLatin1String(known)) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<QSettings> OpenWindowStore() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "VellumSavesList",
                                     "vellum-saves-list");
}

QString ChosenLanguage() {
  const QString language = OpenWindowStore()->value(kLanguageKey).toString();
  return Speaks(language) ? language : QString();
}

void ChooseLanguage(const QString& language) {
  const auto store = OpenWindowStore();
  if (language.isEmpty())
    store->remove(kLanguageKey);
  else
    store->setValue(kLanguageKey, language);
}

QString InterfaceLanguage(const QString& chosen, const QLocale& locale) {
  if (Speaks(chosen)) return chosen;
  // "ru-RU", "ru", "en-US": the language part, in the order of the user's preference.
  for (const QString& ui : locale.uiLanguages()) {
    const QString language = ui.section('-', 0, 0).toLower();
    if (Speaks(language)) return language;
  }
  return "en";
}

bool InstallTranslations(const QString& language) {
  for (QTranslator* t : Installed()) {
    QCoreApplication::removeTranslator(t);
    delete t;
  }
  Installed().clear();
  if (language == "en" || !Speaks(language)) return language == "en";
  auto install = [](const QString& file, const QString& folder = QString()) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(file, folder)) {
      delete translator;
      return false;
    }
    QCoreApplication::installTranslator(translator);
    Installed().push_back(translator);
    return true;
  };
  install("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  return install(TranslationResource(language.toStdString()));
}

}  // namespace vsl
