// The Linux backend: program folder, files, process start, screen.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "saver/forms/files.h"
#include "saver/forms/process.h"
#include "saver/forms/program.h"
#include "saver/forms/screen.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

using namespace orvanth::forms;
using orvanth::test::process_state;

TEST(Program, FolderIsTheRunningProgramsOwn) {
  EXPECT_EQ(program_folder(), std::filesystem::canonical("/proc/self/exe").parent_path().string());
}

TEST(Files, OpeningForReadingTellsFilesFromFoldersAndAbsentees) {
  orvanth::test::TempFolder folder;
  const auto file = folder.path() / "song.mp3";
  std::ofstream(file) << "x";
  EXPECT_TRUE(opens_for_reading(file.string()));
  EXPECT_FALSE(opens_for_reading(folder.path().string()));
  EXPECT_FALSE(opens_for_reading((folder.path() / "absent").string()));
  const auto fifo = folder.path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(opens_for_reading(fifo.string()));  // and returns without a writer
  EXPECT_TRUE(delete_file(file.string()));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_FALSE(delete_file(file.string()));
}

TEST(Files, ALinkWhoseTargetIsGoneExistsButDoesNotOpen) {
  orvanth::test::TempFolder folder;
  const auto dangling = folder.path() / "dangling";
  std::filesystem::create_symlink(folder.path() / "absent", dangling);
  EXPECT_TRUE(path_exists(dangling.string()));
  EXPECT_FALSE(opens_for_reading(dangling.string()));
  EXPECT_FALSE(path_exists((folder.path() / "absent").string()));
}

TEST(Process, StartedProgramRunsWithoutArgumentsAndLeavesNoZombie) {
  orvanth::test::TempFolder folder;
  const auto marker = folder.path() / "ran";
  const auto program = folder.path() / "prog.sh";
  std::ofstream(program) << "#!/bin/sh\necho \"$#\" > '" << marker.string() << "'\n";
  ::chmod(program.c_str(), 0755);
  const auto pid = static_cast<pid_t>(start_process(program.string()));
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(orvanth::test::wait_for([&] { return process_state(pid) == '\0'; }))
      << "the child stayed in state " << process_state(pid);
  std::ifstream in(marker);
  int count = -1;
  in >> count;
  EXPECT_EQ(count, 0);
  EXPECT_EQ(start_process((folder.path() / "absent").string()), kNoProcess);
}

TEST(Screen, TwipsPerPixelFromDotsPerInch) {
  EXPECT_DOUBLE_EQ(twips_per_pixel_for_dpi(96), 15);
  EXPECT_DOUBLE_EQ(twips_per_pixel_for_dpi(120), 12);
  EXPECT_DOUBLE_EQ(twips_per_pixel_for_dpi(0), 15);
  EXPECT_DOUBLE_EQ(twips_per_pixel_for_dpi(-5), 15);
  EXPECT_DOUBLE_EQ(twips_per_pixel_x(), 15);  // no runtime started here
}

}  // namespace
