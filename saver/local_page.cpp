#include "saver/local_page.h"

#include "common/user_folders.h"
#include "saver/forms/program.h"

namespace orvanth {

std::string local_page_path() {
  return path_in(forms::program_folder(),
                 std::string(ORVANTH_DOC_FROM_PROGRAM) + kPathSeparator + "index.html");
}

}  // namespace orvanth
