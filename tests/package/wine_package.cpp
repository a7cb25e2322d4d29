#include "tests/package/wine_package.h"

#include <cstdlib>
#include <sstream>

#include "tests/support/wine.h"

namespace orvanth::test::wine {

namespace fs = std::filesystem;

namespace {

const std::string kDownload = "Orvanth-" ORVANTH_VERSION;

int run_process(const fs::path& program, const std::vector<std::string>& arguments,
                std::chrono::milliseconds limit) {
  Process process(program, arguments);
  if (!process.ends_within(limit)) {
    return -1;
  }
  return process.exit_code();
}

}  // namespace

fs::path zip_download() { return build() / "package" / (kDownload + "-win64.zip"); }

fs::path setup_download() { return build() / "package" / (kDownload + "-setup.exe"); }

OwnPrefix::OwnPrefix() {
  if (const char* value = std::getenv("WINEPREFIX")) {
    previous_ = value;
  }
  const fs::path prefix = root_.path() / "wine";
  fs::create_directories(prefix);
  ::setenv("WINEPREFIX", prefix.c_str(), 1);
  made_ = run_process("/usr/bin/wineboot", {"-i"}, std::chrono::seconds(90)) == 0;
}

OwnPrefix::~OwnPrefix() {
  run_process("/usr/bin/wineserver", {"-k"}, std::chrono::seconds(30));
  if (previous_) {
    ::setenv("WINEPREFIX", previous_->c_str(), 1);
  } else {
    ::unsetenv("WINEPREFIX");
  }
}

int run(const std::string& program, const std::vector<std::string>& arguments,
        std::chrono::milliseconds limit) {
  Program process(program, arguments);
  if (!process.ends_within(limit)) {
    return -1;
  }
  return process.exit_code();
}

std::optional<std::string> registry_value(const std::string& key, const std::string& name) {
  const std::optional<std::string> out = output_of({"wine", "reg", "query", key, "/v", name});
  if (!out) {
    return std::nullopt;
  }
  // "    NAME    TYPE    DATA", the data possibly empty.
  const std::string lead = "    " + name + "    ";
  std::istringstream lines(*out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.compare(0, lead.size(), lead) == 0) {
      const std::size_t data = line.find("    ", lead.size());
      return data == std::string::npos ? std::string() : line.substr(data + 4);
    }
  }
  return std::nullopt;
}

bool registry_key_exists(const std::string& key) {
  return output_of({"wine", "reg", "query", key}).has_value();
}

bool set_registry_value(const std::string& key, const std::string& name, const std::string& value) {
  return run("reg", {"add", key, "/v", name, "/d", value, "/f"}) == 0;
}

namespace {

fs::path package_probe() { return build() / "tests" / "package" / "orvanth_package_probe.exe"; }

std::string probe_answer(const std::string& command, const std::string& argument) {
  TempFolder folder("orvanth-package-probe");
  const fs::path out = folder.path() / "answer.txt";
  if (run(package_probe().string(), {command, argument, windows_path(out)}) != 0) {
    return {};
  }
  return file_bytes(out);
}

}  // namespace

std::string short_path(const std::string& windows_path) {
  std::string path = probe_answer("short", windows_path);
  while (!path.empty() && path.back() == '\n') {
    path.pop_back();
  }
  return path;
}

std::map<std::string, std::string> resources(const fs::path& file) {
  std::map<std::string, std::string> out;
  std::istringstream lines(probe_answer("resources", windows_path(file)));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t blank = line.find(' ');
    out[line.substr(0, blank)] = blank == std::string::npos ? "" : line.substr(blank + 1);
  }
  return out;
}

}  // namespace orvanth::test::wine
