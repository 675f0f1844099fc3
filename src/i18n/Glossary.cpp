#include "i18n/Glossary.h"

#include "i18n/LLByteIO.h"
#include "platform/LzssStreams.h"

namespace {

constexpr char kSignature[] = {'G', 'L', 'S'};
constexpr std::uint8_t kLengthInOneByte = 0;
constexpr std::uint8_t kLengthInFourBytes = 1;

struct LTCompression {
  bool on = false;
  std::string magic;
};

LTCompression& Compression() {
  static LTCompression compression;
  return compression;
}

// One text of a term record: its character set (version 3 only; version 2 takes the
// glossary's), the length kind, the length and the bytes.
bool ReadTermText(CTLLByteIO& in, int version, std::uint8_t glossaryCharset, std::string& text,
                  std::uint8_t& charset) {
  charset = glossaryCharset;
  if (version == 3 && !in.ReadByte(charset)) return false;
  std::uint8_t kind = 0;
  if (!in.ReadByte(kind)) return false;
  if (kind == kLengthInOneByte) return in.ReadShortString(text);
  if (kind == kLengthInFourBytes) return in.ReadLongString(text);
  return false;
}

void PutInt32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>(bits >> shift & 0xFF));
}

void PutTermText(std::string& out, std::uint8_t charset, const std::string& text) {
  out.push_back(static_cast<char>(charset));
  if (text.size() <= 0xFF) {
    out.push_back(static_cast<char>(kLengthInOneByte));
    out.push_back(static_cast<char>(text.size()));
  } else {
    out.push_back(static_cast<char>(kLengthInFourBytes));
    PutInt32(out, static_cast<std::int32_t>(text.size()));
  }
  out += text;
}

}  // namespace

void CTGlossary::SetCompression(bool on, std::string_view magic) {
  LTCompression& compression = Compression();
  compression.on = on && !magic.empty();
  compression.magic = std::string(magic);
}

bool CTGlossary::CompressionOn() {
  return Compression().on;
}

const std::string& CTGlossary::CompressionMagic() {
  return Compression().magic;
}

CTGlossary::CTGlossary() : compressed_(Compression().on) {}

std::uint8_t CTGlossary::ListIndex(std::string_view source) {
  if (source.empty()) return 0;
  const auto first = static_cast<std::uint8_t>(source.front());
  return first >= 'a' && first <= 'z' ? static_cast<std::uint8_t>(first - 'a' + 'A') : first;
}

std::size_t CTGlossary::TermCount() const {
  std::size_t count = 0;
  for (const auto& list : lists_) count += list.size();
  return count;
}

void CTGlossary::Clear() {
  for (auto& list : lists_) list.clear();
}

void CTGlossary::SetLanguageId(int languageId) {
  if (languageId != languageId_) modified_ = true;
  languageId_ = static_cast<std::int32_t>(languageId);
}

void CTGlossary::SetCharset(int charset) {
  const auto value = static_cast<std::uint8_t>(charset);
  if (value != charset_) modified_ = true;
  charset_ = value;
}

const CTGlosTerm* CTGlossary::AddTerm(const std::string& source, int sourceCharset,
                                      const std::string& translation, int translationCharset,
                                      bool withoutDuplicates) {
  if (source.empty()) return nullptr;
  const auto srcSet = static_cast<std::uint8_t>(sourceCharset);
  const auto dstSet = static_cast<std::uint8_t>(translationCharset);
  auto& list = lists_[ListIndex(source)];
  if (withoutDuplicates) {
    for (const auto& term : list) {
      if (term->sourceCharset != srcSet || term->source != source) continue;
      if (translation.empty() ||
          (term->translation == translation && term->translationCharset == dstSet)) {
        return term.get();
      }
    }
  }
  list.push_back(std::make_unique<CTGlosTerm>(CTGlosTerm{source, translation, srcSet, dstSet}));
  return list.back().get();
}

std::vector<CTGlosTranslation> CTGlossary::Translations(const std::string& source,
                                                        int sourceCharset, bool anyCharset) const {
  std::vector<CTGlosTranslation> found;
  if (source.empty()) return found;
  for (const auto& term : lists_[ListIndex(source)]) {
    if (term->source != source) continue;
    if (!anyCharset && term->sourceCharset != static_cast<std::uint8_t>(sourceCharset)) continue;
    found.push_back({term->translation, term->translationCharset});
  }
  return found;
}

CTGlosTranslation CTGlossary::Translate(const std::string& source) const {
  std::vector<CTGlosTranslation> found = Translations(source, 0);
  if (found.size() != 1) return {};
  return std::move(found.front());
}

bool CTGlossary::Translate(const std::string& text, std::string& translation, int& charset) const {
  CTGlosTranslation found = Translate(text);
  if (found.text.empty()) return false;
  translation = std::move(found.text);
  charset = found.charset;
  return true;
}

// Load:
// 1. With clearFirst the terms are dropped and the language id becomes 0.
// 2. With compression on, the first bytes are compared with the magic; on a full match the rest
//    is expanded, otherwise the stream goes back to where it stood.
// 3. "GLS", the version ("2" or "3"), the language id and (version 3) the character set.
// 4. A glossary that holds terms (or was changed), is not cleared and has a language id other
//    than 0 refuses a file of another language, adding nothing.
// 5. The language id and character set are taken over; a term count <= 0 means no terms.
// 6. Each term: an empty source, data that ends early, an unknown length kind or (unless
//    allowed) an empty translation ends the load as a failure. The count is only an upper bound
//    of the loop: nothing is reserved for it.
// 7. On success the name is kept and a clearing load records whether the data was compressed.
// The glossary counts as modified afterwards only when it held terms, was not cleared, and the
// load changed something (new terms, another language id or character set) or it was already.
bool CTGlossary::Load(CTStream& stream, bool clearFirst, const std::string& name,
                      bool allowEmptyTranslations) {
  const bool heldTerms = TermCount() > 0;
  const bool wasModified = modified_;
  bool changed = false;
  // The modified flag as it ends for every outcome past the clearing step.
  auto finish = [&](bool ok) {
    modified_ = heldTerms && !clearFirst && (wasModified || changed);
    return ok;
  };
  if (clearFirst) {
    Clear();
    languageId_ = 0;
  }

  std::unique_ptr<CTStream> expander;
  CTStream* source = &stream;
  const LTCompression& compression = Compression();
  if (compression.on) {
    std::int64_t start = stream.Seek(0, CTStream::Origin::Current);
    if (start < 0) start = 0;
    bool matches = true;
    for (const char expected : compression.magic) {
      char byte = 0;
      if (stream.Read(&byte, 1) != 1 || byte != expected) {
        matches = false;
        break;
      }
    }
    if (matches) {
      expander = std::make_unique<CTLZSSExpanderStream>(stream);
      source = expander.get();
    } else if (stream.Seek(start, CTStream::Origin::Begin) != start) {
      return finish(false);
    }
  }

  CTLLByteIO in(*source);
  for (const char expected : kSignature) {
    std::uint8_t byte = 0;
    if (!in.ReadByte(byte) || byte != static_cast<std::uint8_t>(expected)) return finish(false);
  }
  std::uint8_t versionByte = 0;
  if (!in.ReadByte(versionByte) || (versionByte != '2' && versionByte != '3')) {
    return finish(false);
  }
  const int version = versionByte - '0';
  std::int32_t languageId = 0;
  std::uint8_t charset = 0;
  if (!in.ReadInt32(languageId) || (version == 3 && !in.ReadByte(charset))) return finish(false);
  if ((heldTerms || wasModified) && !clearFirst && languageId_ != 0 && languageId != languageId_) {
    return finish(false);
  }
  changed = languageId != languageId_ || charset != charset_;
  languageId_ = languageId;
  charset_ = charset;

  bool added = false;
  const bool ok = ReadTerms(in, version, allowEmptyTranslations, added);
  changed = changed || added;
  if (ok) {
    name_ = name;
    if (clearFirst) compressed_ = expander != nullptr;
  }
  return finish(ok);
}

bool CTGlossary::ReadTerms(CTLLByteIO& in, int version, bool allowEmptyTranslations, bool& added) {
  std::int32_t count = 0;
  if (!in.ReadInt32(count)) return false;
  std::string source;
  std::string translation;
  for (std::int32_t i = 0; i < count; ++i) {
    std::uint8_t sourceCharset = 0;
    std::uint8_t translationCharset = 0;
    if (!ReadTermText(in, version, charset_, source, sourceCharset) || source.empty()) {
      return false;
    }
    if (!ReadTermText(in, version, charset_, translation, translationCharset)) return false;
    if (translation.empty() && !allowEmptyTranslations) return false;
    const std::size_t before = lists_[ListIndex(source)].size();
    AddTerm(source, sourceCharset, translation, translationCharset, true);
    if (lists_[ListIndex(source)].size() != before) added = true;
  }
  return true;
}

void CTGlossary::Write(CTStream& target) const {
  std::string out(kSignature, sizeof kSignature);
  out.push_back('3');
  PutInt32(out, languageId_);
  out.push_back(static_cast<char>(charset_));
  PutInt32(out, static_cast<std::int32_t>(TermCount()));
  for (const auto& list : lists_) {
    for (const auto& term : list) {
      PutTermText(out, term->sourceCharset, term->source);
      PutTermText(out, term->translationCharset, term->translation);
    }
  }
  target.WriteAll(out);
}
