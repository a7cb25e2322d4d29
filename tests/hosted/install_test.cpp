// cmake --install and cpack -G DEB: exactly the files of Debian's and
// xscreensaver's layout, the link, the description xscreensaver reads, the
// package's dependencies; and the build tree's local page where the shell
// looks for it.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "tests/hosted/xscreensaver_daemon.h"

namespace orvanth::test {
namespace {

namespace fs = std::filesystem;

const std::set<std::string> kInstalled = {
    "bin/orvanth",
    "libexec/orvanth/Orvanth.scr",
    "libexec/orvanth/Orvanth.data",
    "share/xscreensaver/config/orvanth.xml",
    "share/applications/screensavers/orvanth.desktop",
    "share/orvanth/autostart/orvanth-idle.desktop",
    "share/man/man6/orvanth.6",
    "share/icons/hicolor/32x32/apps/orvanth.png",
    "share/doc/orvanth/index.html",
};

std::string output_of(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      out.append(buffer, n);
    }
    ::pclose(pipe);
  }
  return out;
}

std::set<std::string> files_below(const fs::path& root) {
  std::set<std::string> out;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_directory() || entry.is_symlink()) {
      out.insert(entry.path().lexically_relative(root).string());
    }
  }
  return out;
}

TEST(InstallTest, PrefixHoldsExactlyTheLayoutWithARelativeLinkToTheShell) {
  InstallPrefix prefix;
  ASSERT_TRUE(prefix.installed());
  EXPECT_EQ(files_below(prefix.path()), kInstalled);
  EXPECT_EQ(fs::read_symlink(prefix.path() / "bin/orvanth"), "../libexec/orvanth/Orvanth.scr");
  EXPECT_EQ(output_of("'" + (prefix.path() / "bin/orvanth").string() + "' --version"),
            "Orvanth.scr " ORVANTH_VERSION "\n");
  const std::string xml = (prefix.path() / "share/xscreensaver/config/orvanth.xml").string();
  EXPECT_EQ(output_of("xmllint --xpath 'concat(/screensaver/@name, \" \", /screensaver/@gl, \" \", "
                      "/screensaver/command/@arg)' '" +
                      xml + "'"),
            "orvanth yes --root\n");
  EXPECT_NE(output_of("xmllint --xpath 'string(//_description)' '" + xml + "'").find("orvanth /c"),
            std::string::npos);
  const std::string page = file_bytes(prefix.path() / "share/doc/orvanth/index.html");
  EXPECT_NE(page.find("Orvanth " ORVANTH_VERSION), std::string::npos);
  EXPECT_NE(file_bytes(prefix.path() / "share/applications/screensavers/orvanth.desktop")
                .find("\nExec=orvanth --root\n"),
            std::string::npos);
}

TEST(InstallTest, BuildTreeKeepsTheLocalPageWhereTheShellLooksForIt) {
  const fs::path page = fs::path(ORVANTH_BIN_DIR) / ORVANTH_DOC_FROM_PROGRAM / "index.html";
  EXPECT_NE(file_bytes(page).find("Orvanth " ORVANTH_VERSION), std::string::npos) << page;
}

TEST(InstallTest, DebianPackageListsTheLayoutAndDeclaresItsDependencies) {
  TempFolder out;
  const std::string arch = output_of("dpkg --print-architecture");
  ASSERT_FALSE(arch.empty());
  const fs::path deb =
      out.path() / ("orvanth_" ORVANTH_VERSION "_" + arch.substr(0, arch.size() - 1) + ".deb");
  ASSERT_EQ(std::system(("cpack -G DEB --config '" ORVANTH_BUILD_DIR "/CPackConfig.cmake' -B '" +
                         out.path().string() + "' >/dev/null")
                            .c_str()),
            0);
  ASSERT_TRUE(fs::exists(deb)) << deb;
  std::set<std::string> listed;
  const std::string contents = output_of("dpkg-deb --fsys-tarfile '" + deb.string() + "' | tar -t");
  for (std::size_t at = 0; at < contents.size();) {
    const std::size_t end = contents.find('\n', at);
    const std::string line = contents.substr(at, end - at);
    if (!line.empty() && line.back() != '/') {
      listed.insert(line.substr(line.find("usr/") + 4));
    }
    at = end + 1;
  }
  EXPECT_EQ(listed, kInstalled);
  const std::string depends = output_of("dpkg-deb -f '" + deb.string() + "' Depends");
  for (const char* package : {"libc6", "libqt6widgets6", "libgstreamer1.0-0", "libx11-6", "libglu1",
                              "gstreamer1.0-plugins-good", "gstreamer1.0-plugins-ugly",
                              "qt6-qpa-plugins", "fonts-ipafont-gothic", "libwayland-client0",
                              "libwayland-egl1", "libegl1", "libegl-mesa0", "qt6-wayland"}) {
    EXPECT_NE(depends.find(package), std::string::npos) << package << " not in: " << depends;
  }
}

}  // namespace
}  // namespace orvanth::test
