// UTF-8 (our sources' and the property store's texts) to and from UTF-16,
// which the W drawing functions take, so Japanese captions show whatever
// the ANSI code page is.
#pragma once

#include <string>
#include <string_view>

namespace orvanth::win32 {

std::wstring wide(std::string_view utf8);
std::string utf8(std::wstring_view text);

}  // namespace orvanth::win32
