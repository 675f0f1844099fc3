#include "cli/DesignJson.h"

#include <cmath>
#include <set>
#include <vector>

#include "cli/CliText.h"

namespace {

bool IsPlainKey(const std::string& key) {
  if (key.empty() || key.size() > 40) return false;
  for (char c : key) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-';
    if (!plain) return false;
  }
  return true;
}

}  // namespace

std::string ShownDesignText(const std::string& text) {
  const bool utf8 = IsUtf8(text);
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool continuation = (byte & 0xC0) == 0x80;
    if (shown.size() >= 40 && !continuation) {
      shown += "...";
      break;
    }
    const bool odd = byte < 0x20 || byte == 0x7F || byte == '"' || (byte >= 0x80 && !utf8);
    shown += odd ? '?' : text[i];
  }
  return shown;
}

namespace {

// The DOM builder of the library behind the limits: each event is checked against them before
// it reaches the builder, and the first refusal stops the parse.
class CTDesignSax {
 public:
  using TJson = TDesignJson;

  CTDesignSax(TJson& root, LTDesignError& error) : dom_(root, false), error_(error) {}

  bool null() { return Value() && dom_.null(); }
  bool boolean(bool value) { return Value() && dom_.boolean(value); }
  bool number_integer(TJson::number_integer_t value) {
    return Value() && dom_.number_integer(value);
  }
  bool number_unsigned(TJson::number_unsigned_t value) {
    return Value() && dom_.number_unsigned(value);
  }
  bool number_float(TJson::number_float_t value, const TJson::string_t& text) {
    if (!Value()) return false;
    if (!std::isfinite(value)) return Fail(Path(), "not a finite number: " + ShownDesignText(text));
    return dom_.number_float(value, text);
  }
  bool string(TJson::string_t& value) {
    if (!Value()) return false;
    if (value.size() > kDesignMaxTextBytes) {
      return Fail(Path(), "a text longer than " + std::to_string(kDesignMaxTextBytes) + " bytes");
    }
    return dom_.string(value);
  }
  bool binary(TJson::binary_t&) { return Fail(Path(), "binary data"); }

  bool start_object(std::size_t size) {
    if (!Value() || !Open()) return false;
    frames_.emplace_back();
    frames_.back().object = true;
    return dom_.start_object(size);
  }
  bool key(TJson::string_t& key) {
    LTFrame& frame = frames_.back();
    const std::string path = DesignKeyPath(ParentPath(), key);
    if (frame.keys.size() >= kDesignMaxKeys) {
      return Fail(path, "an object with more than " + std::to_string(kDesignMaxKeys) + " keys");
    }
    if (!frame.keys.insert(key).second) return Fail(path, "the key is given twice");
    frame.key = key;
    return dom_.key(key);
  }
  bool end_object() {
    frames_.pop_back();
    return dom_.end_object();
  }
  bool start_array(std::size_t size) {
    if (!Value() || !Open()) return false;
    frames_.emplace_back();
    return dom_.start_array(size);
  }
  bool end_array() {
    frames_.pop_back();
    return dom_.end_array();
  }

  bool parse_error(std::size_t, const std::string& token, const nlohmann::detail::exception& e) {
    if (failed_) return false;
    // A number beyond the range of a double ("1e999") is no finite number.
    constexpr int kNumberOverflow = 406;
    if (e.id == kNumberOverflow) {
      return Fail(PathOfFrames(frames_.size(), true),
                  "not a finite number: " + ShownDesignText(token));
    }
    // "[json.exception.parse_error.101] parse error at line 1, column 2: syntax error ..."
    std::string text = e.what();
    const auto at = text.find(" at line ");
    text = at == std::string::npos ? text : text.substr(at + 4);
    // The library quotes the input it last read; it may be anything.
    const auto quoted = text.find("; last read: ");
    if (quoted != std::string::npos) text.erase(quoted);
    if (!IsUtf8(text)) text = ShownDesignText(text);
    return Fail("", text);
  }

  bool Failed() const { return failed_; }

 private:
  struct LTFrame {
    bool object = false;
    std::string key;         // objects: the key of the value being read
    std::size_t length = 0;  // lists: the elements so far
    std::set<std::string> keys;
  };

  bool Fail(const std::string& path, const std::string& message) {
    if (!failed_) error_ = {path, message};
    failed_ = true;
    return false;
  }

  // A value begins: it counts towards the limits, and in a list it takes the next index.
  bool Value() {
    if (++values_ > kDesignMaxValues) {
      return Fail("", "more than " + std::to_string(kDesignMaxValues) + " values");
    }
    if (!frames_.empty() && !frames_.back().object) {
      LTFrame& list = frames_.back();
      if (list.length >= kDesignMaxListLength) {
        return Fail(ParentPath(),
                    "a list longer than " + std::to_string(kDesignMaxListLength) + " elements");
      }
      ++list.length;
    }
    return true;
  }
  bool Open() {
    if (frames_.size() >= kDesignMaxDepth) {
      return Fail(Path(), "nested deeper than " + std::to_string(kDesignMaxDepth) + " levels");
    }
    return true;
  }

  // The path of the innermost container, and of the value being read inside it.
  // next: the path of a value that has not begun yet (the next element of a list).
  std::string ParentPath() const { return PathOfFrames(frames_.size() - 1); }
  std::string Path() const { return PathOfFrames(frames_.size()); }
  std::string PathOfFrames(std::size_t count, bool next = false) const {
    std::string path;
    for (std::size_t i = 0; i < count; ++i) {
      const LTFrame& frame = frames_[i];
      const bool innermost = i + 1 == frames_.size();
      const std::size_t index = next && innermost   ? frame.length
                                : frame.length == 0 ? 0
                                                    : frame.length - 1;
      path = frame.object ? DesignKeyPath(path, frame.key) : DesignIndexPath(path, index);
    }
    return path;
  }

  nlohmann::detail::json_sax_dom_parser<TJson> dom_;
  LTDesignError& error_;
  std::vector<LTFrame> frames_;
  std::size_t values_ = 0;
  bool failed_ = false;
};

}  // namespace

std::string DesignKeyPath(const std::string& path, const std::string& key) {
  if (IsPlainKey(key)) return path.empty() ? key : path + "." + key;
  return path + "[\"" + ShownDesignText(key) + "\"]";
}

std::string DesignIndexPath(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

std::optional<TDesignJson> ParseDesignJson(const std::string& text, LTDesignError& error) {
  TDesignJson root;
  CTDesignSax sax(root, error);
  bool ok = false;
  try {
    ok = TDesignJson::sax_parse(text, &sax, nlohmann::json::input_format_t::json, true);
  } catch (const std::exception& e) {
    // The library's own size checks; the limits above come first.
    if (!sax.Failed()) error = {"", ShownDesignText(e.what())};
    return std::nullopt;
  }
  if (!ok || sax.Failed()) {
    if (!sax.Failed()) error = {"", "not a JSON text"};
    return std::nullopt;
  }
  return root;
}
