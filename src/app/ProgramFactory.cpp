#include "app/ProgramFactory.h"

#include "catalogue/CatalogueClasses.h"
#include "design/ProjectClasses.h"
#include "objectstore/MemDbEngine.h"
#include "objectstore/ResDbEngine.h"
#include "objectstore/TableDefinitions.h"
#include "platform/CompressedWrapper.h"

CTFactory::CTFactory() : CTBaseFactory("EDI", 100, 100) {
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
  static bool registered = false;
  if (!registered) {
    CTResDbEngine::RegisterClass();
    CTMemDbEngine::RegisterClass();
    registered = true;
  }
  CTMemDbEngine::SetCompression(true);
  CTMemDbEngine::SetCompressionMagic(std::string(kCompressedMagic));
  CTMemDbEngine::EnsureDataSource("QRN_Solvo_Project");
}
