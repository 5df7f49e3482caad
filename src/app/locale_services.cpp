#include "app/locale_services.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <QTime>
#include <algorithm>
#include <cstdio>

#include "app/cp1251.h"

namespace vsl {
namespace {

// A Qt time format without its time-zone fields ('t' runs outside quotes) and the blanks before them.
QString WithoutTimeZone(const QString& format) {
  QString out;
  bool quoted = false;
  for (qsizetype i = 0; i < format.size(); ++i) {
    QChar c = format[i];
    if (c == u'\'') quoted = !quoted;
    if (quoted || c != u't') {
      out += c;
      continue;
    }
    while (i + 1 < format.size() && format[i + 1] == u't') ++i;
    while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
  }
  return out.trimmed();
}

class QtLocaleServices : public LocaleServices {
 public:
  QtLocaleServices()
      : locale_(QLocale::system()), timeFormat_(WithoutTimeZone(locale_.timeFormat(QLocale::LongFormat))) {
    collator_.setLocale(locale_);
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    std::string separator = QStringToCp1251(locale_.decimalPoint());
    separator_ = separator.size() == 1 && separator[0] != '?' ? separator[0] : '.';
  }

  char DecimalSeparator() const override { return separator_; }

  std::string LongTimeText(int hour, int minute, int second) const override {
    return QStringToCp1251(locale_.toString(QTime(hour, minute, second), timeFormat_));
  }

  int CompareIgnoringCase(std::string_view a, std::string_view b) const override {
    return collator_.compare(Cp1251ToQString(a), Cp1251ToQString(b));
  }

 private:
  QLocale locale_;
  QString timeFormat_;
  QCollator collator_;
  char separator_ = '.';
};

int AsciiLower(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

}  // namespace

std::shared_ptr<const LocaleServices> SystemLocaleServices() {
  return std::make_shared<QtLocaleServices>();
}

std::string FixedLocaleServices::LongTimeText(int hour, int minute, int second) const {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
  return text;
}

int FixedLocaleServices::CompareIgnoringCase(std::string_view a, std::string_view b) const {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int x = AsciiLower(static_cast<unsigned char>(a[i]));
    int y = AsciiLower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace vsl
