#include "app/ProgramFactory.h"

#include <stdexcept>
#include <vector>

#include "app/ProgramTables.h"
#include "catalogue/CatalogueClasses.h"
#include "design/ProjectClasses.h"
#include "objectstore/DbObject.h"
#include "objectstore/MemDbEngine.h"
#include "objectstore/ResDbEngine.h"
#include "objectstore/TableInfo.h"
#include "platform/CompressedWrapper.h"

namespace {

struct LTClassEntry {
  void (*define)(CTTableInfo&, const std::string&) = nullptr;
  TObjectCreator create;
};

std::vector<LTClassEntry> ClassEntries() {
  std::vector<LTClassEntry> entries(CTFactory::kTableListSize);
  auto add = [&](int tableId, void (*define)(CTTableInfo&, const std::string&),
                 TObjectCreator create) {
    entries.at(static_cast<std::size_t>(tableId)) = LTClassEntry{define, std::move(create)};
  };
  ForEachCatalogueClass(add);
  ForEachProjectClass(add);
  return entries;
}

}  // namespace

CTFactory::CTFactory() : CTBaseFactory("EDI", 100, 100) {
  SetCompression(true, std::string(kCompressedMagic));
  RegisterDatabase("Device_Database");
  RegisterDatabase("QRN_Solvo_Project");
  SetTableListSize(kTableListSize);
  const std::vector<LTClassEntry> classes = ClassEntries();
  const std::vector<LTProgramLink>& links = ProgramLinks();
  for (const LTProgramTable& t : ProgramTables()) {
    const LTClassEntry& entry = classes.at(static_cast<std::size_t>(t.id));
    if (!entry.define) throw std::logic_error(std::string("no class for table ") + t.tableName);
    CTTableInfo* table = AddTable(std::make_unique<CTTableInfo>(
        t.id, t.flags, t.parentId, t.displayName, t.tableName, t.database));
    entry.define(*table, "");
    if (entry.create) RegisterClass(t.id, entry.create);
    for (const LTProgramLink& l : links) {
      if (l.referencedTableId != t.id) continue;
      AddLink(t.id, std::make_unique<CTTableLink>(l.id, l.name, l.propertyName, l.referringTableId,
                                                  l.fieldIndex, l.flags));
    }
  }
  FinishRegistration();
}

void RegisterProgramEngines() {
  CTResDbEngine::RegisterClass();
  CTMemDbEngine::RegisterClass();
  CTMemDbEngine::EnsureDataSource("QRN_Solvo_Project");
}
