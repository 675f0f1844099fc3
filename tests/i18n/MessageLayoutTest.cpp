#include "i18n/MessageLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every character 10 pixels wide, lines 16 high: widths can be counted on paper.
class LTFixedMeasure : public CTTextMeasure {
 public:
  int Width(std::string_view text) const override { return static_cast<int>(text.size()) * 10; }
  int LineHeight() const override { return 16; }
};

TEST(MessageLayout, WrapsAtTheLastSpaceElseByCharacter) {
  const LTFixedMeasure m;
  struct LTCase {
    const char* text;
    int width;
    std::vector<std::string> lines;
  };
  const LTCase cases[] = {
      {"short", 100, {"short"}},
      // Exactly the width fits.
      {"0123456789", 100, {"0123456789"}},
      {"one two three four", 100, {"one two", "three four"}},
      // No space: broken by character.
      {"abcdefghijklmno", 50, {"abcde", "fghij", "klmno"}},
      // A space right after the part that fits still breaks there.
      {"abcde fgh", 50, {"abcde", "fgh"}},
      {"first\nsecond line here\r\n\nend", 100, {"first", "second", "line here", "", "end"}},
      // Even a zero width keeps one character per line.
      {"ab", 0, {"a", "b"}},
  };
  for (const LTCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WrapText(c.text, c.width, m), c.lines);
  }
}

TEST(MessageLayout, TheWindowShrinksToItsTextButtonsOrMinimum) {
  const LTFixedMeasure m;
  // 640 - 24 margins - 44 icon = 572: 57 characters per line with the icon.
  const std::string longText(100, 'x');
  LTMessageBoxLayout layout = LayoutMessageBox(longText, true, 80, 25, m);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.lines[0].size(), 57u);
  EXPECT_EQ(layout.textLeft, 56);
  EXPECT_EQ(layout.clientWidth, 570 + 24 + 44);
  EXPECT_EQ(layout.clientHeight, 12 + 32 + 12 + 25 + 12);
  // A short text: at least the minimum width, scaled with the screen.
  layout = LayoutMessageBox("ok", false, 80, 25, m);
  EXPECT_EQ(layout.clientWidth, 240);
  LTMessageBoxMetrics large;
  large.scale = 1.5;
  EXPECT_EQ(LayoutMessageBox("ok", false, 80, 25, m, large).clientWidth, 360);
  // A wide button row wins.
  EXPECT_EQ(LayoutMessageBox("ok", false, 400, 25, m).clientWidth, 424);
  // Three lines without icon: the text decides the height.
  EXPECT_EQ(LayoutMessageBox("a\nb\nc", false, 80, 25, m).clientHeight, 12 + 48 + 12 + 25 + 12);
}

}  // namespace
