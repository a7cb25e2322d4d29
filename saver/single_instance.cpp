#include "saver/single_instance.h"

#include <string>
#include <string_view>

#include "common/window_titles.h"
#include "saver/forms/window.h"

namespace orvanth {

bool another_copy_running() {
  bool found = false;
  for (const std::string_view title : kGuardTitles) {
    found = forms::find_window(std::string(title)) != 0 || found;
  }
  return found;
}

}  // namespace orvanth
