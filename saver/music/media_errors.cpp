#include "saver/music/media_errors.h"

namespace orvanth::music {

namespace {

struct Entry {
  ErrorCode code;
  const char* text;
};

constexpr Entry kTexts[] = {
    {kErrInvalidDeviceId, "The device name or alias is not open."},
    {kErrUnrecognizedKeyword, "The command contains an unknown keyword."},
    {kErrUnrecognizedCommand, "The command is not known."},
    {kErrHardware, "The device reported a hardware or media problem."},
    {kErrInvalidDeviceName, "There is no device of that name."},
    {kErrDeviceOpen, "The device or alias is already open."},
    {kErrCannotLoadDriver, "The playback components for this device are missing."},
    {kErrMissingCommandString, "No command was given."},
    {kErrParamOverflow, "The reply does not fit into the given buffer."},
    {kErrMissingStringArgument, "A keyword is missing its text argument."},
    {kErrBadInteger, "A number or position could not be read."},
    {kErrMissingParameter, "The command needs more keywords."},
    {kErrUnsupportedFunction, "The device cannot carry out this command."},
    {kErrFileNotFound, "The file cannot be found."},
    {kErrDeviceNotReady, "The device is not ready."},
    {kErrInternal, "An internal error occurred."},
    {kErrOutOfRange, "The value lies outside the allowed range."},
    {kErrFlagsNotCompatible, "The keywords cannot be used together."},
    {kErrDeviceTypeRequired, "The device type cannot be told from the name."},
    {kErrDuplicateAlias, "The alias is already in use."},
    {kErrBadConstant, "A keyword has an unknown value."},
    {kErrMissingDeviceName, "The command names no device."},
    {kErrBadTimeFormat, "The time format is not known to this device."},
    {kErrNoClosingQuote, "A quoted text has no closing quote."},
    {kErrDuplicateFlags, "A keyword was given twice."},
    {kErrInvalidFile, "The file cannot be played."},
    {kErrNonapplicableFunction, "The command does not apply in this state."},
    {kErrFilenameRequired, "A file name is needed."},
    {kErrExtraCharacters, "Quoted text must stand apart from other words."},
    {kErrFileRead, "The file could not be read."},
};

}  // namespace

const char* error_message(ErrorCode code) {
  for (const Entry& e : kTexts) {
    if (e.code == code) {
      return e.text;
    }
  }
  return nullptr;
}

}  // namespace orvanth::music
