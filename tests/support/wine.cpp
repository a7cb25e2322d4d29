#include "tests/support/wine.h"

#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace orvanth::test::wine {
namespace {

constexpr const char* kWine = "/usr/bin/wine";

std::filesystem::path prefix() {
  const char* value = std::getenv("WINEPREFIX");
  return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

std::string pipe_output(const std::string& command, int& status) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return out;
  }
  char buffer[512];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    out.append(buffer, n);
  }
  const int raw = ::pclose(pipe);
  status = raw >= 0 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) {
    out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return out + "'";
}

}  // namespace

bool available() { return std::string(ORVANTH_WINDOWS_BUILD).size() > 0 && !prefix().empty(); }

std::filesystem::path build() { return ORVANTH_WINDOWS_BUILD; }

std::filesystem::path dist() { return build() / "dist"; }

std::string windows_path(const std::filesystem::path& path) {
  std::string text = "Z:" + std::filesystem::absolute(path).string();
  for (char& c : text) {
    if (c == '/') {
      c = '\\';
    }
  }
  return text;
}

std::filesystem::path unix_path(const std::string& windows_path) {
  if (windows_path.size() < 2 || windows_path[1] != ':') {
    return {};
  }
  std::string rest = windows_path.substr(2);
  for (char& c : rest) {
    if (c == '\\') {
      c = '/';
    }
  }
  const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(windows_path[0])));
  const std::filesystem::path device = prefix() / "dosdevices" / (std::string(1, drive) + ":");
  return std::filesystem::path(device.string() + rest);
}

int run_console(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                std::string* out, const std::string& runner) {
  std::string command = runner.empty() ? std::string() : runner + " ";
  command += std::string(kWine) + " " + quoted(program.string());
  for (const std::string& argument : arguments) {
    command += " " + quoted(argument);
  }
  int status = 0;
  const std::string text = pipe_output(command + " 2>/dev/null", status);
  if (out != nullptr) {
    *out = text;
  }
  return status;
}

std::optional<std::string> output_of(const std::vector<std::string>& command) {
  std::string line;
  for (const std::string& word : command) {
    line += quoted(word) + " ";
  }
  int status = 0;
  std::string out = pipe_output(line + "2>/dev/null", status);
  return status == 0 ? std::optional<std::string>(std::move(out)) : std::nullopt;
}

std::filesystem::path probe_program() {
  return build() / "tests" / "support" / "win32" / "orvanth_win32_probe.exe";
}

int probe(const std::vector<std::string>& arguments, std::string* out) {
  return run_console(probe_program(), arguments, out);
}

std::string folder(const std::string& name) {
  static std::map<std::string, std::string> known;
  auto& value = known[name];
  if (value.empty()) {
    probe({"folder", name}, &value);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) {
      value.pop_back();
    }
  }
  return value;
}

std::filesystem::path unix_folder(const std::string& name) { return unix_path(folder(name)); }

namespace {

constexpr char kDesktopKey[] = "HKCU\\Control Panel\\Desktop";

}  // namespace

ScreenDpi::ScreenDpi(int dpi)
    : set_(output_of({kWine, "reg", "add", kDesktopKey, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                      std::to_string(dpi), "/f"})
               .has_value()) {}

ScreenDpi::~ScreenDpi() {
  output_of({kWine, "reg", "delete", kDesktopKey, "/v", "LogPixels", "/f"});
}

namespace {

std::vector<std::string> wine_arguments(const std::filesystem::path& program,
                                        const std::vector<std::string>& arguments) {
  std::vector<std::string> all{program.string()};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return all;
}

}  // namespace

Program::Program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const EnvironmentChanges& environment, const std::filesystem::path& stderr_file)
    : Process(kWine, wine_arguments(program, arguments), environment, stderr_file) {}

}  // namespace orvanth::test::wine
