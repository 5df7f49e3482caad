#pragma once
// The language of the window's own texts: the one chosen in Settings > Language, remembered in the
// window's store and applied at the next start, else the first of the locale's languages the program
// speaks (kLanguages), else English. The captions, grid headers and messages the window shows as given
// and the results file are the same in every language.

#include <QLocale>
#include <QSettings>
#include <QString>
#include <memory>

namespace vsl {

// The window's store of remembered work and settings.
std::unique_ptr<QSettings> OpenWindowStore();

// "" (the system's language), "en" or "ru", as remembered.
QString ChosenLanguage();
void ChooseLanguage(const QString& language);

// The language the interface speaks under `locale` with `chosen` remembered.
QString InterfaceLanguage(const QString& chosen, const QLocale& locale = QLocale());

// Installs the program's translation into `language` and Qt's own (standard dialogs and buttons) in the
// application, in place of those installed before; none for English. False when the program's
// translation does not load; Qt's own is used where its package installed it.
bool InstallTranslations(const QString& language);

}  // namespace vsl
