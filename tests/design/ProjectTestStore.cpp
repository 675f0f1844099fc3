#include "ProjectTestStore.h"

#include <stdexcept>

#include "catalogue/CatalogueClasses.h"
#include "design/ProjectClasses.h"
#include "i18n/BuiltinMessages.h"
#include "objectstore/TableDefinitions.h"
#include "platform/MemoryStream.h"

CTProjectTestFactory::CTProjectTestFactory() : CTBaseFactory("EDI", 100, 100) {
  RegisterDatabase("DesignTestCatalogue");
  RegisterDatabase("DesignTestProject");
  SetTableListSize(229);
  CTSchemaBuilder schema(*this);
  schema.AddTables(0, CatalogueTables());
  schema.AddTables(1, ProjectTables());
  schema.AddLinks(CatalogueLinks());
  schema.AddLinks(ProjectLinks());
  schema.Register();
}

ProjectTestStore::ProjectTestStore()
    : settingsDir(std::make_unique<testsupport::TempDir>()),
      settings(std::make_unique<CTSettingsStore>(settingsDir->File("user.txt"),
                                                 settingsDir->File("machine.txt"))) {
  RegisterBuiltinMessages();
  CTSettingsStore::SetProcess(settings.get());
  CTMemDbEngine::EnsureDataSource("DesignTestCatalogue");
  CTMemDbEngine::EnsureDataSource("DesignTestProject");
  scopedUi = std::make_unique<CTScopedMessageUi>(ui);
  CTBaseFactory::ClearEngineClasses();
  CTMemDbEngine::RegisterClass();
  if (!factory.ConnectAll()) throw std::runtime_error("the test store did not connect");
}

ProjectTestStore::~ProjectTestStore() {
  factory.DisconnectAll();
  CTSettingsStore::SetProcess(nullptr);
}

CTMemDbEngine& ProjectTestStore::Project() const {
  return static_cast<CTMemDbEngine&>(*factory.Engine(1));
}

bool ProjectTestStore::LoadCatalogue(const std::string& fixture) const {
  CTMemoryStream stream(testsupport::ReadFile(testsupport::CatalogueFixture(fixture)));
  return static_cast<CTMemDbEngine&>(*factory.Engine(0)).LoadFromStream(stream);
}

std::string ProjectTestStore::SaveText() const {
  CTMemoryStream stream;
  Project().SaveToStream(stream);
  return stream.Text();
}

bool ProjectTestStore::LoadText(const std::string& text) const {
  CTMemoryStream stream(text);
  return Project().LoadFromStream(stream);
}
