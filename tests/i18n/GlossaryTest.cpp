#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "i18n/Glossary.h"
#include "i18n/LangSupport.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

using testsupport::Ansi;

namespace {

// Builds glossary files byte by byte, so that tests can also write what the writer never does.
class GlossaryFile {
 public:
  explicit GlossaryFile(int version = 3, std::int32_t languageId = 0, std::uint8_t charset = 0)
      : version_(version) {
    bytes_ = "GLS";
    bytes_.push_back(static_cast<char>('0' + version));
    Int32(languageId);
    if (version == 3) Byte(charset);
  }
  GlossaryFile& Count(std::int32_t count) {
    Int32(count);
    return *this;
  }
  // One text of a term record; fourByteLength chooses the long length form.
  GlossaryFile& Text(std::uint8_t charset, const std::string& text, bool fourByteLength = false) {
    if (version_ == 3) Byte(charset);
    Byte(fourByteLength ? 1 : 0);
    if (fourByteLength) {
      Int32(static_cast<std::int32_t>(text.size()));
    } else {
      Byte(static_cast<std::uint8_t>(text.size()));
    }
    bytes_ += text;
    return *this;
  }
  GlossaryFile& Term(const std::string& source, const std::string& translation,
                     std::uint8_t translationCharset = 204) {
    return Text(0, source).Text(translationCharset, translation);
  }
  GlossaryFile& Byte(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
    return *this;
  }
  GlossaryFile& Int32(std::int32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
      Byte(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> shift));
    }
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  int version_;
  std::string bytes_;
};

bool LoadBytes(CTGlossary& glossary, const std::string& bytes, bool clearFirst = true,
               bool allowEmpty = false) {
  CTMemoryStream stream(bytes);
  return glossary.Load(stream, clearFirst, "test", allowEmpty);
}

std::string Written(const CTGlossary& glossary) {
  CTMemoryStream out;
  glossary.Write(out);
  return out.Text();
}

// The bytes in the compressed form behind a magic: the magic, then the LZSS stream.
std::string Compressed(const std::string& magic, const std::string& plain) {
  CTMemoryStream out;
  CTCompressedTextWriter writer(out, magic);
  writer.Text().WriteAll(plain.data(), plain.size());
  writer.Finish();
  return out.Text();
}

// Every test starts and ends with the class-level compression switched off.
class GlossaryTest : public ::testing::Test {
 protected:
  void SetUp() override { CTGlossary::SetCompression(false, ""); }
  void TearDown() override { CTGlossary::SetCompression(false, ""); }
};

const std::string kInch = "1 1/2\"";

}  // namespace

TEST_F(GlossaryTest, LoadsTermsWithTheirCharacterSetsAndTranslatesThroughTheInterface) {
  const std::string longText(300, 'x');
  const std::string file = GlossaryFile(3, 0, 0)
                               .Count(4)
                               .Term("2-way", Ansi("2-ходовой"))
                               .Term(kInch, kInch, 0)
                               .Text(0, "Long")
                               .Text(204, longText, true)
                               .Text(204, Ansi("Кассета"))  // a source in the Cyrillic set
                               .Text(0, "Cassette")
                               .Bytes();
  CTGlossary glossary;
  ASSERT_TRUE(LoadBytes(glossary, file));
  EXPECT_EQ(glossary.TermCount(), 4u);
  EXPECT_EQ(glossary.Name(), "test");
  EXPECT_FALSE(glossary.IsModified());

  const CTTranslator& translator = glossary;
  std::string translation;
  int charset = -1;
  ASSERT_TRUE(translator.Translate("2-way", translation, charset));
  EXPECT_EQ(translation, Ansi("2-ходовой"));
  EXPECT_EQ(charset, 204);
  ASSERT_TRUE(translator.Translate(kInch, translation, charset));
  EXPECT_EQ(translation, kInch);
  EXPECT_EQ(charset, 0);
  EXPECT_EQ(glossary.Translate("Long").text, longText);
  // Case matters, and a source in another character set is not a catalogue term.
  EXPECT_FALSE(translator.Translate("2-Way", translation, charset));
  EXPECT_FALSE(translator.Translate(Ansi("Кассета"), translation, charset));
  EXPECT_EQ(glossary.Translations(Ansi("Кассета"), 204).size(), 1u);
  EXPECT_EQ(glossary.Translations(Ansi("Кассета"), 0, true).size(), 1u);
  EXPECT_TRUE(glossary.Translations("unknown", 0, true).empty());
}

TEST_F(GlossaryTest, ListsAreChosenByTheUpperCasedFirstByte) {
  EXPECT_EQ(CTGlossary::ListIndex("cassette"), 'C');
  EXPECT_EQ(CTGlossary::ListIndex("Cassette"), 'C');
  EXPECT_EQ(CTGlossary::ListIndex(Ansi("к")), static_cast<std::uint8_t>(Ansi("к")[0]));
  CTGlossary glossary;
  glossary.AddTerm("cassette", 0, "a", 0);
  glossary.AddTerm("Cassette", 0, "b", 0);
  EXPECT_EQ(glossary.List('C').size(), 2u);
  EXPECT_EQ(glossary.Translate("cassette").text, "a");
  EXPECT_EQ(glossary.Translate("Cassette").text, "b");
}

TEST_F(GlossaryTest, AddTermWithoutDuplicates) {
  CTGlossary glossary;
  EXPECT_EQ(glossary.AddTerm("", 0, "x", 0), nullptr);
  const CTGlosTerm* first = glossary.AddTerm("Ducted", 0, "A", 204);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(glossary.AddTerm("Ducted", 0, "A", 204), first);  // the same term again
  EXPECT_EQ(glossary.AddTerm("Ducted", 0, "", 0), first);     // an empty translation
  EXPECT_EQ(glossary.TermCount(), 1u);
  // Another translation, translation character set or source character set is a new term.
  EXPECT_NE(glossary.AddTerm("Ducted", 0, "A", 0), first);
  EXPECT_NE(glossary.AddTerm("Ducted", 204, "A", 204), nullptr);
  EXPECT_EQ(glossary.TermCount(), 3u);
  glossary.AddTerm("Ducted", 0, "A", 204, false);  // duplicates allowed on request
  EXPECT_EQ(glossary.TermCount(), 4u);
}

TEST_F(GlossaryTest, ASourceWithTwoTranslationsStaysUntranslated) {
  CTGlossary glossary;
  ASSERT_TRUE(
      LoadBytes(glossary, GlossaryFile().Count(2).Term("Fan", "A").Term("Fan", "B").Bytes()));
  EXPECT_EQ(glossary.Translations("Fan", 0).size(), 2u);
  const CTGlosTranslation none = glossary.Translate("Fan");
  EXPECT_EQ(none.text, "");
  EXPECT_EQ(none.charset, 0);
  std::string translation = "kept";
  int charset = 7;
  EXPECT_FALSE(static_cast<const CTTranslator&>(glossary).Translate("Fan", translation, charset));
  EXPECT_EQ(translation, "kept");
}

TEST_F(GlossaryTest, LoadingTheSameFileTwiceAddsNoDuplicates) {
  const std::string file =
      GlossaryFile(3, 0x419, 204).Count(2).Term("A", "a").Term("B", "b").Bytes();
  CTGlossary glossary;
  ASSERT_TRUE(LoadBytes(glossary, file));
  ASSERT_TRUE(LoadBytes(glossary, file, false));
  EXPECT_EQ(glossary.TermCount(), 2u);
  EXPECT_FALSE(glossary.IsModified());  // nothing changed
  // New terms merged into a filled glossary make it modified; a clearing load does not.
  ASSERT_TRUE(
      LoadBytes(glossary, GlossaryFile(3, 0x419, 204).Count(1).Term("C", "c").Bytes(), false));
  EXPECT_EQ(glossary.TermCount(), 3u);
  EXPECT_TRUE(glossary.IsModified());
  ASSERT_TRUE(LoadBytes(glossary, file));
  EXPECT_EQ(glossary.TermCount(), 2u);
  EXPECT_FALSE(glossary.IsModified());
}

TEST_F(GlossaryTest, AFileOfAnotherLanguageIsRefusedByAFilledGlossary) {
  CTGlossary glossary;
  ASSERT_TRUE(LoadBytes(glossary, GlossaryFile(3, 0x419, 204).Count(1).Term("A", "a").Bytes()));
  const std::string other = GlossaryFile(3, 0x407, 0).Count(1).Term("B", "b").Bytes();
  EXPECT_FALSE(LoadBytes(glossary, other, false));
  EXPECT_EQ(glossary.TermCount(), 1u);
  EXPECT_EQ(glossary.LanguageId(), 0x419);
  EXPECT_EQ(glossary.Charset(), 204);
  // Language 0 in the glossary accepts any file, and clearing first always does.
  EXPECT_TRUE(LoadBytes(glossary, other));
  EXPECT_EQ(glossary.LanguageId(), 0x407);
  CTGlossary neutral;
  ASSERT_TRUE(LoadBytes(neutral, GlossaryFile(3, 0, 0).Count(1).Term("A", "a").Bytes()));
  EXPECT_TRUE(LoadBytes(neutral, other, false));
  EXPECT_EQ(neutral.TermCount(), 2u);
  EXPECT_TRUE(neutral.IsModified());
}

TEST_F(GlossaryTest, VersionTwoTakesTheGlossaryCharacterSetForEveryTerm) {
  CTGlossary glossary;
  glossary.SetCharset(204);
  ASSERT_TRUE(LoadBytes(glossary, GlossaryFile(2, 0).Count(1).Term("A", "a").Bytes()));
  EXPECT_EQ(glossary.Charset(), 0);
  const CTGlosTerm& term = *glossary.List('A').front();
  EXPECT_EQ(term.sourceCharset, 0);
  EXPECT_EQ(term.translationCharset, 0);
  EXPECT_EQ(glossary.Translate("A").text, "a");
}

TEST_F(GlossaryTest, EmptyTranslationsOnlyWhenAllowed) {
  const std::string file =
      GlossaryFile().Count(3).Term("A", "a").Term("B", "").Term("C", "c").Bytes();
  CTGlossary strict;
  EXPECT_FALSE(LoadBytes(strict, file));
  EXPECT_EQ(strict.TermCount(), 1u);  // the terms before the fault stay
  EXPECT_EQ(strict.Name(), "");
  CTGlossary lenient;
  EXPECT_TRUE(LoadBytes(lenient, file, true, true));
  EXPECT_EQ(lenient.TermCount(), 3u);
  // An empty translation is no translation for the catalogue.
  std::string translation;
  int charset = 0;
  EXPECT_FALSE(static_cast<const CTTranslator&>(lenient).Translate("B", translation, charset));
}

TEST_F(GlossaryTest, WriteAndLoadRoundTrip) {
  CTGlossary glossary;
  glossary.SetLanguageId(0x419);
  glossary.SetCharset(204);
  glossary.AddTerm("2-way", 0, Ansi("2-ходовой"), 204);
  glossary.AddTerm(kInch, 0, kInch, 0);
  glossary.AddTerm("Long", 0, std::string(256, 'y'), 204);
  glossary.AddTerm("Fan", 0, "A", 204);
  glossary.AddTerm("Fan", 0, "B", 204);
  const std::string bytes = Written(glossary);
  EXPECT_EQ(bytes.substr(0, 4), "GLS3");
  // A short text has a one-byte length: charset, kind 0, length, text.
  EXPECT_NE(bytes.find(std::string("\0\0\x05"
                                   "2-way",
                                   8)),
            std::string::npos);
  // A text over 255 bytes has a four-byte one.
  EXPECT_NE(bytes.find(std::string("\xCC\x01\x00\x01\x00\x00", 6)), std::string::npos);

  CTGlossary loaded;
  ASSERT_TRUE(LoadBytes(loaded, bytes));
  EXPECT_EQ(loaded.LanguageId(), 0x419);
  EXPECT_EQ(loaded.Charset(), 204);
  EXPECT_EQ(loaded.TermCount(), 5u);
  EXPECT_EQ(loaded.Translations("Fan", 0).size(), 2u);
  EXPECT_EQ(loaded.Translate("Long").text, std::string(256, 'y'));
  EXPECT_EQ(Written(loaded), bytes);
}

TEST_F(GlossaryTest, CompressedAndPlainInput) {
  const std::string plain = GlossaryFile().Count(1).Term("A", "a").Bytes();
  CTGlossary::SetCompression(true, "ZZ");
  ASSERT_TRUE(CTGlossary::CompressionOn());
  CTGlossary glossary;
  EXPECT_TRUE(glossary.IsCompressed());  // the class-level switch until a load says otherwise
  ASSERT_TRUE(LoadBytes(glossary, Compressed("ZZ", plain)));
  EXPECT_TRUE(glossary.IsCompressed());
  EXPECT_EQ(glossary.Translate("A").text, "a");
  // Without the magic the data is read plain from where the stream stood.
  ASSERT_TRUE(LoadBytes(glossary, plain));
  EXPECT_FALSE(glossary.IsCompressed());
  CTMemoryStream offset("junk" + plain);
  offset.Seek(4, CTStream::Origin::Begin);
  EXPECT_TRUE(glossary.Load(offset, true, "x"));
  // A magic that shares its first bytes with the signature: the stream goes back before "GL".
  CTGlossary::SetCompression(true, "GLX");
  EXPECT_TRUE(LoadBytes(glossary, plain));
  // Compression off: the magic is just a wrong signature.
  CTGlossary::SetCompression(false, "ZZ");
  EXPECT_FALSE(LoadBytes(glossary, Compressed("ZZ", plain)));
  // The switch needs a magic.
  CTGlossary::SetCompression(true, "");
  EXPECT_FALSE(CTGlossary::CompressionOn());
}

// Damaged files end the load cleanly: no crash, no allocation of what a length or count claims.
TEST_F(GlossaryTest, DamagedFilesFail) {
  struct Case {
    const char* what;
    std::string bytes;
    bool ok;
    std::size_t terms;  // terms that stay
  };
  const Case cases[] = {
      {"empty", "", false, 0},
      {"wrong signature", "GLT3" + std::string(9, '\0'), false, 0},
      {"version 4", "GLS4" + std::string(9, '\0'), false, 0},
      {"version 1", "GLS1" + std::string(9, '\0'), false, 0},
      {"no term count", GlossaryFile().Bytes(), false, 0},
      {"count 0", GlossaryFile().Count(0).Bytes(), true, 0},
      {"negative count", GlossaryFile().Count(-5).Term("A", "a").Bytes(), true, 0},
      {"count 2^31 - 1 with one term", GlossaryFile().Count(0x7FFFFFFF).Term("A", "a").Bytes(),
       false, 1},
      {"count below the terms", GlossaryFile().Count(1).Term("A", "a").Term("B", "b").Bytes(), true,
       1},
      {"empty source", GlossaryFile().Count(1).Term("", "a").Bytes(), false, 0},
      {"length kind 2", GlossaryFile().Count(1).Byte(0).Byte(2).Byte(1).Byte('A').Bytes(), false,
       0},
      {"one-byte length past the end",
       GlossaryFile().Count(1).Byte(0).Byte(0).Byte(200).Bytes() + "AB", false, 0},
      {"four-byte length 2^31 - 1",
       GlossaryFile().Count(1).Byte(0).Byte(1).Int32(0x7FFFFFFF).Bytes() + "AB", false, 0},
      {"four-byte length -1", GlossaryFile().Count(1).Byte(0).Byte(1).Int32(-1).Bytes() + "AB",
       false, 0},
      {"translation cut short", GlossaryFile().Count(1).Text(0, "A").Byte(204).Bytes(), false, 0},
  };
  for (const Case& c : cases) {
    CTGlossary glossary;
    EXPECT_EQ(LoadBytes(glossary, c.bytes), c.ok) << c.what;
    EXPECT_EQ(glossary.TermCount(), c.terms) << c.what;
  }
}

TEST_F(GlossaryTest, EveryCutOfAValidFileFails) {
  const std::string file = GlossaryFile(3, 0x419, 204)
                               .Count(2)
                               .Term("2-way", "x")
                               .Text(0, "L")
                               .Text(204, "yyy", true)
                               .Bytes();
  for (std::size_t cut = 0; cut < file.size(); ++cut) {
    CTGlossary glossary;
    EXPECT_FALSE(LoadBytes(glossary, file.substr(0, cut))) << "cut after " << cut << " bytes";
  }
  CTGlossary whole;
  EXPECT_TRUE(LoadBytes(whole, file));
}

TEST(LangSupport, LanguageNamesDropTheCountryOfTheDefaultSubLanguage) {
  EXPECT_EQ(CTLangSupport::LanguageName(0x0419), Ansi("Русский"));
  EXPECT_EQ(CTLangSupport::LanguageName(0x0419, true), Ansi("Русский"));
  EXPECT_EQ(CTLangSupport::LanguageName(0x0419, true, true), Ansi("Русский (Россия)"));
  EXPECT_EQ(CTLangSupport::LanguageName(0x0809, true), Ansi("Английский (Великобритания)"));
  EXPECT_EQ(CTLangSupport::LanguageName(0x0809), Ansi("Английский"));
  EXPECT_EQ(CTLangSupport::LanguageName(0x0414), Ansi("Норвежский, букмол"));
  EXPECT_EQ(CTLangSupport::LanguageName(0), "");
  EXPECT_EQ(CTLangSupport::LanguageName(0x7FFF, true, true), "");
}
