#pragma once
// File names as text: the bytes of a path's name, as the file system gives them, turned into the text the
// window shows, the sort compares and the exports write.

#include <string>
#include <string_view>

namespace vsl {

// The name as UTF-8 text: the bytes read as UTF-8 (the file system's encoding on this platform), a byte
// that is no part of a valid sequence shown as U+FFFD, and every line break (CR, LF) as a blank, so
// that no name can break a line of the results file.
std::string FileNameText(std::string_view nameBytes);

}  // namespace vsl
