#include "app/file_name_text.h"

#include <QFile>
#include <QStringDecoder>

#include "app/cp1251.h"

namespace vsl {

std::string FileNameText(std::string_view nameBytes) {
  // Qt decodes an invalid sequence as U+FFFD.
  QString text = QString::fromUtf8(nameBytes.data(), static_cast<qsizetype>(nameBytes.size()));
  text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text.toStdString();
}

QString PathText(std::string_view bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  return utf8.hasError() ? Cp1251ToQString(bytes) : text;
}

std::string PathBytes(const QString& text) {
  return QFile::encodeName(text).toStdString();
}

}  // namespace vsl
