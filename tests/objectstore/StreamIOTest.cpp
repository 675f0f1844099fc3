#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "objectstore/StreamIO.h"
#include "objectstore/TextWriter.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

namespace {

// A reader over a fixed text, owning its stream.
struct Reader {
  explicit Reader(const std::string& text) : stream(text), io(stream) {}
  CTMemoryStream stream;
  CTStreamIO io;
};

std::string Written(void (*write)(CTTextWriter&)) {
  CTMemoryStream target;
  {
    CTTextWriter writer(target);
    write(writer);
    writer.Flush();
  }
  return target.Text();
}

}  // namespace

TEST(StreamIO, EndOfDataReadsAsZero) {
  Reader r("ab");
  EXPECT_EQ(r.io.ReadByte(), 'a');
  EXPECT_EQ(r.io.ReadByte(), 'b');
  EXPECT_TRUE(r.io.AtEnd());
  EXPECT_EQ(r.io.ReadByte(), 0);
  EXPECT_EQ(r.io.ReadInteger(), 0);
}

TEST(StreamIO, IntegerTokens) {
  Reader r("  12 -7\r\n0\t3x 4;5");
  EXPECT_EQ(r.io.ReadInteger(), 12);
  EXPECT_EQ(r.io.ReadInteger(), -7);
  EXPECT_EQ(r.io.ReadInteger(), 0);
  // Bytes from "0" upwards count as digits: "x" is 'x' - 48 = 72.
  EXPECT_EQ(r.io.ReadInteger(), 3 * 10 + 72);
  EXPECT_EQ(r.io.ReadInteger(), (4 * 10 + 11) * 10 + 5);  // ";" (59) counts as the digit 11
}

TEST(StreamIO, IntegerOverflowWrapsModulo32Bits) {
  Reader r("2147483647 4294967297 -2147483648 99999999999999999999999999999999");
  EXPECT_EQ(r.io.ReadInteger(), 2147483647);
  EXPECT_EQ(r.io.ReadInteger(), 1);
  EXPECT_EQ(r.io.ReadInteger(), -2147483647 - 1);
  const std::uint32_t expected = [] {
    std::uint32_t v = 0;
    for (int i = 0; i < 32; ++i) v = v * 10u + 9u;
    return v;
  }();
  EXPECT_EQ(r.io.ReadInteger(), static_cast<std::int32_t>(expected));
}

TEST(StreamIO, FloatTokens) {
  Reader r("1E-5 0.00001 1,5 199.9\r\n-3 abc");
  EXPECT_DOUBLE_EQ(r.io.ReadFloat(), 0.00001);
  EXPECT_DOUBLE_EQ(r.io.ReadFloat(), 0.00001);
  EXPECT_EQ(r.io.ReadFloat(), -1.0);
  EXPECT_DOUBLE_EQ(r.io.ReadFloat(), 199.9);
  EXPECT_EQ(r.io.ReadFloat(), -3.0);
  EXPECT_EQ(r.io.ReadFloat(), -1.0);
}

TEST(StreamIO, FloatTokenStopsAfterSixtyThreeBytes) {
  Reader r(std::string(63, '1') + "5 7");
  EXPECT_EQ(r.io.ReadFloat(), std::stod(std::string(63, '1')));
  EXPECT_EQ(r.io.ReadFloat(), 5.0);  // the 64th byte starts the next token
  EXPECT_EQ(r.io.ReadFloat(), 7.0);
}

TEST(StreamIO, RawStrings) {
  Reader r("5 18 TBL_BHJCombination 74");
  std::string name;
  EXPECT_EQ(r.io.ReadInteger(), 5);
  ASSERT_TRUE(r.io.ReadRawString(name));
  EXPECT_EQ(name, "TBL_BHJCombination");
  EXPECT_EQ(r.io.ReadInteger(), 74);

  Reader shortData("10 abc");
  EXPECT_FALSE(shortData.io.ReadRawString(name));
  Reader negative("-3 abc");
  EXPECT_FALSE(negative.io.ReadRawString(name));
}

TEST(StreamIO, EscapedStringsRoundTrip) {
  const std::string values[] = {"",
                                "plain",
                                "line\r\nbreak",
                                "back\\slash",
                                std::string("\0\x1F\x7F", 3),
                                "\xCF\xF0\xEE\xE5\xEA\xF2"};
  CTMemoryStream stream;
  {
    CTTextWriter writer(stream);
    for (const auto& v : values) {
      writer.WriteEscapedString(v);
      writer.WriteChar(' ');
    }
    writer.Flush();
  }
  stream.Seek(0, CTStream::Origin::Begin);
  CTStreamIO io(stream);
  for (const auto& v : values) {
    std::string back;
    ASSERT_TRUE(io.ReadEscapedString(back));
    EXPECT_EQ(back, v);
  }
}

TEST(StreamIO, EscapedStringForm) {
  EXPECT_EQ(EscapeStoreString("a\r\nb"), "a\\0D\\0Ab");
  EXPECT_EQ(EscapeStoreString("\\"), "\\5C");
  EXPECT_EQ(Written([](CTTextWriter& w) { w.WriteEscapedString("a\r\nb"); }), "8 a\\0D\\0Ab");
  // An empty value followed by the record's separating space reads "0" and two spaces.
  EXPECT_EQ(Written([](CTTextWriter& w) {
              w.WriteEscapedString("");
              w.WriteChar(' ');
            }),
            "0  ");
}

TEST(StreamIO, EscapedStringLengthCountsEncodedCharacters) {
  std::string value;
  Reader crlf("6 \\0D\\0A 9");
  ASSERT_TRUE(crlf.io.ReadEscapedString(value));
  EXPECT_EQ(value, "\r\n");
  EXPECT_EQ(crlf.io.ReadInteger(), 9);

  // Lower-case hex is not a valid escape digit: 'a' counts as 97 - 55 = 42.
  Reader lower("3 \\0a");
  ASSERT_TRUE(lower.io.ReadEscapedString(value));
  EXPECT_EQ(value, std::string(1, static_cast<char>(42)));

  // A backslash among the last two encoded characters is taken literally.
  Reader tail("2 x\\ 7");
  ASSERT_TRUE(tail.io.ReadEscapedString(value));
  EXPECT_EQ(value, "x\\");
  EXPECT_EQ(tail.io.ReadInteger(), 7);
}

TEST(StreamIO, HugeLengthPrefixFailsWithoutAllocating) {
  std::string value;
  Reader r("2000000000 abc");
  EXPECT_FALSE(r.io.ReadEscapedString(value));
  EXPECT_LE(value.capacity(), 64u);
  Reader raw("2000000000 abc");
  EXPECT_FALSE(raw.io.ReadRawString(value));
  Reader negative("-5 abc");
  EXPECT_FALSE(negative.io.ReadEscapedString(value));
}

TEST(StreamIO, HeaderLine) {
  struct Case {
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      {"EDI100\r\n5", true},  {"EDI100", true},       {"EDI101\r\n", false}, {"EDI099\r\n", false},
      {"edi100\r\n", false},  {"EDI1000\r\n", false}, {"EDI10\r\n", false},  {"", false},
      {"XEDI100\r\n", false}, {"EDI1:0\r\n", false},
  };
  for (const auto& c : cases) {
    Reader r(c.text);
    EXPECT_EQ(r.io.ReadHeader("EDI", 100, 100), c.accepted) << c.text;
  }
  Reader r("EDI100\r\n5");
  int version = 0;
  ASSERT_TRUE(r.io.ReadHeader("EDI", 100, 100, &version));
  EXPECT_EQ(version, 100);
  EXPECT_EQ(r.io.ReadInteger(), 5);  // the LF is skipped as whitespace
  EXPECT_EQ(Written([](CTTextWriter& w) { w.WriteHeader("EDI", 100); }), "EDI100\r\n");
}

TEST(StreamIO, SkipLinesCountsCarriageReturns) {
  Reader r("a b\r\nc\r\nd e\r\n2 7");
  ASSERT_TRUE(r.io.SkipLines(3));
  EXPECT_EQ(r.io.ReadInteger(), 2);
  Reader shortData("a\r\nb");
  EXPECT_FALSE(shortData.io.SkipLines(3));
}

TEST(StreamIO, TokensSpanBufferRefills) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += std::to_string(i) + " 5 x\\5Cy ";
  Reader r(text);
  std::string value;
  for (int i = 0; i < 20000; ++i) {
    ASSERT_EQ(r.io.ReadInteger(), i);
    ASSERT_TRUE(r.io.ReadEscapedString(value));
    ASSERT_EQ(value, "x\\y");
  }
}

TEST(CompressedWrapper, DetectsTheMagic) {
  const std::string plain = "EDI100\r\n0\r\n";
  CTMemoryStream packed;
  {
    CTCompressedTextWriter writer(packed, kCompressedMagic);
    writer.Text().WriteAll(plain);
    writer.Finish();
  }
  EXPECT_EQ(packed.Text().substr(0, 3), "Q3T");

  struct Case {
    std::string bytes;
    bool compressed;
  };
  const Case cases[] = {
      {packed.Text(), true}, {plain, false}, {"Q3", false}, {"Q3X" + plain, false}};
  for (const auto& c : cases) {
    CTMemoryStream source(c.bytes);
    CTCompressedTextReader reader;
    ASSERT_TRUE(reader.Open(source, kCompressedMagic));
    EXPECT_EQ(reader.IsCompressed(), c.compressed);
    CTMemoryStream text;
    CopyStream(reader.Text(), text);
    EXPECT_EQ(text.Text(), c.compressed ? plain : c.bytes);
  }

  // With compression off the text is written and read plain, also when it starts with the magic.
  CTMemoryStream source(packed.Text());
  CTCompressedTextReader reader;
  ASSERT_TRUE(reader.Open(source, kCompressedMagic, false));
  EXPECT_FALSE(reader.IsCompressed());
}

// Walks a whole plain object-store file with the token readers: header, schema section, records.
TEST(StreamIO, TokenizesAWholeStoreFile) {
  const std::string text =
      testsupport::ReadFile(testsupport::DataPath("objectstore/sample-store.txt"));
  CTMemoryStream stream(text);
  CTStreamIO io(stream);
  ASSERT_TRUE(io.ReadHeader("EDI", 100, 100));

  std::map<int, std::vector<std::pair<std::string, int>>> schema;
  std::vector<std::string> tableNames;
  for (int tag = io.ReadInteger(); tag != 0; tag = io.ReadInteger()) {
    ASSERT_EQ(tag, 5);
    std::string name;
    ASSERT_TRUE(io.ReadRawString(name));
    const int id = io.ReadInteger();
    tableNames.push_back(name);
    for (int f = io.ReadInteger(); f != 0; f = io.ReadInteger()) {
      ASSERT_EQ(f, 5);
      ASSERT_TRUE(io.ReadRawString(name));
      schema[id].emplace_back(name, io.ReadInteger());
    }
  }
  EXPECT_EQ(tableNames, (std::vector<std::string>{"TBL_BHJCombination", "TBL_Notes"}));
  ASSERT_EQ(schema[74].size(), 5u);
  EXPECT_EQ(schema[74][3], (std::pair<std::string, int>{"BHJ_Joint_CLS_REF", 2}));

  std::vector<std::string> notes;
  std::vector<double> maxIndexes;
  for (int tag = io.ReadInteger(); tag > 0; tag = io.ReadInteger()) {
    ASSERT_EQ(tag, 2);
    const int table = io.ReadInteger();
    ASSERT_EQ(io.ReadInteger(), 2);
    const int count = io.ReadInteger();
    for (int r = 0; r < count; ++r) {
      for (const auto& [field, type] : schema[table]) {
        ASSERT_EQ(io.ReadInteger(), type) << field;
        std::string s;
        if (type == 5) {
          ASSERT_TRUE(io.ReadEscapedString(s));
          notes.push_back(s);
        } else if (type == 4 || type == 7) {
          const double v = io.ReadFloat();
          if (field == "BHJ_MaxCapIndex") maxIndexes.push_back(v);
        } else {
          io.ReadInteger();
        }
      }
    }
  }
  EXPECT_EQ(maxIndexes, (std::vector<double>{200, 400, 640, 1200}));
  EXPECT_EQ(notes, (std::vector<std::string>{"Joint kit for \r\nnew lines", "back\\slash it", ""}));
  EXPECT_TRUE(io.AtEnd() || io.ReadInteger() == 0);
}
