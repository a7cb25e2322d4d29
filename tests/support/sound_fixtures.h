// Test support: audio fixtures made at test time in a private temporary
// folder: tones as WAV (sox) and MP3 (lame), and a five-track CUE/BIN disc
// image.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvanth::test {

class Fixtures {
 public:
  Fixtures();
  Fixtures(const Fixtures&) = delete;
  Fixtures& operator=(const Fixtures&) = delete;
  ~Fixtures();

  const std::filesystem::path& dir() const { return dir_; }
  std::string wav(const std::string& name, double hz, double seconds) const;
  std::string mp3(const std::string& name, double hz, double seconds) const;
  // Raw 44.1 kHz 16-bit stereo tracks, one tone each, every track a whole
  // number of 2352-byte frames; returns the CUE sheet's path.
  std::string disc(const std::vector<double>& tones_hz, double track_seconds) const;
  std::string random_file(const std::string& name, std::size_t bytes) const;

 private:
  std::filesystem::path dir_;
};

}  // namespace orvanth::test
