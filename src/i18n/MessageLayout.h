#pragma once

#include <string>
#include <string_view>
#include <vector>

// How a message box lays out its text: the window starts 640 pixels wide, the text is wrapped to
// what is left of it, and the window then shrinks to the widest line, the button row or its
// minimum width, whichever is widest. Plain logic over a text measure, so that the desktop
// program's dialog and the tests lay out alike.

// Widths and heights of text in the dialog's font (pixels); texts are CP1251.
class CTTextMeasure {
 public:
  virtual ~CTTextMeasure() = default;
  virtual int Width(std::string_view text) const = 0;
  virtual int LineHeight() const = 0;
};

struct LTMessageBoxMetrics {
  int startWidth = 640;    // the window's width before the text is wrapped
  int margin = 12;         // around the text and between the text and the buttons
  int iconSize = 32;       // the icon and its gap to the text are iconSize + margin
  int minimumWidth = 240;  // at 120 pixels per inch
  double scale = 1.0;      // the screen's pixels per inch / 120
};

struct LTMessageBoxLayout {
  std::vector<std::string> lines;
  int clientWidth = 0;
  int clientHeight = 0;
  int textLeft = 0;   // where the text starts (after the icon)
  int textWidth = 0;  // the widest line
};

// Breaks the text into lines no wider than width: at its line breaks, then a line too wide at its
// last space that fits (the space is dropped), or, without one, character by character. A line
// always keeps at least one character.
std::vector<std::string> WrapText(std::string_view text, int width, const CTTextMeasure& measure);

// The layout of a message box with or without icon above a button row of the given width and
// height.
LTMessageBoxLayout LayoutMessageBox(std::string_view text, bool icon, int buttonRowWidth,
                                    int buttonRowHeight, const CTTextMeasure& measure,
                                    const LTMessageBoxMetrics& metrics = {});
