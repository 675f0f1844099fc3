#include "i18n/MessageLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Appends the wrapped lines of one paragraph (no line breaks in it).
void WrapParagraph(std::string_view paragraph, int width, const CTTextMeasure& measure,
                   std::vector<std::string>& lines) {
  while (!paragraph.empty()) {
    if (measure.Width(paragraph) <= width) {
      lines.emplace_back(paragraph);
      return;
    }
    // The longest prefix that fits, at least one character.
    std::size_t fits = 1;
    while (fits < paragraph.size() && measure.Width(paragraph.substr(0, fits + 1)) <= width) {
      ++fits;
    }
    // Broken at the last space within it, when there is one.
    const std::size_t space = paragraph.substr(0, fits + 1).rfind(' ');
    if (space != std::string_view::npos && space > 0) {
      lines.emplace_back(paragraph.substr(0, space));
      paragraph.remove_prefix(space + 1);
    } else {
      lines.emplace_back(paragraph.substr(0, fits));
      paragraph.remove_prefix(fits);
    }
  }
}

}  // namespace

std::vector<std::string> WrapText(std::string_view text, int width, const CTTextMeasure& measure) {
  std::vector<std::string> lines;
  for (;;) {
    const std::size_t end = text.find('\n');
    std::string_view paragraph = text.substr(0, end);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    if (paragraph.empty()) {
      lines.emplace_back();
    } else {
      WrapParagraph(paragraph, width, measure, lines);
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

LTMessageBoxLayout LayoutMessageBox(std::string_view text, bool icon, int buttonRowWidth,
                                    int buttonRowHeight, const CTTextMeasure& measure,
                                    const LTMessageBoxMetrics& metrics) {
  LTMessageBoxLayout layout;
  const int iconPart = icon ? metrics.iconSize + metrics.margin : 0;
  layout.textLeft = metrics.margin + iconPart;
  const int available = std::max(1, metrics.startWidth - 2 * metrics.margin - iconPart);
  layout.lines = WrapText(text, available, measure);
  for (const std::string& line : layout.lines) {
    layout.textWidth = std::max(layout.textWidth, measure.Width(line));
  }
  const int minimum = static_cast<int>(std::lround(metrics.minimumWidth * metrics.scale));
  layout.clientWidth = std::max({layout.textWidth + 2 * metrics.margin + iconPart,
                                 buttonRowWidth + 2 * metrics.margin, minimum});
  const int textHeight = static_cast<int>(layout.lines.size()) * measure.LineHeight();
  layout.clientHeight = metrics.margin + std::max(textHeight, icon ? metrics.iconSize : 0) +
                        metrics.margin + buttonRowHeight + metrics.margin;
  return layout;
}
