#include "app/cp1251.h"

#include <QList>
#include <array>
#include <cstdint>

namespace vsl {
namespace {

// Unicode of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order. 0 marks the unassigned 0x98.
// clang-format off
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
// clang-format on

char16_t CodePointOf(uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<char16_t>(0x0410 + (byte - 0xC0));
  const char16_t c = kHighHalf[byte - 0x80];
  return c == 0 ? char16_t{0xFFFD} : c;
}

// The code page byte of a code point, or '?' when the code page lacks it.
char ByteOf(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));
  for (size_t i = 0; i < kHighHalf.size(); ++i) {
    if (kHighHalf[i] != 0 && kHighHalf[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

QString Cp1251ToQString(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  for (size_t i = 0; i < bytes.size(); ++i) {
    text[static_cast<qsizetype>(i)] = QChar(CodePointOf(static_cast<uint8_t>(bytes[i])));
  }
  return text;
}

std::string QStringToCp1251(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (char32_t c : text.toUcs4()) out += ByteOf(c);
  return out;
}

std::string Cp1251ToUtf8(std::string_view bytes) {
  return Cp1251ToQString(bytes).toStdString();
}

std::string Utf8ToCp1251(std::string_view utf8) {
  return QStringToCp1251(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace vsl
