#include "CatalogueTestStore.h"

#include <memory>
#include <stdexcept>

#include "catalogue/CatalogueClasses.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"

namespace {

constexpr int kUR = CTTableInfo::kUniqueNames | CTTableInfo::kNameRequired;
constexpr int kA = CTTableInfo::kAbstract;

}  // namespace

const std::vector<CTCatalogueTestStore::LTTableEntry>& CTCatalogueTestStore::TableList() {
  static const std::vector<LTTableEntry> list = {
      {74, "TBL_BHJCombination", -1, kUR},
      {76, "TBL_BSBox", 162, kUR},
      {77, "TBL_BSDocumentation", 166, kUR},
      {78, "TBL_BSOption", 163, kUR},
      {79, "TBL_CapVariation", -1, kUR},
      {80, "TBL_CentralController", 162, kUR},
      {101, "TBL_DdbVersionInfo", -1, kUR},
      {102, "TBL_DiameterCapacity", -1, kUR},
      {103, "TBL_Diameter", -1, kUR},
      {104, "TBL_FreezeUp", -1, kUR},
      {105, "TBL_HeaderJoint", -1, kUR},
      {106, "TBL_IBCombination", -1, kUR},
      {107, "TBL_IndDocumentation", 166, kUR},
      {108, "TBL_IndFamily", -1, kUR},
      {109, "TBL_IndoorUnit", 169, kUR},
      {110, "TBL_IndOption", 163, kUR},
      {112, "TBL_OBCombination", -1, kUR},
      {113, "TBL_OHJCombination", -1, kUR},
      {114, "TBL_OICombination", -1, kUR},
      {116, "TBL_OutCapacity", 121, kUR},
      {117, "TBL_OutCombination", -1, kUR},
      {118, "TBL_OutDocumentation", 167, kUR},
      {119, "TBL_OutdoorUnit", 168, kUR},
      {120, "TBL_OutOption", 163, kUR},
      {121, "TBL_Polynomial", -1, kUR | kA},
      {122, "TBL_PowerSupply", -1, kUR},
      {127, "TBL_RefChargeCoefficient", -1, kUR},
      {128, "TBL_Refrigerant", -1, kUR},
      {144, "TBL_AEX", 162, kUR},
      {145, "TBL_AEXDocumentation", 166, kUR},
      {146, "TBL_AEXOption", 163, kUR},
      {162, "Tbl_Device", -1, kA},
      {163, "Tbl_DeviceOption", -1, kA},
      {164, "Tbl_DevOptCombination", -1, 0},
      {165, "Tbl_DevPSAllowed", -1, kA},
      {166, "Tbl_DeviceDocumentation", -1, kA},
      {167, "Tbl_OutdoorDocumentation", 166, kUR | kA},
      {168, "Tbl_OutdoorDevice", 162, kA},
      {169, "Tbl_IndoorDevice", 162, kA},
      {170, "Tbl_QRNPSAllowed", 165, kUR},
      {184, "TBL_OMCombination", -1, kUR},
      {185, "Tbl_CCCombination", -1, kUR},
      {191, "Tbl_Visualization", -1, 0},
      {192, "Tbl_WiringLabels", -1, 0},
  };
  return list;
}

bool CTCatalogueTestStore::CTMapGlossary::Translate(const std::string& text,
                                                    std::string& translation, int& charset) const {
  const auto it = map_.find(text);
  if (it == map_.end()) return false;
  translation = it->second;
  charset = 204;
  return true;
}

CTCatalogueTestStore::CTCatalogueTestStore() : factory("EDI", 100, 100) {
  factory.RegisterDatabase("Device_Database");
  factory.SetTableListSize(229);
  ForEachCatalogueClass(
      [this](int id, void (*define)(CTTableInfo&, const std::string&), TObjectCreator create) {
        visited.push_back(id);
        for (const LTTableEntry& entry : TableList()) {
          if (entry.id != id) continue;
          // The display name is the table name without its TBL_/Tbl_ prefix.
          CTTableInfo* table = factory.AddTable(std::make_unique<CTTableInfo>(
              id, entry.flags, entry.parentId, entry.tableName + 4, entry.tableName, 0));
          define(*table, "");
          if (create) factory.RegisterClass(id, std::move(create));
        }
      });
  factory.FinishRegistration();
  factory.SetGlossary(0, &translator_);

  CTBaseFactory::ClearEngineClasses();
  CTBaseFactory::RegisterEngineClass(
      "CatalogueTestStore",
      [](CTBaseFactory& f, const std::string& database, std::unique_ptr<CTDbEngine>& engine, bool,
         bool, int index, bool readOnly, std::string&) {
        engine = std::make_unique<CTMemDbEngine>(f, database, "", readOnly, index);
        return true;
      });
  if (!factory.ConnectAll()) throw std::runtime_error("catalogue test store did not connect");
}

CTCatalogueTestStore::~CTCatalogueTestStore() {
  factory.DisconnectAll();
  CTBaseFactory::ClearEngineClasses();
}

bool CTCatalogueTestStore::Load(const std::string& text) {
  CTMemoryStream stream(text);
  return static_cast<CTMemDbEngine&>(*factory.Engine(0)).LoadFromStream(stream);
}

std::string TextString(const std::string& text) {
  return std::to_string(text.size()) + " " + text;
}

std::string TextTable(const std::string& name, int id,
                      const std::vector<std::pair<std::string, int>>& fields) {
  std::string text = "5 " + TextString(name) + " " + std::to_string(id) + "\r\n";
  for (const auto& [field, type] : fields) {
    text += "5 " + TextString(field) + " " + std::to_string(type) + "\r\n";
  }
  return text + "0\r\n";
}

std::string TextRecords(int id, const std::vector<std::string>& records) {
  std::string text = "2 " + std::to_string(id) + " 2 " + std::to_string(records.size()) + "\r\n";
  for (const std::string& record : records) text += record + " \r\n";
  return text;
}

std::string TextFile(const std::vector<std::string>& tables,
                     const std::vector<std::string>& records) {
  std::string text = "EDI100\r\n";
  for (const std::string& table : tables) text += table;
  text += "0\r\n";
  for (const std::string& block : records) text += block;
  return text + "0\r\n";
}

void CTCatalogueTestStore::Link(int id, int referencedId, int referringId, int field, int flags) {
  CTTableLink* link = factory.AddLink(
      referencedId,
      std::make_unique<CTTableLink>(id, "L" + std::to_string(id), "", referringId, field, flags));
  CTTableInfo* referring = factory.TableById(referringId);
  link->Resolve(referring, factory.TableById(referencedId)->Field(0), referring->Field(field));
  referring->Field(field)->SetLink(link);
  for (const auto& table : factory.Tables()) {
    if (table && table->Id() != referencedId && table->DescendsFrom(referencedId)) {
      table->AddLink(link);
    }
  }
}
