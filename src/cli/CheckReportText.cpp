// The text form of the check report: the report's sections as aligned tables, for reading.

#include <algorithm>
#include <ostream>

#include "cli/CheckReport.h"
#include "cli/CliText.h"

namespace {

// Columns of UTF-8 text, padded to the widest cell (counted in characters); the columns named
// right-aligned are padded on the left.
class CTTextTable {
 public:
  CTTextTable(std::string indent, std::vector<bool> rightAligned)
      : indent_(std::move(indent)), right_(std::move(rightAligned)) {}
  void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }
  void Write(std::ostream& out) const {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
      widths.resize(std::max(widths.size(), row.size()));
      for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Width(row[c]));
    }
    for (const auto& row : rows_) {
      std::string line = indent_;
      for (std::size_t c = 0; c < row.size(); ++c) {
        const std::string pad(widths[c] - Width(row[c]), ' ');
        const bool right = c < right_.size() && right_[c];
        line += (c ? "  " : "") + (right ? pad + row[c] : row[c] + pad);
      }
      line.erase(line.find_last_not_of(' ') + 1);
      out << line << '\n';
    }
  }

 private:
  static std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
      return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
  }
  std::string indent_;
  std::vector<bool> right_;
  std::vector<std::vector<std::string>> rows_;
};

const char* CheckFamilyText(int family) {
  return family == 0 ? "heat recovery" : family == 1 ? "heat pump" : "cooling only";
}

std::string Kilowatts(double value) {
  return FixedText(value, 2) + " kW";
}

std::string Metres(double value) {
  return FixedText(value, 1) + " m";
}

// A program text on one line, without the blanks it may end with.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string Severity(const LTCheckMessage& m) {
  if (m.level < 0) return "warning " + std::to_string(m.number);
  return "error " + std::to_string(m.number) + " (level " + std::to_string(m.level) + ")";
}

void WriteMessages(const std::vector<LTCheckMessage>& messages, std::ostream& out) {
  for (const LTCheckMessage& m : messages) {
    out << "    " << Severity(m) << ", " << m.element << ": " << OneLine(m.text) << '\n';
  }
}

std::string Sizes(const LTCheckPipe& pipe) {
  if (pipe.pipeCount == 0) return "-";
  std::string text = GeneralText(pipe.liquid) + " x " + GeneralText(pipe.suction);
  if (pipe.pipeCount == 3) text += " x " + GeneralText(pipe.discharge);
  if (pipe.reducer) text += " *";
  return text;
}

void WriteSystem(const LTCheckSystem& s, std::ostream& out) {
  out << "System " << s.name << ": " << (s.model.empty() ? "no model" : s.model) << " ("
      << CheckFamilyText(s.family) << ", series " << s.series << ")\n";
  CTTextTable facts("  ", {});
  std::string index = GeneralText(s.capacityIndex);
  if (!s.model.empty()) index += " of " + GeneralText(s.indexAt100) + " at 100 %";
  if (s.combination) index += " (" + FixedText(*s.combination, 1) + " %)";
  facts.Add({"capacity index", index});
  facts.Add(
      {"cooling", Kilowatts(s.cooling) + " at " + FixedText(s.coolingOutdoor, 1) + " °C outdoor"});
  if (s.heating) {
    facts.Add({"heating",
               Kilowatts(*s.heating) + " at " + FixedText(s.heatingOutdoor, 1) + " °C outdoor"});
  }
  const char* level = s.outdoorLevel > 0 ? "above" : s.outdoorLevel < 0 ? "below" : "level with";
  facts.Add(
      {"piping", (s.manualPiping ? std::string("lengths entered per pipe")
                                 : "estimated, longest " + Metres(s.pipingLength) + ", " +
                                       Metres(s.firstBranchLength) + " from the first branch") +
                     "; outdoor unit " + level + " the indoor units"});
  facts.Add({"refrigerant", "additional " + FixedText(s.additionalCharge, 3) + " kg, total " +
                                FixedText(s.baseCharge + s.additionalCharge, 3) +
                                " kg (factory charge " + FixedText(s.baseCharge, 3) + " kg)"});
  facts.Write(out);
  if (!s.pipes.empty()) {
    out << "  pipes\n";
    CTTextTable pipes("    ", {false, false, true, false, false, false});
    pipes.Add({"from", "to", "length", "sizes (mm)", "fitting", ""});
    for (const LTCheckPipe& p : s.pipes) {
      // Estimated piping has no lengths per pipe.
      const std::string length = s.manualPiping || p.length != 0 ? Metres(p.length) : "-";
      pipes.Add({PipingElementText(p.from), PipingElementText(p.to), length, Sizes(p),
                 p.fitting.empty() ? "-" : p.fitting, p.sizedUp ? "sized up" : ""});
    }
    pipes.Write(out);
  }
  if (!s.unitPiping.empty()) {
    out << "  indoor piping\n";
    CTTextTable units("    ", {false, true, true, true, true, true});
    units.Add({"unit", "actual", "equivalent", "effective", "cooling factor", "heating factor"});
    for (const LTCheckUnitPiping& u : s.unitPiping) {
      units.Add({u.name, Metres(u.actual), Metres(u.equivalent), Metres(u.effective),
                 FixedText(u.coolingFactor, 4), FixedText(u.heatingFactor, 4)});
    }
    units.Write(out);
  }
  if (!s.messages.empty()) {
    out << "  messages\n";
    WriteMessages(s.messages, out);
  }
  if (!s.pipingErrors.empty()) {
    out << "  manual piping check\n";
    for (const LTCheckMessage& m : s.pipingErrors) {
      out << "    " << m.number << ": " << OneLine(m.text) << '\n';
    }
  }
  out << '\n';
}

std::string RequiredAndAvailable(double required, double available) {
  return (required > 0 ? FixedText(required, 2) : std::string("-")) + " / " +
         FixedText(available, 2);
}

void WriteUnits(const std::vector<LTCheckUnit>& units, std::ostream& out) {
  out << "Indoor units (capacities required / available, kW)\n";
  CTTextTable table("  ", {false, false, false, false, true, true, true, false});
  table.Add(
      {"unit", "kind", "system", "model", "cooling total", "cooling sensible", "heating", "state"});
  for (const LTCheckUnit& u : units) {
    const bool loads = u.kind == "indoor" || u.kind == "dx_coil";
    std::string model = u.model.empty() ? "-" : u.model;
    if (loads && !u.model.empty()) model += u.manual ? " (by hand)" : "";
    table.Add(
        {u.name, u.kind, u.system.empty() ? "-" : u.system, model,
         loads ? RequiredAndAvailable(u.required.coolingTotal, u.available.coolingTotal) : "",
         loads ? RequiredAndAvailable(u.required.coolingSensible, u.available.coolingSensible) : "",
         loads ? RequiredAndAvailable(u.required.heating, u.available.heating) : "",
         u.error ? Severity(*u.error) : "ok"});
  }
  table.Write(out);
}

}  // namespace

void WriteCheckText(const LTCheckReport& r, std::ostream& out) {
  CTTextTable head("", {});
  head.Add({"Project", r.name});
  if (!r.reference.empty()) head.Add({"Reference", r.reference});
  if (!r.client.empty()) head.Add({"Client", r.client});
  if (!r.address.empty()) head.Add({"Address", OneLine(r.address)});
  head.Add({"Refrigerant", r.refrigerant.empty() ? "-" : r.refrigerant});
  head.Write(out);
  out << '\n';
  for (const LTCheckSystem& s : r.systems) WriteSystem(s, out);
  WriteUnits(r.units, out);
  if (!r.otherMessages.empty()) {
    out << "\nConnected nowhere\n";
    WriteMessages(r.otherMessages, out);
  }
  out << "\n"
      << r.errors << (r.errors == 1 ? " error, " : " errors, ") << r.warnings
      << (r.warnings == 1 ? " warning\n" : " warnings\n");
}
