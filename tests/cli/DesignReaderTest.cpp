// What the design reader and builder refuse: each case one design and the one line it must give.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/CliProject.h"
#include "cli/DesignBuilder.h"
#include "cli/DesignCatalogue.h"
#include "cli/DesignReader.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

// The problems of a design as "path: message" lines: the reader's, or when it reads the design,
// the builder's on the shipped catalogue.
std::string DesignProblems(const std::string& json) {
  LTDesign design;
  LTDesignErrors errors = ReadDesign(json, design);
  std::ostringstream err;
  if (errors.empty()) {
    CTCliProject session(err);
    if (!session.Create()) return "no project: " + err.str();
    const CTDesignCatalogue catalogue(session.Factory());
    errors = BuildDesign(design, catalogue, session.Project());
  }
  std::string lines;
  for (const LTDesignError& e : errors) lines += e.path + ": " + e.message + "\n";
  return lines + err.str();
}

// The text with the first occurrence of from replaced (which must occur).
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Two automatically selected units, optionally with more keys, on one system.
std::string TwoUnits(const std::string& unitKeys = "", const std::string& systemKeys = "",
                     const std::string& series = "QOH") {
  return R"({"indoor_units": [{"name": "A", "family": "CF", "cooling": {"total_kW": 3})" +
         unitKeys + R"(}, {"name": "B", "family": "CF", "cooling": {"total_kW": 3}}],
            "systems": [{"name": "S", "series": ")" +
         series + R"(", "connections": ["A", "B"])" + systemKeys + "}]}";
}

}  // namespace

TEST(DesignReader, RefusesWhatIsNoDesignWithItsPath) {
  testsupport::TempDir dir;
  CTSettingsStore settings(dir.File("user.txt"), dir.File("machine.txt"));
  CTSettingsStore::SetProcess(&settings);

  std::string deep = R"({"systems": )";
  for (int i = 0; i < 40; ++i) deep += "[";
  for (int i = 0; i < 40; ++i) deep += "]";
  deep += "}";
  std::string deepPath = "systems";
  for (int i = 0; i < 31; ++i) deepPath += "[0]";
  std::string longList = R"({"indoor_units": [)";
  for (int i = 0; i < 10001; ++i) longList += i ? ",{}" : "{}";
  longList += "]}";
  const std::string large = R"({"project": {"name": "x"}})" + std::string(4 * 1024 * 1024, ' ');
  const std::string manualPiping =
      R"(, "manual_piping": true, "pipes": [{"to": "A", "length_m": 5}])";
  const std::string header =
      R"({"indoor_units": [{"name": "A", "family": "CF", "cooling": {"total_kW": 3}},
                           {"name": "B", "family": "CF", "cooling": {"total_kW": 3}}],
          "systems": [{"name": "S", "series": "QOH", "manual_piping": true,
                       "connections": [{"header": "H", "outlets": 4, "connections": ["A", "B"]}],
                       "pipes": [{"to": "H", "length_m": 5}, {"to": "A", "length_m": 5},
                                 {"to": "B", "length_m": 5}, {"joint": ["A", "B"], "length_m": 5}]}]})";

  const struct {
    const char* what;
    std::string json;
    std::string lines;
  } cases[] = {
      // The parse and its limits.
      {"syntax", R"({"project": {"name": "x",}})",
       "design: line 1, column 26: syntax error while parsing object key - unexpected '}'; "
       "expected string literal\n"},
      {"not an object", "[]", "design: needs an object, not a list\n"},
      {"key twice", R"({"project": {"name": "a", "name": "b"}})",
       "project.name: the key is given twice\n"},
      {"not finite", TwoUnits(R"(, "heating": {"total_kW": 1e999})"),
       "indoor_units[0].heating.total_kW: not a finite number: 1e999\n"},
      {"too deep", deep, deepPath + ": nested deeper than 32 levels\n"},
      {"too long a list", longList, "indoor_units: a list longer than 10000 elements\n"},
      {"too long a text", R"({"project": {"name": ")" + std::string(5000, 'x') + R"("}})",
       "project.name: a text longer than 4096 bytes\n"},
      {"too large", large, "design: larger than 4194304 bytes\n"},
      {"bad UTF-8", "{\"project\": {\"name\": \"\xC3\x28\"}}",
       "design: line 1, column 24: syntax error while parsing value - invalid string: "
       "ill-formed UTF-8 byte\n"},
      {"not CP1251", R"({"project": {"client": "東京"}})",
       "project.client: holds characters the program's code page (CP1251) cannot hold\n"},
      {"control character", R"({"project": {"name": "a\tb"}})",
       "project.name: holds a control character\n"},
      // Keys, types and ranges.
      {"unknown key", R"({"project": {"name": "x", "colour": "red"}})",
       "project.colour: unknown key\n"},
      {"unknown nested key", TwoUnits(R"(, "heating": {"total_kw": 3})"),
       "indoor_units[0].heating.total_kw: unknown key\n"},
      {"wrong type", TwoUnits(R"(, "options": "QRC-W1")"),
       "indoor_units[0].options: needs a list, not a text\n"},
      {"version", R"({"version": 2})", "version: needs 1, the version of this format, not 2\n"},
      {"out of range", TwoUnits(R"(, "heating": {"db_C": 25})"),
       "indoor_units[0].heating.db_C: needs a dry bulb from 0 to 24 °C, not 25\n"},
      {"not one of the words", TwoUnits("", R"(, "outdoor_level": "high")"),
       "systems[0].outdoor_level: needs \"above\", \"same\" or \"below\", not \"high\"\n"},
      {"whole number", TwoUnits("", R"(, "combination_pct": 99.5)"),
       "systems[0].combination_pct: needs a whole combination ratio from 10 to 1000 %, not "
       "99.5\n"},
      {"sensible above total",
       Replaced(TwoUnits(), R"({"total_kW": 3})", R"({"total_kW": 3, "sensible_kW": 4})"),
       "indoor_units[0].cooling.sensible_kW: needs a sensible capacity not above the total (3 "
       "kW)\n"},
      {"no load", R"({"indoor_units": [{"name": "A", "family": "CF"}]})",
       "indoor_units[0]: needs a required capacity (cooling.total_kW, cooling.sensible_kW or "
       "heating.total_kW) or a model chosen by hand\n"},
      {"first branch beyond the longest length",
       TwoUnits("", R"(, "piping_length_m": 30, "first_branch_to_indoor_m": 35)"),
       "systems[0].first_branch_to_indoor_m: the length from the first branch (35 m) exceeds the "
       "longest piping length (30 m)\n"},
      // Names and references.
      {"missing name", R"({"systems": [{"series": "QOH"}]})", "systems[0].name: is missing\n"},
      {"name twice", Replaced(TwoUnits(), R"("name": "B")", R"("name": "A")"),
       "indoor_units[1].name: the name 'A' is already used at indoor_units[0].name\n"
       "systems[0].connections[1]: no unit named 'B' in indoor_units, dx_coil_units, "
       "ventilation_units or adapter_units\n"},
      {"unknown unit", Replaced(TwoUnits(), R"(["A", "B"])", R"(["A", "C"])"),
       "systems[0].connections[1]: no unit named 'C' in indoor_units, dx_coil_units, "
       "ventilation_units or adapter_units\n"},
      {"box in a box",
       Replaced(TwoUnits(), R"(["A", "B"])", R"([{"box": "X", "connections": [{"box": "Y"}]}])"),
       "systems[0].connections[0].connections[0]: a BS box connects to the system or to a header, "
       "not to a BS box\n"},
      {"ventilation unit on a box",
       R"({"ventilation_units": [{"name": "V", "model": "QVE-500"}],
           "systems": [{"name": "S", "series": "QOR", "connections": [{"box": "X", "connections": ["V"]}]}]})",
       "systems[0].connections[0].connections[0]: ventilation and adapter units connect directly "
       "to the system\n"},
      {"header too small",
       Replaced(TwoUnits(), R"(["A", "B"])",
                R"([{"header": "H", "outlets": 4, "connections": ["A", "B", "A", "B", "A"]}])"),
       "systems[0].connections[0].connections: 5 connections on a header with 4 outlets\n"
       "systems[0].connections[0].connections[2]: 'A' is already connected at "
       "systems[0].connections[0].connections[0]\n"
       "systems[0].connections[0].connections[3]: 'B' is already connected at "
       "systems[0].connections[0].connections[1]\n"
       "systems[0].connections[0].connections[4]: 'A' is already connected at "
       "systems[0].connections[0].connections[0]\n"},
      {"pipes without manual piping", TwoUnits("", R"(, "pipes": [{"to": "A", "length_m": 5}])"),
       "systems[0].pipes: lengths per pipe are only taken with manual_piping true\n"},
      {"estimated length with manual piping",
       TwoUnits("", R"(, "manual_piping": true, "piping_length_m": 40)"),
       "systems[0].piping_length_m: is not used with manual_piping true (give the pipes' "
       "lengths)\n"},
      {"pipe to nothing", Replaced(TwoUnits("", manualPiping), R"({"to": "A")", R"({"to": "Z")"),
       "systems[0].pipes[0].to: no unit, box or header named 'Z' is connected in this system\n"},
      // What the catalogue does not hold.
      {"refrigerant", R"({"project": {"refrigerant": "R22"}})",
       "project.refrigerant: no refrigerant 'R22' in the catalogue\n"},
      {"outdoor series", TwoUnits("", "", "QOX"),
       "systems[0].series: no outdoor series 'QOX' for R410A (QOH, QOR, QOC)\n"},
      {"family", Replaced(TwoUnits(), R"("CF")", R"("XX")"),
       "indoor_units[0].family: no indoor models of family 'XX' in series 'QRN'\n"},
      {"indoor series", TwoUnits(R"(, "series": "QRN-X")"),
       "indoor_units[0].series: no indoor models of series 'QRN-X' in the catalogue\n"},
      {"model", TwoUnits(R"(, "model": "QCF-30")"),
       "indoor_units[0].model: no indoor model 'QCF-30' in the catalogue\n"},
      {"model of another family", TwoUnits(R"(, "model": "QDM-28")"),
       "indoor_units[0].model: 'QDM-28' is of family 'DM'\n"},
      {"option", TwoUnits(R"(, "options": ["QRC-W1", "QRC-W9"])"),
       "indoor_units[0].options[1]: no indoor option 'QRC-W9' in the catalogue\n"},
      {"option not offered", TwoUnits(R"(, "options": ["QRC-W1", "QDU-DM1"])"),
       "indoor_units[0].options[1]: 'QDU-DM1' is not offered for 'QCF-36', the model chosen for "
       "the loads\n"},
      {"own remote controller without one", TwoUnits(R"(, "options": ["QPN-CF1"])"),
       "indoor_units[0].remote_controller: \"own\" needs a remote controller among the options of "
       "'QCF-36' (or give \"next\", \"previous\" or \"none\")\n"},
      {"ratio of the series", TwoUnits("", R"(, "combination_pct": 40)"),
       "systems[0].combination_pct: needs a whole combination ratio from 50 to 200 % for series "
       "'QOH', not 40\n"},
      {"box in a heat pump",
       Replaced(TwoUnits(), R"(["A", "B"])", R"([{"box": "X", "connections": ["A", "B"]}])"),
       "systems[0].connections[0]: BS boxes are for heat-recovery systems\n"},
      {"header size", Replaced(header, R"("outlets": 4)", R"("outlets": 5)"),
       "systems[0].connections[0].outlets: needs 4, 6 or 8 outlets (the catalogue's headers), not "
       "5\n"},
      {"pipe too long", Replaced(TwoUnits("", manualPiping), "5}]", "170}]"),
       "systems[0].pipes[0].length_m: needs a length above 0 and at most 165 m (the longest "
       "actual length any outdoor model allows), not 170\n"},
      // The pipes of the grown tree: root -> joint(A, B).
      {"missing lengths", TwoUnits("", manualPiping),
       "systems[0].pipes: no length for the pipe to joint A / B\n"
       "systems[0].pipes: no length for the pipe to B\n"},
      {"no joint where the pipes part", header,
       "systems[0].pipes[3].joint: the pipes to 'A' and 'B' do not part at a joint\n"},
      {"a pipe twice",
       TwoUnits("", R"(, "manual_piping": true, "pipes": [{"to": "A", "length_m": 5},
                {"to": "B", "length_m": 5}, {"joint": ["A", "B"], "length_m": 5},
                {"joint": ["B", "A"], "length_m": 6}])"),
       "systems[0].pipes[3]: the pipe to joint A / B is already given at systems[0].pipes[2]\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(DesignProblems(c.json), c.lines) << c.what;

  // A complete manual design is accepted; so is the header once every pipe is named right.
  EXPECT_EQ(DesignProblems(TwoUnits("", R"(, "manual_piping": true, "pipes": [
                {"joint": ["A", "B"], "length_m": 8}, {"to": "A", "length_m": 5},
                {"to": "B", "length_m": 6}])")),
            "");
  EXPECT_EQ(DesignProblems(Replaced(header, R"(, {"joint": ["A", "B"], "length_m": 5})", "")), "");
  CTSettingsStore::SetProcess(nullptr);
}
