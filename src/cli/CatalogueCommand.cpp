#include "cli/CatalogueCommand.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>

#include "catalogue/CapacityTables.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "cli/CliCatalogue.h"
#include "cli/CliErrors.h"
#include "cli/CliOptions.h"
#include "cli/CliText.h"
#include "platform/CodePage.h"

namespace {

const char kCatalogueUsage[] = "usage: qrnsolvo-cli catalogue [--json] [--catalogue FILE]\n";

std::string Text(const std::string& codePageBytes) {
  return Utf8FromCp1251(codePageBytes);
}

const char* FamilyText(int family) {
  switch (family) {
    case 0:
      return "heat recovery";
    case 1:
      return "heat pump";
    case 2:
      return "cooling only";
  }
  return "?";
}

// The row of the outdoor model's combination table at 100 %, if it has one.
std::unique_ptr<Cls_OutCombination> RatedRow(Cls_OutdoorUnit& unit) {
  for (auto& object :
       unit.RelatedObjects(Cls_OutCombination::kTableId, Cls_OutCombination::kOutdoorUnit)) {
    auto* row = dynamic_cast<Cls_OutCombination*>(object.get());
    if (row && row->Combination() == 100.0) {
      object.release();
      return std::unique_ptr<Cls_OutCombination>(row);
    }
  }
  return nullptr;
}

std::string RefrigerantName(Cls_OutdoorUnit& unit, CTBaseFactory& factory) {
  const LTRecordRef ref = unit.RefrigerantRef();
  if (!ref.IsSet()) return std::string();
  CTDbObject* refrigerant = CTDbObject::CachedObject(ref.tableId, ref.recordId, &factory);
  return refrigerant ? Text(refrigerant->Name()) : std::string();
}

// The models of a table that are not retired, in catalogue order.
CTDbObjectList LiveModels(int tableId, CTBaseFactory& factory) {
  CTDbObjectList models;
  for (auto& object : CTDbObject::AllObjects(tableId, false, &factory)) {
    if (!object->IsDeleted()) models.push_back(std::move(object));
  }
  return models;
}

// Characters of UTF-8 text, for aligning columns.
std::size_t Width(const std::string& utf8) {
  std::size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string Cell(const std::optional<double>& value) {
  return value ? GeneralText(*value) : "-";
}

// JSON numbers; null for nothing and for a value that is not finite.
nlohmann::ordered_json Json(const std::optional<double>& value) {
  return value && std::isfinite(*value) ? nlohmann::ordered_json(*value) : nlohmann::ordered_json();
}

// Prints a titled table: the text columns left-aligned, the number columns right-aligned.
void PrintTable(std::ostream& out, const char* title, const std::vector<std::string>& header,
                const std::vector<bool>& numeric,
                const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths(header.size());
  for (std::size_t c = 0; c < header.size(); ++c) widths[c] = Width(header[c]);
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], Width(row[c]));
  }
  auto line = [&](const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      const std::string pad(widths[c] - Width(cells[c]), ' ');
      if (c > 0) text += "  ";
      text += numeric[c] ? pad + cells[c] : cells[c] + pad;
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out << text << '\n';
  };
  out << title << " (" << rows.size() << ")\n";
  line(header);
  for (const auto& row : rows) line(row);
}

}  // namespace

LTCatalogueListing ListCatalogue(CTBaseFactory& factory) {
  LTCatalogueListing listing;
  for (auto& object : LiveModels(Cls_OutdoorUnit::kTableId, factory)) {
    auto& unit = dynamic_cast<Cls_OutdoorUnit&>(*object);
    const auto rated = RatedRow(unit);
    LTCatalogueListing::Outdoor row;
    row.name = Text(unit.Name());
    row.series = Text(unit.Series());
    row.family = unit.Family();
    row.horsepower = unit.Horsepower();
    row.capacityIndex = unit.GetCapacityIndexAt(100.0);
    if (rated) {
      row.coolingKW = rated->CUnitSize();
      row.heatingKW = rated->HUnitSize();
    }
    row.refrigerant = RefrigerantName(unit, factory);
    row.maxIndoorUnits = unit.MaxIndoorUnits();
    listing.outdoorUnits.push_back(std::move(row));
  }
  for (auto& object : LiveModels(Cls_IndoorUnit::kTableId, factory)) {
    auto& unit = dynamic_cast<Cls_IndoorUnit&>(*object);
    listing.indoorUnits.push_back({Text(unit.Name()), Text(unit.Family()), Text(unit.Series()),
                                   unit.CapIndex(), unit.CUnitSize(), unit.HUnitSize()});
  }
  for (auto& object : LiveModels(Cls_BSBox::kTableId, factory)) {
    auto& box = dynamic_cast<Cls_BSBox&>(*object);
    listing.bsBoxes.push_back({Text(box.Name()), Text(box.Series()), box.MaxCapIndex()});
  }
  return listing;
}

void WriteCatalogueText(const LTCatalogueListing& listing, std::ostream& out) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& u : listing.outdoorUnits) {
    rows.push_back({u.name, u.series, FamilyText(u.family), std::to_string(u.horsepower),
                    GeneralText(u.capacityIndex), Cell(u.coolingKW), Cell(u.heatingKW),
                    u.refrigerant.empty() ? "-" : u.refrigerant, std::to_string(u.maxIndoorUnits)});
  }
  PrintTable(out, "Outdoor units",
             {"name", "series", "family", "HP", "index", "cooling kW", "heating kW", "refrigerant",
              "max indoor"},
             {false, false, false, true, true, true, true, false, true}, rows);
  rows.clear();
  for (const auto& u : listing.indoorUnits) {
    rows.push_back({u.name, u.family, u.series, GeneralText(u.capacityIndex),
                    GeneralText(u.coolingKW), GeneralText(u.heatingKW)});
  }
  out << '\n';
  PrintTable(out, "Indoor units", {"name", "family", "series", "index", "cooling kW", "heating kW"},
             {false, false, false, true, true, true}, rows);
  rows.clear();
  for (const auto& b : listing.bsBoxes) {
    rows.push_back({b.name, b.series, GeneralText(b.maxCapacityIndex)});
  }
  out << '\n';
  PrintTable(out, "BS boxes", {"name", "series", "max index"}, {false, false, true}, rows);
}

void WriteCatalogueJson(const LTCatalogueListing& listing, std::ostream& out) {
  nlohmann::ordered_json json;
  auto& outdoor = json["outdoor_units"] = nlohmann::ordered_json::array();
  for (const auto& u : listing.outdoorUnits) {
    outdoor.push_back({
        {"name", u.name},
        {"series", u.series},
        {"family", u.family},
        {"horsepower", u.horsepower},
        {"capacity_index", Json(u.capacityIndex)},
        {"cooling_kW", Json(u.coolingKW)},
        {"heating_kW", Json(u.heatingKW)},
        {"refrigerant", u.refrigerant},
        {"max_indoor_units", u.maxIndoorUnits},
    });
  }
  auto& indoor = json["indoor_units"] = nlohmann::ordered_json::array();
  for (const auto& u : listing.indoorUnits) {
    indoor.push_back({
        {"name", u.name},
        {"family", u.family},
        {"series", u.series},
        {"capacity_index", Json(u.capacityIndex)},
        {"cooling_kW", Json(u.coolingKW)},
        {"heating_kW", Json(u.heatingKW)},
    });
  }
  auto& boxes = json["bs_boxes"] = nlohmann::ordered_json::array();
  for (const auto& b : listing.bsBoxes) {
    boxes.push_back({
        {"name", b.name},
        {"series", b.series},
        {"max_capacity_index", Json(b.maxCapacityIndex)},
    });
  }
  out << json.dump(2) << '\n';
}

int RunCatalogueCommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
  const auto options = ParseCliOptions(args, {FlagOption("--json"), TextOption("--catalogue")},
                                       kCatalogueUsage, err);
  if (!options) return kCliNotUnderstood;
  CTCliCatalogue catalogue(err);
  if (!catalogue.Open(options->Text("--catalogue"))) return kCliFailed;
  const LTCatalogueListing listing = ListCatalogue(catalogue.Factory());
  if (options->Has("--json")) {
    WriteCatalogueJson(listing, out);
  } else {
    WriteCatalogueText(listing, out);
  }
  return kCliDone;
}
