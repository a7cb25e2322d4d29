// The page "その他の作品" opens: Orvanth's own page. The Windows folder holds
// only the two programs and README.txt, so the program carries the page and
// writes it to the user's local folder when it is asked for.
#pragma once

#include <string>
#include <string_view>

namespace orvanth::win32 {

std::string_view maker_page_html();

// %LOCALAPPDATA%\Orvanth\Orvanth.html, in the ANSI code page.
std::string maker_page_path();

// Writes the page there unless it already holds these bytes; false when it
// cannot be written.
bool write_maker_page(const std::string& path);

}  // namespace orvanth::win32
