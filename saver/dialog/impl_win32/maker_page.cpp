#include "saver/dialog/impl_win32/maker_page.h"

#include <fstream>
#include <iterator>

#include "common/atomic_file.h"
#include "common/user_folders.h"

namespace orvanth::win32 {

// From maker_page.html.in, made at build time (maker_page_text.cpp).
extern const char kMakerPage[];
extern const std::size_t kMakerPageSize;

std::string_view maker_page_html() { return {kMakerPage, kMakerPageSize}; }

std::string maker_page_path() {
  const std::string base = cache_home();
  return base.empty() ? std::string() : app_folder(base) + "\\Orvanth.html";
}

bool write_maker_page(const std::string& path) {
  if (path.empty() || !make_folders(parent_folder(path))) return false;
  std::ifstream old(path, std::ios::binary);
  const std::string held{std::istreambuf_iterator<char>(old), std::istreambuf_iterator<char>()};
  if (held == maker_page_html()) return true;
  return replace_file_atomically(path, maker_page_html(), 0644, LinkRule::kReplace, Flush::kLazily);
}

}  // namespace orvanth::win32
