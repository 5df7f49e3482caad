#pragma once
// File names as text: the bytes of a path, as the file system gives and takes them, and the text the
// window shows, the sort compares and the exports write.

#include <QString>
#include <string>
#include <string_view>

namespace vsl {

// The name as UTF-8 text: the bytes read as UTF-8 (the file system's encoding on this platform), a byte
// that is no part of a valid sequence shown as U+FFFD, and every line break (CR, LF) as a blank, so
// that no name can break a line of the results file.
std::string FileNameText(std::string_view nameBytes);

// A path, or a message that names one, as text: the bytes read as UTF-8 when they are valid UTF-8, else
// as code page 1251 (the names of older saves). The file APIs of Qt take this text.
QString PathText(std::string_view bytes);
// A path typed or chosen as text, as the bytes the file system takes (UTF-8).
std::string PathBytes(const QString& text);

}  // namespace vsl
