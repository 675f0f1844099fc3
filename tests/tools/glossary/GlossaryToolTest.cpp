#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "i18n/Glossary.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

using testsupport::Ansi;
using testsupport::TempDir;

namespace {

int Tool(const std::string& args, std::string* output = nullptr) {
  return testsupport::RunCommand(std::string(QRN_GLOSSARY_TOOL_PATH) + " " + args, output);
}

// Loads glossaries as the program does: compressed behind "Q3T".
class GlossaryToolTest : public ::testing::Test {
 protected:
  void SetUp() override { CTGlossary::SetCompression(true, kCompressedMagic); }
  void TearDown() override { CTGlossary::SetCompression(false, ""); }
};

std::string Expanded(const std::string& packed) {
  CTMemoryStream source(packed);
  CTCompressedTextReader reader;
  EXPECT_TRUE(reader.Open(source, kCompressedMagic));
  EXPECT_TRUE(reader.IsCompressed());
  CTMemoryStream text;
  CopyStream(reader.Text(), text);
  return text.Text();
}

}  // namespace

TEST_F(GlossaryToolTest, CompilesTheSourceIntoACompressedVersion3Glossary) {
  TempDir dir;
  std::string output;
  ASSERT_EQ(
      Tool(dir.File("out.gls") + " " + testsupport::DataPath("i18n/glossary-source.tsv"), &output),
      0)
      << output;
  const std::string packed = testsupport::ReadFile(dir.File("out.gls"));
  ASSERT_EQ(packed.substr(0, 3), "Q3T");

  CTGlossary glossary;
  CTMemoryStream stream(packed);
  ASSERT_TRUE(glossary.Load(stream, true, "Glossary"));
  EXPECT_TRUE(glossary.IsCompressed());
  EXPECT_EQ(glossary.LanguageId(), 0);
  EXPECT_EQ(glossary.Charset(), 0);
  EXPECT_EQ(glossary.TermCount(), 6u);
  const CTGlosTranslation twoWay = glossary.Translate("2-way");
  EXPECT_EQ(twoWay.text, Ansi("2-ходовой"));
  EXPECT_EQ(twoWay.charset, 204);
  EXPECT_EQ(glossary.Translate("1 1/2\"").text, "1 1/2\"");
  EXPECT_EQ(glossary.Translate("Ducted ").text, Ansi("Канальный "));
  EXPECT_EQ(glossary.Translate("Ducted").text, "");
  for (int index = 0; index < 256; ++index) {
    for (const auto& term : glossary.List(static_cast<std::uint8_t>(index))) {
      EXPECT_EQ(term->sourceCharset, 0) << term->source;
      EXPECT_EQ(term->translationCharset, 204) << term->source;
    }
  }
  // The file holds exactly what the glossary writer writes: version 3, one-byte lengths.
  CTMemoryStream rewritten;
  glossary.Write(rewritten);
  EXPECT_EQ(Expanded(packed), rewritten.Text());
}

TEST_F(GlossaryToolTest, SourceFaultsAreReportedWithFileAndLine) {
  struct Case {
    const char* what;
    std::string text;
    int line;
    const char* message;
  };
  const Case cases[] = {
      {"no tab", "# c\nA\ta\nB b\n", 3, "expected source<TAB>translation"},
      {"two tabs", "A\ta\tb\n", 1, "more than one tab"},
      {"empty source", "\ta\n", 1, "empty source text"},
      {"empty translation", "A\t\r\n", 1, "empty translation"},
      {"duplicate", "A\ta\r\n\r\nA\tb\r\n", 3, "given again (first on line 1)"},
      {"outside CP1251", "A\t\xE4\xB8\xAD\n", 1, "translation is not CP1251"},
      {"invalid UTF-8", "\xFF\ta\n", 1, "source text is not CP1251"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string in = dir.File("in.tsv");
    const std::string out = dir.File("out.gls");
    testsupport::WriteFile(in, c.text);
    testsupport::WriteFile(out, "previous");
    std::string output;
    EXPECT_EQ(Tool(out + " " + in, &output), 1) << c.what;
    const std::string prefix = in + ":" + std::to_string(c.line) + ": ";
    EXPECT_EQ(output.rfind(prefix, 0), 0u) << c.what << ": " << output;
    EXPECT_NE(output.find(c.message), std::string::npos) << c.what << ": " << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << c.what;
    EXPECT_EQ(testsupport::ReadFile(out), "previous") << c.what;
  }
}

TEST_F(GlossaryToolTest, CommandLineAndFileErrors) {
  TempDir dir;
  std::string output;
  EXPECT_EQ(Tool(dir.File("out.gls"), &output), 2);
  EXPECT_NE(output.find("usage"), std::string::npos);
  EXPECT_EQ(Tool(dir.File("out.gls") + " " + dir.File("missing.tsv"), &output), 1);
  EXPECT_EQ(output.rfind(dir.File("missing.tsv") + ": ", 0), 0u) << output;
  EXPECT_FALSE(testsupport::FileExists(dir.File("out.gls")));
  // A source with a byte-order mark, CR LF lines and no final line end.
  testsupport::WriteFile(dir.File("in.tsv"), "\xEF\xBB\xBFSplit\t\xD0\xA1\r\nFan\tx");
  ASSERT_EQ(Tool(dir.File("out.gls") + " " + dir.File("in.tsv"), &output), 0) << output;
  CTGlossary glossary;
  CTMemoryStream stream(testsupport::ReadFile(dir.File("out.gls")));
  ASSERT_TRUE(glossary.Load(stream, true, "x"));
  EXPECT_EQ(glossary.Translate("Split").text, Ansi("С"));
  EXPECT_EQ(glossary.Translate("Fan").text, "x");
  EXPECT_EQ(Tool(dir.File("no-such-folder/out.gls") + " " + dir.File("in.tsv"), &output), 1);
  EXPECT_EQ(output.rfind(dir.File("no-such-folder/out.gls") + ": ", 0), 0u) << output;
}
