#pragma once

#include <memory>
#include <string>
#include <vector>

#include "i18n/HeadlessMessageUi.h"
#include "i18n/MessageUi.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/DbObject.h"
#include "objectstore/MemDbEngine.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

// One table of the test factory, as the program's factory registers it.
struct ProjectTestTable {
  int id;
  const char* tableName;
  const char* displayName;
  int parentId;
  int flags;
  int databaseIndex;
};

// The tables of the project database.
extern const std::vector<ProjectTestTable> kProjectTestTables;

// A record of a stand-in catalogue table (id field only): a target for the project's references
// into the catalogue.
class CTCatalogueStub : public CTDbObject {
 public:
  CTCatalogueStub(int tableId, int recordId, CTBaseFactory* factory)
      : CTDbObject(tableId, recordId, factory), tableId_(tableId) {}
  int TableId() const override { return tableId_; }

 private:
  int tableId_;
};

// The project tables with their classes and the references between the project tables and into
// the catalogue, plus stand-in catalogue tables (database 0) that those references point at.
class CTProjectTestFactory : public CTBaseFactory {
 public:
  CTProjectTestFactory();
};

// A connected store of the test factory, both databases in memory engines; the catalogue is
// writable so that the tests can add stand-in records.
struct ProjectTestStore {
  ProjectTestStore();
  ~ProjectTestStore();

  CTMemDbEngine& Project() const;
  // The project database in the text object format.
  std::string SaveText() const;
  bool LoadText(const std::string& text) const;

  std::unique_ptr<testsupport::TempDir> settingsDir;
  std::unique_ptr<CTSettingsStore> settings;
  CTProjectTestFactory factory;
  CTHeadlessMessageUi ui;
  std::unique_ptr<CTScopedMessageUi> scopedUi;
};
