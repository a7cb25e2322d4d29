// The music module Lumevar_BGM: CD tracks and MP3 files through media-control
// command strings, WAV files through the sound player, and the poll routines
// the full-screen form calls from its timers. No window, no timer of its own.
#pragma once

#include <cstdint>
#include <string>

// True while the CD poll is to go on (the form's Timer2 takes it as its
// enabled state). Module state, one copy.
extern bool CdActive;
// Reply or error text of the last command sent by MciQuery or MciPlay.
extern std::string MciReply;

std::int32_t MciSend(const std::string& command, std::string& reply);
std::string MciQuery(const std::string& command);
std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

void OpenCd();
void PollCd();
void CloseCd();

void PlayMp3();
bool IsMp3Playing();
void PollMp3();
void CloseMp3();

void PlayWav();
void StopWav();

namespace orvanth::music {

enum class FileKind { None, Wav, Mp3 };

// How the full-screen run plays BgmFile: by its last three characters,
// upper-cased, compared with "WAV" and then "MP3".
FileKind file_kind(const std::string& path);

}  // namespace orvanth::music
