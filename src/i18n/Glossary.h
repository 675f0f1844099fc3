#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/Translator.h"
#include "platform/Stream.h"

class CTLLByteIO;

// One glossary entry: a source text and its translation, each with the character set its bytes
// are in (font character set numbers: 0 the default one, 204 Cyrillic).
struct CTGlosTerm {
  std::string source;
  std::string translation;
  std::uint8_t sourceCharset = 0;
  std::uint8_t translationCharset = 0;
};

// A translation found in the glossary.
struct CTGlosTranslation {
  std::string text;
  int charset = 0;
};

// The translation glossary: the catalogue's English terms with their translations. It is read
// from the "GLS" file form (version 2 or 3), optionally compressed behind a magic, and translates
// the catalogue's translated string fields (as the catalogue database's CTTranslator).
//
// The terms are kept in 256 lists, chosen by the first byte of the source text with "a".."z"
// taken in upper case, so a look-up compares only the terms that can match.
class CTGlossary : public CTTranslator {
 public:
  // The class-level compression setting of every load: with the switch on and a magic that is not
  // empty, data behind the magic is expanded with the LZSS codec. Off by default.
  static void SetCompression(bool on, std::string_view magic);
  static bool CompressionOn();
  static const std::string& CompressionMagic();

  CTGlossary();

  // Reads a glossary file from the stream (see Load in the source for the rules). With
  // clearFirst the terms are dropped and the language id reset first. A stream that begins with
  // the magic (compression on) is expanded, any other is read plain from where it stood. Returns
  // false when the data is not a glossary, is cut short or breaks a rule; the terms read before
  // the fault stay. name is kept as the glossary's name after a successful load.
  bool Load(CTStream& stream, bool clearFirst, const std::string& name,
            bool allowEmptyTranslations = false);

  // Writes the glossary in the version 3 form (plain; callers compress when they want to), lists
  // in order of their index and terms in the order they were added, each length in one byte when
  // it fits and in four bytes otherwise. Throws CTStreamError when the target fails.
  void Write(CTStream& target) const;

  // Adds a term. An empty source adds nothing (nullptr). Without duplicates, nothing is added
  // either when a term with the same source bytes and source character set exists and the new
  // translation is empty or equal to that term's (with the same character set); the existing term
  // is returned then.
  const CTGlosTerm* AddTerm(const std::string& source, int sourceCharset,
                            const std::string& translation, int translationCharset,
                            bool withoutDuplicates = true);

  // Every translation of the source text: terms whose source bytes are equal (case matters) and,
  // unless anyCharset, whose source character set is sourceCharset.
  std::vector<CTGlosTranslation> Translations(const std::string& source, int sourceCharset,
                                              bool anyCharset = false) const;
  // The translation of a source in the default character set when exactly one term has it;
  // otherwise an empty text with character set 0.
  CTGlosTranslation Translate(const std::string& source) const;
  // CTTranslator: the translation of a catalogue text, when the glossary has exactly one and it
  // is not empty.
  bool Translate(const std::string& text, std::string& translation, int& charset) const override;

  // Drops every term (the language id, character set and name stay).
  void Clear();

  int LanguageId() const { return languageId_; }
  void SetLanguageId(int languageId);
  int Charset() const { return charset_; }
  void SetCharset(int charset);
  const std::string& Name() const { return name_; }
  // Whether the last load that cleared the glossary read compressed data.
  bool IsCompressed() const { return compressed_; }
  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  std::size_t TermCount() const;
  // The list a source text belongs to: its first byte, "a".."z" upper-cased (0 for an empty text).
  static std::uint8_t ListIndex(std::string_view source);
  const std::vector<std::unique_ptr<CTGlosTerm>>& List(std::uint8_t index) const {
    return lists_[index];
  }

 private:
  bool ReadTerms(CTLLByteIO& in, int version, bool allowEmptyTranslations, bool& added);

  std::array<std::vector<std::unique_ptr<CTGlosTerm>>, 256> lists_;
  std::int32_t languageId_ = 0;
  std::uint8_t charset_ = 0;
  std::string name_;
  bool compressed_;
  bool modified_ = false;
};
