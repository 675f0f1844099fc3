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
#include "platform/MemoryStream.h"

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

// The catalogue engine over bytes a CTFactory was given in place of the resource: the resource
// engine in every respect but where it loads from.
class CTGivenCatalogueEngine : public CTResDbEngine {
 public:
  CTGivenCatalogueEngine(CTBaseFactory& factory, const std::string& database,
                         const std::string& fileName, bool readOnly, int databaseIndex,
                         const std::string& bytes)
      : CTResDbEngine(factory, database, fileName, readOnly, databaseIndex), bytes_(bytes) {}

  bool Connect(const std::string&, const std::string&, bool) override {
    CTMemoryStream stream(bytes_);
    return LoadFromStream(stream);
  }

 private:
  const std::string& bytes_;  // the factory's, which outlives its engines
};

// Takes the databases of a CTFactory whose sources were set: the catalogue from given bytes, the
// scratch project in memory. Declines everything else, which goes on to the usual engines.
void RegisterGivenSourceEngine() {
  CTBaseFactory::RegisterEngineClass([](CTBaseFactory& factory, const std::string& database,
                                        std::unique_ptr<CTDbEngine>& engine, bool, bool,
                                        int databaseIndex, bool readOnly, std::string& fileName) {
    const auto* program = dynamic_cast<const CTFactory*>(&factory);
    if (!program) return false;
    if (databaseIndex == CTFactory::kCatalogue && program->CatalogueBytes()) {
      engine = std::make_unique<CTGivenCatalogueEngine>(factory, database, fileName, readOnly,
                                                        databaseIndex, *program->CatalogueBytes());
      return true;
    }
    if (databaseIndex == CTFactory::kProject && program->ScratchProject()) {
      engine = std::make_unique<CTMemDbEngine>(factory, database, std::string(), readOnly,
                                               databaseIndex);
      return true;
    }
    return false;
  });
}

}  // namespace

CTFactory::CTFactory() : CTBaseFactory("EDI", 100, 100) {
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
  static bool registered = false;
  if (!registered) {
    RegisterGivenSourceEngine();
    CTResDbEngine::RegisterClass();
    CTMemDbEngine::RegisterClass();
    registered = true;
  }
  CTMemDbEngine::SetCompression(true);
  CTMemDbEngine::SetCompressionMagic(std::string(kCompressedMagic));
}

bool EnsureProjectDataSource() {
  return CTMemDbEngine::EnsureDataSource("QRN_Solvo_Project");
}
