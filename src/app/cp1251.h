#pragma once
// Code page 1251: the 8-bit encoding of the program's own texts; texts read from saves are taken as
// code page 1251 bytes as well wherever they are shown or exported as Unicode.

#include <QString>
#include <string>
#include <string_view>

namespace vsl {

// Code page 1251 bytes as Unicode text; the one unassigned byte (0x98) becomes U+FFFD.
QString Cp1251ToQString(std::string_view bytes);
// Unicode text as code page 1251 bytes; characters the code page lacks become '?'.
std::string QStringToCp1251(const QString& text);

// Decodes code page 1251 bytes to UTF-8. The one unassigned byte (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// Encodes UTF-8 to code page 1251; characters the code page lacks (and invalid UTF-8) become '?'.
std::string Utf8ToCp1251(std::string_view utf8);

}  // namespace vsl
