#include "app/file_name_text.h"

#include <QString>

namespace vsl {

std::string FileNameText(std::string_view nameBytes) {
  // Qt decodes an invalid sequence as U+FFFD.
  QString text = QString::fromUtf8(nameBytes.data(), static_cast<qsizetype>(nameBytes.size()));
  text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text.toStdString();
}

}  // namespace vsl
