#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "I18nTestFixture.h"
#include "i18n/Placeholders.h"
#include "platform/CodePage.h"
#include "support/TestSupport.h"

using testsupport::Ansi;

namespace {

// A source that answers every number of its range with a fixed tag and the number.
TMsgTextSource TaggedSource(std::string tag, int charset = 0) {
  return [tag, charset](int number, int& outCharset, std::string& text) {
    outCharset = charset;
    text = tag + std::to_string(number);
  };
}

struct PlaceholderCase {
  const char* text;
  std::vector<std::string> list;
  const char* expected;
};

class PlaceholderTest : public ::testing::TestWithParam<PlaceholderCase> {};

TEST_P(PlaceholderTest, FillsInOrderAndStopsAtTheFirstGap) {
  const PlaceholderCase& c = GetParam();
  CTMsgList list;
  for (const std::string& s : c.list) list.Add(s);
  EXPECT_EQ(FillPlaceholders(c.text, list), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceholderTest,
    ::testing::Values(
        PlaceholderCase{"$2 from $1 exceeds $3", {"A", "B", "C"}, "B from A exceeds C"},
        PlaceholderCase{"keeps $2", {"A", "B"}, "keeps $2"},        // no $1: stop
        PlaceholderCase{"$1 and $3", {"A", "B", "C"}, "A and $3"},  // no $2: stop
        PlaceholderCase{"$1 $2", {"A"}, "A $2"},                    // list too short
        PlaceholderCase{"$1 $1", {"A"}, "A $1"},                    // first only
        PlaceholderCase{"$1", {}, "$1"},                            // no list
        PlaceholderCase{
            "$1$2$3$4$5$6$7$8$9", {"a", "b", "c", "d", "e", "f", "g", "h", "i"}, "abcdefghi"},
        PlaceholderCase{"$10", {"X"}, "X0"},      // "$1" then "0"
        PlaceholderCase{"$1", {"$2", "B"}, "B"},  // filled text
        PlaceholderCase{"$1!", {""}, "!"}));

TEST_F(I18nTest, FillsTheMessagesOfTheCatalogue) {
  EXPECT_EQ(TBaseMsg::GetText(-1, {"C:/data/a.qrn"}), Ansi("Файл C:/data/a.qrn не найден"));
  EXPECT_EQ(TBaseMsg::GetText(10027, {"R1", "52 m", "50 m"}),
            "The equivalent length 52 m from R1 to outdoor unit exceeds 50 m");
}

TEST_F(I18nTest, UnregisteredNumbersGiveAnEmptyTextAndCharsetZero) {
  for (int number : {200, 7, 4999, 5027, 9999, 10122, -9, -101}) {
    int charset = 99;
    std::string text = "stale";
    TBaseMsg::GetText(number, charset, text);
    EXPECT_EQ(text, "") << number;
    EXPECT_EQ(charset, 0) << number;
    charset = 99;
    EXPECT_EQ(TBaseMsg::GetText(number, {"x"}, charset), "") << number;
    EXPECT_EQ(charset, 0) << number;
  }
}

TEST_F(I18nTest, FreeTextJoinsTheListWithoutFillingIt) {
  CTMsgList list;
  list.Add("Saved $1 ", kCyrillicCharset);
  list.Add("to $2");
  int charset = 0;
  EXPECT_EQ(TBaseMsg::GetText(TBaseMsg::kFreeText, list, charset), "Saved $1 to $2");
  EXPECT_EQ(charset, kCyrillicCharset);

  charset = 99;
  EXPECT_EQ(TBaseMsg::GetText(TBaseMsg::kFreeText, {}, charset), "");
  EXPECT_EQ(charset, 0);
}

struct OverlapCase {
  int first;
  int last;
  bool registered;
};

class RegisterRangeTest : public I18nTest, public ::testing::WithParamInterface<OverlapCase> {};

// Against a registered range 100..199: a range is refused when one of its bounds lies inside a
// registered range; a range that encloses one is accepted and, being newer, serves first.
TEST_P(RegisterRangeTest, RefusesABoundInsideARegisteredRange) {
  const OverlapCase& c = GetParam();
  ASSERT_TRUE(TBaseMsg::RegisterRange(TaggedSource("old"), 100, 199));
  const std::size_t before = TBaseMsg::Ranges().size();
  EXPECT_EQ(TBaseMsg::RegisterRange(TaggedSource("new"), c.first, c.last), c.registered);
  EXPECT_EQ(TBaseMsg::Ranges().size(), before + (c.registered ? 1 : 0));
  EXPECT_EQ(TBaseMsg::Ranges().front().First(), c.registered ? c.first : 100);
  if (c.registered) {
    EXPECT_EQ(TBaseMsg::GetText(c.first, {}), "new" + std::to_string(c.first));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RegisterRangeTest,
                         ::testing::Values(OverlapCase{150, 250, false},    // first inside
                                           OverlapCase{50, 100, false},     // last on a bound
                                           OverlapCase{199, 300, false},    // first on a bound
                                           OverlapCase{120, 130, false},    // both inside
                                           OverlapCase{50, 99, true},       // just below
                                           OverlapCase{200, 300, true},     // just above
                                           OverlapCase{50, 300, true},      // encloses
                                           OverlapCase{300, 250, false}));  // reversed

TEST_F(I18nTest, ANewerEnclosingRangeServesTheNumbersOfTheOlderOne) {
  ASSERT_TRUE(TBaseMsg::RegisterRange(TaggedSource("old"), 100, 199));
  ASSERT_TRUE(TBaseMsg::RegisterRange(TaggedSource("new", 7), 50, 300));
  int charset = 0;
  EXPECT_EQ(TBaseMsg::GetText(150, {}, charset), "new150");
  EXPECT_EQ(charset, 7);
}

TEST_F(I18nTest, ASourceMayLookUpOtherMessages) {
  ASSERT_TRUE(TBaseMsg::RegisterRange(
      [](int, int& charset, std::string& text) {
        text = TBaseMsg::GetText(-1, {"$1"});  // a nested look-up must not dead-lock
        charset = 1;
      },
      300, 300));
  EXPECT_EQ(TBaseMsg::GetText(300, {"x.qrn"}), Ansi("Файл x.qrn не найден"));
}

TEST_F(I18nTest, RegistersAndLooksUpFromSeveralThreads) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 50; ++i) {
        const int first = 20000 + (t * 50 + i) * 10;
        TBaseMsg::RegisterRange(TaggedSource("t"), first, first + 9);
        EXPECT_EQ(TBaseMsg::GetText(first + 5, {}), "t" + std::to_string(first + 5));
        EXPECT_EQ(TBaseMsg::GetText(-4, {}), Ansi("Только для чтения"));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(TBaseMsg::Ranges().size(), 4u + 200u);
}

TEST_F(I18nTest, ResetKeepsOnlyTheMessageUnitsOwnRange) {
  TBaseMsg::ResetRanges();
  const std::vector<CTStringObtain> ranges = TBaseMsg::Ranges();
  ASSERT_EQ(ranges.size(), 1u);
  EXPECT_EQ(ranges[0].First(), kBaseMsgFirst);
  EXPECT_EQ(ranges[0].Last(), kBaseMsgLast);
  EXPECT_EQ(TBaseMsg::GetText(0, {}), "");
}

}  // namespace
