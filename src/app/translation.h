#pragma once
// The program's own texts in the languages it speaks: English as written in the code, and each
// translation built into the model library as the resource :/i18n/vellum-saves-list_<language>.qm
// (from translations/vellum-saves-list_<language>.ts, kept by lupdate). The texts the program shows as
// given (captions, grid headers, messages, the results file) are never looked up.
//
// A text to translate is marked where it is written (tr(), QCoreApplication::translate or
// QT_TRANSLATE_NOOP with literal texts), so that lupdate finds it:
//   const ProgramTexts texts("ru");
//   texts.Text("HtmlPage", QT_TRANSLATE_NOOP("HtmlPage", "Settings"))   // "Настройки"
// A program that shows its texts in one language installs that translation in its application
// (QTranslator::load(TranslationResource("ru")), QCoreApplication::installTranslator); then tr() and
// ProgramTexts("") give the same texts.

#include <QString>
#include <array>
#include <memory>
#include <string>

class QTranslator;

namespace vsl {

// The languages of the program's own texts; "en" is the texts as written.
inline constexpr std::array<const char*, 2> kLanguages = {"en", "ru"};

// The resource the translation into `language` is loaded from, for QTranslator::load.
QString TranslationResource(const std::string& language);

// `source`, a text counting `n` things ("%n file(s)"), in the application's language; where no
// translation gives it, in English: "1 file", "3 files".
QString CountedText(const char* context, const char* source, int n);

class ProgramTexts {
 public:
  // `language`: one of kLanguages, whatever the application's language; empty: the application's
  // language, as the translators installed in it give (English without any). Throws
  // std::invalid_argument for any other language, and std::runtime_error when a translation built into
  // the program does not load.
  explicit ProgramTexts(const std::string& language);
  ~ProgramTexts();
  ProgramTexts(const ProgramTexts&) = delete;
  ProgramTexts& operator=(const ProgramTexts&) = delete;

  // The code of the language the texts come in ("en", "ru").
  const std::string& Language() const { return language_; }
  // `source` in that language, UTF-8; the source itself where the translation lacks it.
  std::string Text(const char* context, const char* source, const char* disambiguation = nullptr) const;

 private:
  std::string language_;
  bool installed_;                           // the application's translators
  std::unique_ptr<QTranslator> translator_;  // none for English
};

}  // namespace vsl
