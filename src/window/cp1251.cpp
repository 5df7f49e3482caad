#include "window/cp1251.h"

#include "app/cp1251.h"

namespace vsl {

QString FromCp1251(std::string_view bytes) {
  return QString::fromStdString(Cp1251ToUtf8(bytes));
}

std::string ToCp1251(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

}  // namespace vsl
