#pragma once
// The one place where the window turns the model's 8-bit texts (code page 1251) into what it shows,
// and what the user types back into 8-bit texts; paths go through PathText and PathBytes.

#include <QString>
#include <string>
#include <string_view>

#include "app/cp1251.h"
#include "app/file_name_text.h"

namespace vsl {

// Code page 1251 bytes as Unicode (the header byte 0xB9 shows as "№").
inline QString FromCp1251(std::string_view bytes) {
  return Cp1251ToQString(bytes);
}

// Typed text as code page 1251 bytes; a character the code page lacks becomes '?'.
inline std::string ToCp1251(const QString& text) {
  return QStringToCp1251(text);
}

}  // namespace vsl
