#include "app/ProgramFactory.h"

#include "catalogue/CatalogueClasses.h"
#include "design/ProjectClasses.h"
#include "objectstore/MemDbEngine.h"
#include "objectstore/ResDbEngine.h"
#include "objectstore/TableDefinitions.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"

namespace {

// The catalogue engine over bytes a CTFactory was given in place of the resource: the resource
// engine in every respect but where it loads from.
class CTGivenCatalogueEngine : public CTResDbEngine {
 public:
  CTGivenCatalogueEngine(CTBaseFactory& factory, const std::string& database,
                         const std::string& fileName, bool readOnly, int databaseIndex,
                         const std::string& bytes)
      : CTResDbEngine(factory, database, fileName, readOnly, databaseIndex), bytes_(bytes) {}

  LTDbIoResult Connect(const std::string&, const std::string&, bool) override {
    CTMemoryStream stream(bytes_);
    return Load(stream);
  }

 private:
  const std::string& bytes_;  // the factory's, which outlives its engines
};

// Takes the databases of a CTFactory whose sources were set: the catalogue from given bytes, the
// scratch project in memory. Declines everything else, which goes on to the usual engines.
void RegisterGivenSourceEngine() {
  CTBaseFactory::RegisterEngineClass(
      "CTGivenSourceEngine",
      [](CTBaseFactory& factory, const std::string& database, std::unique_ptr<CTDbEngine>& engine,
         bool, bool, int databaseIndex, bool readOnly, std::string& fileName) {
        const auto* program = dynamic_cast<const CTFactory*>(&factory);
        if (!program) return false;
        if (databaseIndex == CTFactory::kCatalogue && program->CatalogueBytes()) {
          engine = std::make_unique<CTGivenCatalogueEngine>(
              factory, database, fileName, readOnly, databaseIndex, *program->CatalogueBytes());
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
  SetCompression(true, std::string(kCompressedMagic));
  RegisterDatabase("Device_Database");
  RegisterDatabase("QRN_Solvo_Project");
  SetTableListSize(kTableListSize);
  // Each layer lists its own tables and the references its tables hold; the catalogue's go to
  // the catalogue database, the design's to the project.
  CTSchemaBuilder schema(*this);
  schema.AddTables(kCatalogue, CatalogueTables());
  schema.AddTables(kProject, ProjectTables());
  schema.AddLinks(CatalogueLinks());
  schema.AddLinks(ProjectLinks());
  schema.Register();
}

void RegisterProgramEngines() {
  RegisterGivenSourceEngine();
  CTResDbEngine::RegisterClass();
  CTMemDbEngine::RegisterClass();
}

bool EnsureProjectDataSource() {
  return CTMemDbEngine::EnsureDataSource("QRN_Solvo_Project");
}
