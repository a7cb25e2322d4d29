#include "platform/media/mci_command.h"

#include <charconv>
#include <cstddef>

namespace orvanth::mci {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads the words after the device one by one.
class WordCursor {
 public:
  explicit WordCursor(const std::vector<std::string>& words) : words_(words) {}
  bool done() const { return next_ >= words_.size(); }
  const std::string& peek() const { return words_[next_]; }
  const std::string& take() { return words_[next_++]; }
  bool take_if(std::string_view keyword) {
    if (!done() && same_word(peek(), keyword)) {
      ++next_;
      return true;
    }
    return false;
  }
  void skip_to(std::size_t index) { next_ = index; }

 private:
  const std::vector<std::string>& words_;
  std::size_t next_ = 0;
};

bool is_ignored_flag(std::string_view word) {
  return same_word(word, "wait") || same_word(word, "notify");
}

// Takes the argument of a keyword that may appear once.
ErrorCode take_argument(WordCursor& cur, std::optional<std::string>& slot) {
  if (slot) {
    return kErrDuplicateFlags;
  }
  if (cur.done()) {
    return kErrMissingParameter;
  }
  slot = cur.take();
  return kOk;
}

ErrorCode parse_open(WordCursor& cur, Command& cmd) {
  bool shareable = false;
  while (!cur.done()) {
    ErrorCode err = kOk;
    if (cur.take_if("type")) {
      err = take_argument(cur, cmd.type);
    } else if (cur.take_if("alias")) {
      err = take_argument(cur, cmd.alias);
    } else if (cur.take_if("shareable")) {
      err = shareable ? kErrDuplicateFlags : kOk;
      shareable = true;
    } else if (is_ignored_flag(cur.peek())) {
      cur.take();
    } else {
      err = kErrUnrecognizedKeyword;
    }
    if (err != kOk) {
      return err;
    }
  }
  return kOk;
}

ErrorCode parse_play(WordCursor& cur, Command& cmd) {
  while (!cur.done()) {
    ErrorCode err = kOk;
    if (cur.take_if("from")) {
      err = take_argument(cur, cmd.from);
    } else if (cur.take_if("to")) {
      err = take_argument(cur, cmd.to);
    } else if (is_ignored_flag(cur.peek())) {
      cur.take();
    } else {
      err = kErrUnrecognizedKeyword;
    }
    if (err != kOk) {
      return err;
    }
  }
  return kOk;
}

ErrorCode parse_track_number(const std::string& text, std::uint32_t& out) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(first, last, out);
  if (ec != std::errc() || ptr != last || text.empty()) {
    return kErrBadInteger;
  }
  return kOk;
}

ErrorCode parse_status_item(WordCursor& cur, Command& cmd) {
  if (cur.done()) {
    return kErrMissingParameter;
  }
  if (cur.take_if("mode")) {
    cmd.item = StatusItem::Mode;
  } else if (cur.take_if("ready")) {
    cmd.item = StatusItem::Ready;
  } else if (cur.take_if("current")) {
    if (!cur.take_if("track")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::CurrentTrack;
  } else if (cur.take_if("number")) {
    if (!cur.take_if("of") || !cur.take_if("tracks")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::NumberOfTracks;
  } else if (cur.take_if("media")) {
    if (!cur.take_if("present")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::MediaPresent;
  } else if (cur.take_if("time")) {
    if (!cur.take_if("format")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::TimeFormat;
  } else {
    return kErrUnrecognizedKeyword;
  }
  return kOk;
}

ErrorCode parse_status(WordCursor& cur, Command& cmd) {
  if (cur.done()) {
    return kErrMissingParameter;
  }
  const bool is_position = same_word(cur.peek(), "position");
  const bool is_length = same_word(cur.peek(), "length");
  if (is_position || is_length) {
    cur.take();
    cmd.item = is_position ? StatusItem::Position : StatusItem::Length;
    if (cur.take_if("track")) {
      if (cur.done()) {
        return kErrMissingParameter;
      }
      std::uint32_t n = 0;
      if (ErrorCode err = parse_track_number(cur.take(), n); err != kOk) {
        return err;
      }
      cmd.track = n;
    }
  } else if (ErrorCode err = parse_status_item(cur, cmd); err != kOk) {
    return err;
  }
  while (!cur.done()) {
    if (!is_ignored_flag(cur.take())) {
      return kErrUnrecognizedKeyword;
    }
  }
  return kOk;
}

ErrorCode parse_set(WordCursor& cur, Command& cmd) {
  if (cur.done()) {
    return kErrMissingParameter;
  }
  if (!cur.take_if("time") || !cur.take_if("format")) {
    return kErrUnrecognizedKeyword;
  }
  if (cur.done()) {
    return kErrMissingParameter;
  }
  const std::string& format = cur.take();
  if (same_word(format, "tmsf")) {
    cmd.time_format = TimeFormat::Tmsf;
  } else if (same_word(format, "msf")) {
    cmd.time_format = TimeFormat::Msf;
  } else if (same_word(format, "milliseconds") || same_word(format, "ms")) {
    cmd.time_format = TimeFormat::Milliseconds;
  } else {
    return kErrBadTimeFormat;
  }
  while (!cur.done()) {
    if (!is_ignored_flag(cur.take())) {
      return kErrUnrecognizedKeyword;
    }
  }
  return kOk;
}

ErrorCode parse_seek(WordCursor& cur, Command& cmd) {
  if (!cur.take_if("to")) {
    return cur.done() ? kErrMissingParameter : kErrUnrecognizedKeyword;
  }
  if (cur.done()) {
    return kErrMissingParameter;
  }
  if (cur.take_if("start")) {
    cmd.seek_target = SeekTarget::Start;
  } else if (cur.take_if("end")) {
    cmd.seek_target = SeekTarget::End;
  } else {
    cmd.seek_target = SeekTarget::Position;
    cmd.seek_position = cur.take();
  }
  while (!cur.done()) {
    if (!is_ignored_flag(cur.take())) {
      return kErrUnrecognizedKeyword;
    }
  }
  return kOk;
}

// Commands that take nothing but optional wait/notify after the device.
ErrorCode parse_plain(WordCursor& cur) {
  while (!cur.done()) {
    if (!is_ignored_flag(cur.take())) {
      return kErrUnrecognizedKeyword;
    }
  }
  return kOk;
}

bool find_verb(std::string_view word, Verb& verb) {
  struct Name {
    const char* text;
    Verb verb;
  };
  static constexpr Name kVerbs[] = {
      {"open", Verb::Open},     {"close", Verb::Close},   {"play", Verb::Play},
      {"stop", Verb::Stop},     {"pause", Verb::Pause},   {"resume", Verb::Resume},
      {"status", Verb::Status}, {"set", Verb::Set},       {"seek", Verb::Seek},
  };
  for (const Name& n : kVerbs) {
    if (same_word(word, n.text)) {
      verb = n.verb;
      return true;
    }
  }
  return false;
}

ErrorCode parse_arguments(const std::vector<std::string>& words, Command& cmd) {
  WordCursor cur(words);
  cur.skip_to(2);
  switch (cmd.verb) {
    case Verb::Open:
      return parse_open(cur, cmd);
    case Verb::Play:
      return parse_play(cur, cmd);
    case Verb::Status:
      return parse_status(cur, cmd);
    case Verb::Set:
      return parse_set(cur, cmd);
    case Verb::Seek:
      return parse_seek(cur, cmd);
    case Verb::Close:
    case Verb::Stop:
    case Verb::Pause:
    case Verb::Resume:
      return parse_plain(cur);
  }
  return kErrInternal;
}

}  // namespace

bool same_word(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

Tokens tokenize(std::string_view text) {
  Tokens out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (is_blank(text[i])) {
      ++i;
      continue;
    }
    std::string word;
    if (text[i] == '"') {
      ++i;
      for (;;) {
        const std::size_t close = text.find('"', i);
        if (close == std::string_view::npos) {
          out.error = kErrNoClosingQuote;
          return out;
        }
        word.append(text.substr(i, close - i));
        i = close + 1;
        if (i >= text.size() || text[i] != '"') {
          break;
        }
        word.push_back('"');  // a doubled quote inside the word
        ++i;
      }
      if (i < text.size() && !is_blank(text[i])) {
        out.error = kErrExtraCharacters;
        return out;
      }
    } else {
      while (i < text.size() && !is_blank(text[i])) {
        if (text[i] == '"') {
          out.error = kErrExtraCharacters;
          return out;
        }
        word.push_back(text[i++]);
      }
    }
    out.words.push_back(std::move(word));
  }
  return out;
}

std::string quoted(std::string_view word) {
  std::string out = "\"";
  for (const char c : word) {
    out.push_back(c);
    if (c == '"') {
      out.push_back('"');
    }
  }
  out.push_back('"');
  return out;
}

ParseResult parse_command(std::string_view text) {
  ParseResult result;
  Tokens tokens = tokenize(text);
  if (tokens.error != kOk) {
    result.error = tokens.error;
    return result;
  }
  if (tokens.words.empty()) {
    result.error = kErrMissingCommandString;
    return result;
  }
  if (!find_verb(tokens.words[0], result.command.verb)) {
    result.error = kErrUnrecognizedCommand;
    return result;
  }
  if (tokens.words.size() < 2 || tokens.words[1].empty()) {
    result.error = kErrMissingDeviceName;
    return result;
  }
  result.command.device = tokens.words[1];
  result.error = parse_arguments(tokens.words, result.command);
  return result;
}

}  // namespace orvanth::mci
