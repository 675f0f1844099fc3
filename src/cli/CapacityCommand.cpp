#include "cli/CapacityCommand.h"

#include <charconv>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "cli/CliCatalogue.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/FloatText.h"
#include "physics/MoistAir.h"
#include "platform/CodePage.h"

namespace {

const char kCapacityUsage[] =
    "usage: qrnsolvo-cli capacity --model NAME --mode cool|heat --indoor-db T [--indoor-rh RH]\n"
    "         --outdoor T [--index CI] [--length L] [--height H] [--altitude M]\n"
    "         [--catalogue FILE] [--json]\n";

// The messages that explain statuses 1 to 4.
constexpr int kMsgFirstStatus = 10051;

std::optional<double> Number(const std::string& text) {
  const auto value = ParseStoreFloat(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::string Shown(double value, int decimals) {
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, result.ptr);
}

// Whole metres as the piping correction takes them, rounded half away from zero.
int WholeMetres(double metres) {
  return static_cast<int>(std::lround(std::clamp(metres, -1.0e6, 1.0e6)));
}

struct LTCapacityArgs {
  std::map<std::string, double> numbers;
  std::string model;
  std::string mode;
  std::string catalogue;
  bool json = false;
};

// Reads the options; false (usage printed) when they are not understood.
bool ParseArgs(const std::vector<std::string>& args, LTCapacityArgs& parsed, std::ostream& err) {
  static const char* const numeric[] = {"--indoor-db", "--indoor-rh", "--outdoor", "--index",
                                        "--length",    "--height",    "--altitude"};
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--json") {
      parsed.json = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      err << kCapacityUsage;
      return false;
    }
    const std::string& value = args[++i];
    if (option == "--model") {
      parsed.model = value;
    } else if (option == "--mode") {
      parsed.mode = value;
    } else if (option == "--catalogue") {
      parsed.catalogue = value;
    } else if (std::find(std::begin(numeric), std::end(numeric), option) != std::end(numeric)) {
      const auto number = Number(value);
      if (!number) {
        err << "qrnsolvo-cli: " << option << " needs a number, not '" << value << "'\n";
        return false;
      }
      parsed.numbers[option.substr(2)] = *number;
    } else {
      err << kCapacityUsage;
      return false;
    }
  }
  const bool cooling = parsed.mode == "cool";
  if (parsed.model.empty() || (!cooling && parsed.mode != "heat") ||
      !parsed.numbers.count("indoor-db") || !parsed.numbers.count("outdoor") ||
      (cooling && !parsed.numbers.count("indoor-rh"))) {
    err << kCapacityUsage;
    return false;
  }
  return true;
}

}  // namespace

int RunCapacityCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  LTCapacityArgs a;
  if (!ParseArgs(args, a, err)) return 2;
  auto number = [&](const char* name, double otherwise) {
    const auto it = a.numbers.find(name);
    return it == a.numbers.end() ? otherwise : it->second;
  };
  const bool cooling = a.mode == "cool";
  const double indoorDb = number("indoor-db", 0.0);
  const double indoorRh = number("indoor-rh", 50.0);
  const double outdoor = number("outdoor", 0.0);
  const int length = WholeMetres(number("length", 0.0));
  const int height = WholeMetres(number("height", 0.0));
  const TAir air(number("altitude", 0.0));

  CTCliCatalogue catalogue(err);
  if (!catalogue.Open(a.catalogue)) return 1;
  Cls_OutdoorUnit* unit = catalogue.FindOutdoorUnit(a.model);
  if (!unit) {
    err << "qrnsolvo-cli: no outdoor model '" << a.model << "' in the catalogue\n";
    return 1;
  }
  const double indexAt100 = unit->GetCapacityIndexAt(100.0);
  const double index = number("index", indexAt100);

  int status = kCapacityOk;
  const double capacity =
      unit->GetCapacityAt(cooling, indoorDb, indoorRh, outdoor, 0.0, index, air, status);
  const double power = unit->GetPowerInputAt(cooling, indoorDb, indoorRh, outdoor, 0.0, index, air);
  const TVarCapList& table =
      unit->GetCapVariationTable(cooling ? kVariationCooling : kVariationHeating);
  const double piping = unit->GetPipingCorrection(table, length, height);
  const double defrost = cooling ? 1.0 : unit->GetDefrostFactor(outdoor);
  std::string statusText;
  if (status >= kCapacityOutsideCoolingEnvelope && status <= kCapacityOutsideHeatingTable) {
    statusText = Utf8FromCp1251(TBaseMsg::GetText(kMsgFirstStatus + status - 1, CTMsgList{}));
  } else if (status == kCapacityAboveLastCurve) {
    statusText = "outdoor temperature above the last curve";
  }

  nlohmann::json result;
  result["model"] = Utf8FromCp1251(unit->Name());
  result["mode"] = cooling ? "cool" : "heat";
  result["indoor_db_C"] = indoorDb;
  result["indoor_rh_pct"] = indoorRh;
  if (cooling) result["indoor_wb_C"] = air.WetBulbTemperature(indoorDb, indoorRh);
  result["outdoor_C"] = outdoor;
  result["capacity_index"] = index;
  result["index_at_100"] = indexAt100;
  result["combination_pct"] = indexAt100 > 0.0 ? 100.0 * index / indexAt100 : 0.0;
  result["capacity_kW"] = capacity;
  result["power_input_kW"] = power;
  result["status"] = status;
  result["status_text"] = statusText;
  result["length_m"] = length;
  result["height_m"] = height;
  result["piping_factor"] = piping;
  result["defrost_factor"] = defrost;
  result["corrected_capacity_kW"] = capacity * piping;
  if (a.json) {
    out << result.dump(2) << '\n';
    return 0;
  }
  out << "model              " << result["model"].get<std::string>() << '\n'
      << "mode               " << (cooling ? "cooling" : "heating") << '\n'
      << "indoor             " << Shown(indoorDb, 1) << " °C";
  if (cooling) {
    out << ", " << Shown(indoorRh, 0) << " % (wet bulb "
        << Shown(result["indoor_wb_C"].get<double>(), 1) << " °C)";
  }
  out << '\n'
      << "outdoor            " << Shown(outdoor, 1) << " °C\n"
      << "capacity index     " << Shown(index, 1) << " ("
      << Shown(result["combination_pct"].get<double>(), 0) << " % of " << Shown(indexAt100, 1)
      << ")\n"
      << "capacity           " << Shown(capacity, 2) << " kW"
      << (cooling ? "" : " (defrost included)") << '\n'
      << "power input        " << Shown(power, 2) << " kW\n"
      << "status             " << status << (statusText.empty() ? "" : " " + statusText) << '\n'
      << "piping factor      " << Shown(piping, 4) << " (" << length << " m, level " << height
      << " m)\n"
      << "defrost factor     " << Shown(defrost, 4) << '\n'
      << "with piping        " << Shown(capacity * piping, 2) << " kW\n";
  return 0;
}
