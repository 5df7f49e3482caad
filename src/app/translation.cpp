#include "app/translation.h"

#include <QCoreApplication>
#include <QTranslator>
#include <algorithm>
#include <stdexcept>

namespace vsl {
namespace {

// The language code, as each translation gives it: the application's language is the one its
// installed translators name here.
const char kLanguageContext[] = "ProgramTexts";
const struct {
  const char* source;
  const char* disambiguation;
} kLanguageCode = QT_TRANSLATE_NOOP3("ProgramTexts", "en", "the code of this translation's language");

}  // namespace

QString TranslationResource(const std::string& language) {
  return QStringLiteral(":/i18n/vellum-saves-list_") + QString::fromStdString(language) +
         QStringLiteral(".qm");
}

QString CountedText(const char* context, const char* source, int n) {
  const QString translated = QCoreApplication::translate(context, source, nullptr, n);
  const QString english = QString::fromUtf8(source).replace(QStringLiteral("%n"), QString::number(n));
  if (translated != english) return translated;
  return QString(english).replace(QStringLiteral("(s)"), n == 1 ? QString() : QStringLiteral("s"));
}

ProgramTexts::ProgramTexts(const std::string& language) : language_(language), installed_(language.empty()) {
  if (installed_) {
    language_ = Text(kLanguageContext, kLanguageCode.source, kLanguageCode.disambiguation);
    return;
  }
  if (std::find(kLanguages.begin(), kLanguages.end(), language) == kLanguages.end()) {
    throw std::invalid_argument("no texts in the language '" + language + "'");
  }
  if (language == "en") return;
  translator_ = std::make_unique<QTranslator>();
  if (!translator_->load(TranslationResource(language))) {
    throw std::runtime_error("the translation into '" + language + "' does not load");
  }
}

ProgramTexts::~ProgramTexts() = default;

std::string ProgramTexts::Text(const char* context, const char* source, const char* disambiguation) const {
  if (installed_) return QCoreApplication::translate(context, source, disambiguation).toStdString();
  const QString text = translator_ ? translator_->translate(context, source, disambiguation) : QString();
  return text.isEmpty() ? source : text.toStdString();
}

}  // namespace vsl
