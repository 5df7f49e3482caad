#include "window/cp1251.h"

#include <QFile>
#include <QStringDecoder>

#include "app/cp1251.h"

namespace vsl {

QString FromCp1251(std::string_view bytes) {
  return QString::fromStdString(Cp1251ToUtf8(bytes));
}

std::string ToCp1251(const QString& text) {
  return Utf8ToCp1251(text.toStdString());
}

QString FromPathBytes(std::string_view bytes) {
  const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(raw);
  if (!utf8.hasError()) return text;
  return FromCp1251(bytes);
}

std::string ToPathBytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace vsl
