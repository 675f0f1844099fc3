#include "ProgramEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/ProgramGlossary.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/MessageUi.h"
#include "objectstore/DbEngine.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace programtest {

namespace {

struct LTProgram {
  testsupport::TempDir dir;
  CTSettingsStore settings{dir.File("user.txt"), dir.File("machine.txt")};
  CTHeadlessMessageUi ui;
  std::unique_ptr<CTScopedMessageUi> scopedUi;
  CTGlossary glossary;
  bool glossaryLoaded = false;
  std::unique_ptr<CTFactory> factory;
  std::unique_ptr<CTScopedDefaultFactory> defaultFactory;
  bool connected = false;
};

LTProgram* g_program = nullptr;

class CTProgramEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    g_program = new LTProgram;
    LTProgram& p = *g_program;
    CTSettingsStore::SetProcess(&p.settings);
    RegisterBuiltinMessages();
    p.scopedUi = std::make_unique<CTScopedMessageUi>(p.ui);
    RegisterProgramEngines();
    EnsureProjectDataSource();
    p.factory = std::make_unique<CTFactory>();
    p.defaultFactory = std::make_unique<CTScopedDefaultFactory>(*p.factory);
    p.factory->SetReadOnly(CTFactory::kCatalogue, true);
    p.glossaryLoaded = LoadProgramGlossary(p.glossary);
    p.factory->SetGlossary(CTFactory::kCatalogue, &p.glossary);
    p.connected = p.factory->ConnectAll();
  }
  void TearDown() override {
    g_program->factory->DisconnectAll();
    g_program->defaultFactory.reset();
    g_program->factory.reset();
    g_program->scopedUi.reset();
    CTSettingsStore::SetProcess(nullptr);
    delete g_program;
    g_program = nullptr;
  }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CTProgramEnvironment);

}  // namespace

bool Connected() {
  return g_program->connected;
}
CTFactory& Factory() {
  return *g_program->factory;
}
CTHeadlessMessageUi& Ui() {
  return g_program->ui;
}
CTGlossary& Glossary() {
  return g_program->glossary;
}
bool GlossaryLoaded() {
  return g_program->glossaryLoaded;
}

void ResetProject() {
  CTFactory& factory = Factory();
  if (factory.IsDatabaseConnected(CTFactory::kProject))
    factory.DisconnectDatabase(CTFactory::kProject);
  factory.ConnectDatabase(CTFactory::kProject);
  factory.Engine(CTFactory::kProject)->Connect("", "", true);
}

}  // namespace programtest
