// The music module Lumevar_BGM: CD tracks and MP3 files through media-control
// command strings, WAV files through the sound player, and the poll routines
// the full-screen form calls from its timers. No window, no timer of its own.
#pragma once

#include <cstdint>
#include <string>

#include "saver/forms/timer.h"

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

enum class FileKind { kNone, kWav, kMp3 };

// How the full-screen run plays BgmFile: by its last three characters,
// upper-cased, compared with "WAV" and then "MP3".
FileKind file_kind(const std::string& path);

// The run's music as BgmType says, in the calling order this module relies
// on; every step under the rule: on error, continue with the next step.
// Start: for kBgmCd OpenCd and the CD poll enabled; for kBgmFile by
// file_kind, PlayWav, or PlayMp3 and the MP3 poll enabled (whatever PlayMp3
// achieved).
void start_music(forms::Timer& mp3_poll, forms::Timer& cd_poll);
// Stop: a CD poll still enabled is disabled and CloseCd called (a poll that
// stopped itself leaves the device alone); then for kBgmFile by file_kind,
// StopWav or CloseMp3.
void stop_music(forms::Timer& cd_poll);

}  // namespace orvanth::music
