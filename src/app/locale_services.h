#pragma once
// What the window needs from the user's locale: the decimal separator, the long time format and a
// case-ignoring collation. Behind an interface so that tests can pin every answer.

#include <memory>
#include <string>
#include <string_view>

namespace vsl {

class LocaleServices {
 public:
  virtual ~LocaleServices() = default;
  // The decimal separator as one code page 1251 byte.
  virtual char DecimalSeparator() const = 0;
  // A time of day in the locale's long time format without any time-zone part, as code page 1251
  // bytes ("14:05:09" in the C locale).
  virtual std::string LongTimeText(int hour, int minute, int second) const = 0;
  // Compares two UTF-8 texts (file names) ignoring letter case, by the locale's collation on their
  // characters: <0, 0 or >0.
  virtual int CompareIgnoringCase(std::string_view a, std::string_view b) const = 0;
};

// The process's locale (LC_ALL / LC_* / LANG) through Qt's locale and collation services.
std::shared_ptr<const LocaleServices> SystemLocaleServices();

// The named locale ("en_US", "ru_RU") with its separator, time format and collation, whatever the
// process's locale: for tests of the collation.
std::shared_ptr<const LocaleServices> NamedLocaleServices(const std::string& name);

// A fixed locale for tests: the given separator, "HH:mm:ss" times, ASCII case folding then byte order.
class FixedLocaleServices : public LocaleServices {
 public:
  explicit FixedLocaleServices(char decimalSeparator = '.') : separator_(decimalSeparator) {}
  char DecimalSeparator() const override { return separator_; }
  std::string LongTimeText(int hour, int minute, int second) const override;
  int CompareIgnoringCase(std::string_view a, std::string_view b) const override;

 private:
  char separator_;
};

}  // namespace vsl
