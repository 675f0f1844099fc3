// The size texts of pipes as the piping diagram and the report print them.

#include <cmath>
#include <string>

#include "catalogue/PipingTables.h"
#include "design/PipeSizing.h"
#include "design/QsPipingNodes.h"
#include "design/ValueFormat.h"
#include "i18n/TextTrim.h"
#include "i18n/Units.h"

namespace {

// The diameter unit shows inches when it is set to its second unit.
constexpr int kDiameterInchUnit = 1;
// The short-length unit that converts millimetres to inches.
constexpr int kShortLengthInchUnit = 1;

// The inch fraction of hundredths of an inch, or null for a remainder that is no common
// fraction.
const char* InchFraction(long long hundredths) {
  switch (hundredths) {
    case 0:
      return "";
    case 12:
    case 13:
      return "1/8";
    case 25:
      return "1/4";
    case 37:
    case 38:
      return "3/8";
    case 50:
      return "1/2";
    case 62:
    case 63:
      return "5/8";
    case 75:
      return "3/4";
    case 87:
    case 88:
      return "7/8";
    default:
      return nullptr;
  }
}

// Inches as whole inches and a common fraction ("1 1/8\""), or as a decimal number of inches
// when the hundredths make no common fraction.
std::string InchText(double millimetres) {
  const double inches = CTUnitData::Convert(U_ShortLength, 0, kShortLengthInchUnit, millimetres);
  if (!std::isfinite(inches)) return FormatGeneralNumber(inches) + "\"";
  const long long n = std::llround(inches * 100);
  std::string text = n >= 100 ? std::to_string(n / 100) + " " : std::string();
  const char* fraction = InchFraction(n % 100);
  if (!fraction) return FormatGeneralNumber(static_cast<double>(n) / 100) + "\"";
  if (*fraction == '\0') return TrimText(text) + "\"";
  return text + fraction + "\"";
}

}  // namespace

std::string FormatDiameter(double millimetres, CTBaseFactory* factory) {
  const bool inches = CTUnitData::CurrentUnit(U_Appl1) == kDiameterInchUnit;
  if (Cls_Diameter* size = Cls_Diameter::FindDiameter(millimetres, factory)) {
    std::string text = inches ? size->InchString() : size->MMString();
    if (!text.empty()) return text;
  }
  return inches ? InchText(millimetres) : FormatGeneralNumber(millimetres);
}

std::string GetPipeText(const Cls_QsPipingNode& node) {
  const LTPipeSizes& sizes = node.PipeSizes();
  const bool three = sizes.pipeCount == 3;
  if (sizes.pipeCount == 0 || sizes.liquid == 0 || sizes.suctionGas == 0 ||
      (three && sizes.dischargeGas == 0)) {
    return {};
  }
  CTBaseFactory* factory = &node.Factory();
  std::string text =
      FormatDiameter(sizes.liquid, factory) + "x" + FormatDiameter(sizes.suctionGas, factory);
  if (three) text += "x" + FormatDiameter(sizes.dischargeGas, factory);
  if (sizes.reducer) text += " *";
  return text;
}
