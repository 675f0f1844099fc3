#include "cli/CatalogueCommand.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "catalogue/CapacityTables.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "cli/CliCatalogue.h"
#include "objectstore/FloatText.h"
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

nlohmann::json ListModels(CTBaseFactory& factory) {
  nlohmann::json result;
  nlohmann::json& outdoor = result["outdoor_units"] = nlohmann::json::array();
  for (auto& object : LiveModels(Cls_OutdoorUnit::kTableId, factory)) {
    auto& unit = dynamic_cast<Cls_OutdoorUnit&>(*object);
    const auto rated = RatedRow(unit);
    outdoor.push_back({
        {"name", Text(unit.Name())},
        {"series", Text(unit.Series())},
        {"family", unit.Family()},
        {"horsepower", unit.Horsepower()},
        {"capacity_index", unit.GetCapacityIndexAt(100.0)},
        {"cooling_kW", rated ? nlohmann::json(rated->CUnitSize()) : nlohmann::json()},
        {"heating_kW", rated ? nlohmann::json(rated->HUnitSize()) : nlohmann::json()},
        {"refrigerant", RefrigerantName(unit, factory)},
        {"max_indoor_units", unit.MaxIndoorUnits()},
    });
  }
  nlohmann::json& indoor = result["indoor_units"] = nlohmann::json::array();
  for (auto& object : LiveModels(Cls_IndoorUnit::kTableId, factory)) {
    auto& unit = dynamic_cast<Cls_IndoorUnit&>(*object);
    indoor.push_back({
        {"name", Text(unit.Name())},
        {"family", Text(unit.Family())},
        {"series", Text(unit.Series())},
        {"capacity_index", unit.CapIndex()},
        {"cooling_kW", unit.CUnitSize()},
        {"heating_kW", unit.HUnitSize()},
    });
  }
  nlohmann::json& boxes = result["bs_boxes"] = nlohmann::json::array();
  for (auto& object : LiveModels(Cls_BSBox::kTableId, factory)) {
    auto& box = dynamic_cast<Cls_BSBox&>(*object);
    boxes.push_back({
        {"name", Text(box.Name())},
        {"series", Text(box.Series())},
        {"max_capacity_index", box.MaxCapIndex()},
    });
  }
  return result;
}

// Characters of UTF-8 text, for aligning columns.
std::size_t Width(const std::string& utf8) {
  std::size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string Number(const nlohmann::json& value) {
  if (value.is_null()) return "-";
  if (value.is_number_integer()) return std::to_string(value.get<long long>());
  return FormatStoreFloat(value.get<double>());
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

void PrintText(std::ostream& out, const nlohmann::json& list) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& u : list["outdoor_units"]) {
    rows.push_back({u["name"], u["series"], FamilyText(u["family"].get<int>()),
                    Number(u["horsepower"]), Number(u["capacity_index"]), Number(u["cooling_kW"]),
                    Number(u["heating_kW"]), u["refrigerant"], Number(u["max_indoor_units"])});
  }
  PrintTable(out, "Outdoor units",
             {"name", "series", "family", "HP", "index", "cooling kW", "heating kW", "refrigerant",
              "max indoor"},
             {false, false, false, true, true, true, true, false, true}, rows);
  rows.clear();
  for (const auto& u : list["indoor_units"]) {
    rows.push_back({u["name"], u["family"], u["series"], Number(u["capacity_index"]),
                    Number(u["cooling_kW"]), Number(u["heating_kW"])});
  }
  out << '\n';
  PrintTable(out, "Indoor units", {"name", "family", "series", "index", "cooling kW", "heating kW"},
             {false, false, false, true, true, true}, rows);
  rows.clear();
  for (const auto& b : list["bs_boxes"]) {
    rows.push_back({b["name"], b["series"], Number(b["max_capacity_index"])});
  }
  out << '\n';
  PrintTable(out, "BS boxes", {"name", "series", "max index"}, {false, false, true}, rows);
}

}  // namespace

int RunCatalogueCommand(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
  bool json = false;
  std::string file;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--json") {
      json = true;
    } else if (args[i] == "--catalogue" && i + 1 < args.size()) {
      file = args[++i];
    } else {
      err << kCatalogueUsage;
      return 2;
    }
  }
  CTCliCatalogue catalogue(err);
  if (!catalogue.Open(file)) return 1;
  const nlohmann::json list = ListModels(catalogue.Factory());
  if (json) {
    out << list.dump(2) << '\n';
  } else {
    PrintText(out, list);
  }
  return 0;
}
