#include "saver/music/media_command.h"

#include <charconv>
#include <cstddef>
#include <initializer_list>

namespace orvanth::music {

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

// A keyword that may appear once: with an argument (type X) or alone
// (shareable, kept as an empty text).
struct Keyword {
  std::string_view name;
  std::optional<std::string>* slot;
  bool has_argument;
};

// Reads keywords of the table, and wait/notify, up to the command's end.
ErrorCode parse_keywords(WordCursor& cur, std::initializer_list<Keyword> keywords) {
  while (!cur.done()) {
    const Keyword* found = nullptr;
    for (const Keyword& k : keywords) {
      if (cur.take_if(k.name)) {
        found = &k;
        break;
      }
    }
    if (found == nullptr) {
      if (!is_ignored_flag(cur.take())) {
        return kErrUnrecognizedKeyword;
      }
      continue;
    }
    if (*found->slot) {
      return kErrDuplicateFlags;
    }
    if (found->has_argument && cur.done()) {
      return kErrMissingParameter;
    }
    *found->slot = found->has_argument ? cur.take() : std::string();
  }
  return kOk;
}

// What may follow a command's last argument: nothing but wait/notify.
ErrorCode parse_flags_only(WordCursor& cur) { return parse_keywords(cur, {}); }

ErrorCode parse_open(WordCursor& cur, Command& cmd) {
  std::optional<std::string> shareable;
  return parse_keywords(
      cur,
      {{"type", &cmd.type, true}, {"alias", &cmd.alias, true}, {"shareable", &shareable, false}});
}

ErrorCode parse_play(WordCursor& cur, Command& cmd) {
  return parse_keywords(cur, {{"from", &cmd.from, true}, {"to", &cmd.to, true}});
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
    cmd.item = StatusItem::kMode;
  } else if (cur.take_if("ready")) {
    cmd.item = StatusItem::kReady;
  } else if (cur.take_if("current")) {
    if (!cur.take_if("track")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::kCurrentTrack;
  } else if (cur.take_if("number")) {
    if (!cur.take_if("of") || !cur.take_if("tracks")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::kNumberOfTracks;
  } else if (cur.take_if("media")) {
    if (!cur.take_if("present")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::kMediaPresent;
  } else if (cur.take_if("time")) {
    if (!cur.take_if("format")) {
      return kErrUnrecognizedKeyword;
    }
    cmd.item = StatusItem::kTimeFormat;
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
    cmd.item = is_position ? StatusItem::kPosition : StatusItem::kLength;
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
  return parse_flags_only(cur);
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
    cmd.time_format = TimeFormat::kTmsf;
  } else if (same_word(format, "msf")) {
    cmd.time_format = TimeFormat::kMsf;
  } else if (same_word(format, "milliseconds") || same_word(format, "ms")) {
    cmd.time_format = TimeFormat::kMilliseconds;
  } else {
    return kErrBadTimeFormat;
  }
  return parse_flags_only(cur);
}

ErrorCode parse_seek(WordCursor& cur, Command& cmd) {
  if (!cur.take_if("to")) {
    return cur.done() ? kErrMissingParameter : kErrUnrecognizedKeyword;
  }
  if (cur.done()) {
    return kErrMissingParameter;
  }
  if (cur.take_if("start")) {
    cmd.seek_target = SeekTarget::kStart;
  } else if (cur.take_if("end")) {
    cmd.seek_target = SeekTarget::kEnd;
  } else {
    cmd.seek_target = SeekTarget::kPosition;
    cmd.seek_position = cur.take();
  }
  return parse_flags_only(cur);
}

bool find_verb(std::string_view word, Verb& verb) {
  struct Name {
    const char* text;
    Verb verb;
  };
  static constexpr Name kVerbs[] = {
      {"open", Verb::kOpen},     {"close", Verb::kClose}, {"play", Verb::kPlay},
      {"stop", Verb::kStop},     {"pause", Verb::kPause}, {"resume", Verb::kResume},
      {"status", Verb::kStatus}, {"set", Verb::kSet},     {"seek", Verb::kSeek},
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
    case Verb::kOpen:
      return parse_open(cur, cmd);
    case Verb::kPlay:
      return parse_play(cur, cmd);
    case Verb::kStatus:
      return parse_status(cur, cmd);
    case Verb::kSet:
      return parse_set(cur, cmd);
    case Verb::kSeek:
      return parse_seek(cur, cmd);
    case Verb::kClose:
    case Verb::kStop:
    case Verb::kPause:
    case Verb::kResume:
      return parse_flags_only(cur);
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

}  // namespace orvanth::music
