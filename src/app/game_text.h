#pragma once
// Texts from saves as people read them: the game's inline markup taken out.

#include <string>
#include <string_view>

namespace vsl {

// `text` without the game's markup tags: "<color=255,200,0>Vutar</color>" gives "Vutar". A tag is '<',
// an optional '/', a letter, then anything but '<' up to the next '>'; any other '<' (as in "a <3 b")
// is kept, and so is a tag left open at the end.
std::string StripGameMarkup(std::string_view text);

}  // namespace vsl
