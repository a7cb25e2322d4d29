#include "tests/support/sound_fixtures.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <random>
#include <stdexcept>

namespace orvanth::test {

namespace {

void run(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    throw std::runtime_error("fixture command failed: " + command);
  }
}

std::string msf(std::uint32_t frames) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u", frames / 4500, (frames / 75) % 60, frames % 75);
  return buf;
}

}  // namespace

Fixtures::Fixtures() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "orvanth-music.XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  dir_ = tmpl;
}

Fixtures::~Fixtures() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::string Fixtures::wav(const std::string& name, double hz, double seconds) const {
  std::string path = (dir_ / name).string();
  run("sox -q -n -r 44100 -b 16 -c 2 -t wav '" + path + "' synth " + std::to_string(seconds) +
      " sine " + std::to_string(hz) + " vol 0.5");
  return path;
}

std::string Fixtures::mp3(const std::string& name, double hz, double seconds) const {
  const std::string tmp = wav("src-" + name + ".wav", hz, seconds);
  std::string path = (dir_ / name).string();
  run("lame --silent -b 128 '" + tmp + "' '" + path + "'");
  return path;
}

std::string Fixtures::disc(const std::vector<double>& tones_hz, double track_seconds) const {
  const auto frames_per_track = static_cast<std::uint32_t>(track_seconds * 75);
  const std::uint32_t samples_per_track = frames_per_track * 588;  // 2352 / 4 bytes
  std::ofstream bin(dir_ / "disc.bin", std::ios::binary);
  std::ofstream cue(dir_ / "disc.cue");
  cue << "FILE \"disc.bin\" BINARY\n";
  for (std::size_t t = 0; t < tones_hz.size(); ++t) {
    char head[64];
    std::snprintf(head, sizeof head, "  TRACK %02zu AUDIO\n    INDEX 01 ", t + 1);
    cue << head << msf(static_cast<std::uint32_t>(t) * frames_per_track) << "\n";
    for (std::uint32_t i = 0; i < samples_per_track; ++i) {
      const double v = 0.5 * std::sin(2 * std::numbers::pi * tones_hz[t] * i / 44100.0);
      const auto s = static_cast<std::int16_t>(std::lround(v * 32767));
      const char bytes[4] = {static_cast<char>(s & 0xff), static_cast<char>((s >> 8) & 0xff),
                             static_cast<char>(s & 0xff), static_cast<char>((s >> 8) & 0xff)};
      bin.write(bytes, 4);
    }
  }
  return (dir_ / "disc.cue").string();
}

std::string Fixtures::random_file(const std::string& name, std::size_t bytes) const {
  std::string path = (dir_ / name).string();
  std::ofstream out(path, std::ios::binary);
  std::mt19937 gen(12345);
  for (std::size_t i = 0; i < bytes; ++i) {
    out.put(static_cast<char>(gen() & 0xff));
  }
  return path;
}

}  // namespace orvanth::test
