// Texts and file names in the ANSI code page that the narrow (A) calls
// use. A code page holds only some characters: a text it cannot hold comes
// out with '?' or a look-alike letter in place of the others.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanth::win32 {

// The UTF-8 text in the ANSI code page, or nothing when the code page cannot
// hold every character of it.
std::optional<std::string> ansi_text(std::string_view utf8);

// ANSI bytes back to UTF-16, for drawing.
std::wstring wide_of_ansi(std::string_view ansi);

// Whether a path that a narrow call gave spells the file system's names
// exactly: false when a '?' stands for a character the code page has not,
// or a name on disk along the path comes out of the code page as this text
// without being it (a best-fit letter: "Zāria" as "Zaria"). Names not on
// disk are taken as spelt.
bool names_exactly(const std::string& ansi_path);

}  // namespace orvanth::win32
