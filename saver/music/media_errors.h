// Error codes of media command strings (the values the system's media
// control interface gives, MCIERR_BASE + n) and their texts.
#pragma once

#include <cstdint>

namespace orvanth::music {

using ErrorCode = std::uint32_t;

inline constexpr ErrorCode kOk = 0;
inline constexpr ErrorCode kErrInvalidDeviceId = 257;
inline constexpr ErrorCode kErrUnrecognizedKeyword = 259;
inline constexpr ErrorCode kErrUnrecognizedCommand = 261;
inline constexpr ErrorCode kErrHardware = 262;
inline constexpr ErrorCode kErrInvalidDeviceName = 263;
inline constexpr ErrorCode kErrDeviceOpen = 265;
inline constexpr ErrorCode kErrCannotLoadDriver = 266;
inline constexpr ErrorCode kErrMissingCommandString = 267;
inline constexpr ErrorCode kErrParamOverflow = 268;
inline constexpr ErrorCode kErrMissingStringArgument = 269;
inline constexpr ErrorCode kErrBadInteger = 270;
inline constexpr ErrorCode kErrMissingParameter = 273;
inline constexpr ErrorCode kErrUnsupportedFunction = 274;
inline constexpr ErrorCode kErrFileNotFound = 275;
inline constexpr ErrorCode kErrDeviceNotReady = 276;
inline constexpr ErrorCode kErrInternal = 277;
inline constexpr ErrorCode kErrOutOfRange = 282;
inline constexpr ErrorCode kErrFlagsNotCompatible = 284;
inline constexpr ErrorCode kErrDeviceTypeRequired = 287;
inline constexpr ErrorCode kErrDuplicateAlias = 289;
inline constexpr ErrorCode kErrBadConstant = 290;
inline constexpr ErrorCode kErrMissingDeviceName = 292;
inline constexpr ErrorCode kErrBadTimeFormat = 293;
inline constexpr ErrorCode kErrNoClosingQuote = 294;
inline constexpr ErrorCode kErrDuplicateFlags = 295;
inline constexpr ErrorCode kErrInvalidFile = 296;
inline constexpr ErrorCode kErrNonapplicableFunction = 302;
inline constexpr ErrorCode kErrFilenameRequired = 304;
inline constexpr ErrorCode kErrExtraCharacters = 305;
inline constexpr ErrorCode kErrFileRead = 348;

// The text of a code, or nullptr for a code that has none.
const char* error_message(ErrorCode code);

}  // namespace orvanth::music
