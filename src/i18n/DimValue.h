#pragma once

#include <functional>
#include <string>

#include "i18n/Units.h"

// The dimensioned value control without its widgets: a value held in the dimension's base unit,
// shown in a display unit with that unit's decimals, typed text filtered as it is typed and read
// back in the base unit, and the display unit followed when the user's choice changes while the
// control exists. The desktop program's control binds its title, unit label and edit box to it.
class CTDimValue {
 public:
  CTDimValue() = default;
  ~CTDimValue();
  CTDimValue(const CTDimValue&) = delete;
  CTDimValue& operator=(const CTDimValue&) = delete;

  // The dimension: the control then listens to its display unit and shows the value in it.
  void SetUnitId(U_RepUnit dimension);
  U_RepUnit UnitId() const { return dimension_; }
  // The unit the value is shown in; the unit label and the text follow.
  void SetDimId(int unit);
  int DimId() const { return unit_; }
  // The unit label's text ("Unit" until a dimension is set).
  std::string UnitName() const;

  // The value in the base unit: setting it raises the change notice and rewrites the text;
  // reading it takes what is typed now.
  void SetValue(double base);
  double Value() const;
  double ValueDisplayed() const { return displayed_; }
  // The edit box's text (CP1251).
  const std::string& Text() const { return text_; }
  bool Modified() const { return modified_; }

  // The user changed the text to typed with the caret at caret: the text is filtered as numbers
  // are typed and caret moved with it.
  void Type(const std::string& typed, int& caret);
  // The user left the edit box: what is typed becomes the value, shown in the display format.
  void Leave();

  // Raised whenever the value is set.
  std::function<void()> onChange;
  // Raised when the text or the unit label must be shown again.
  std::function<void()> onDisplay;

 private:
  void Show();

  U_RepUnit dimension_ = U_None;
  bool listening_ = false;
  int unit_ = 0;
  double value_ = 0;
  double displayed_ = 0;
  std::string text_;
  bool modified_ = false;
};
