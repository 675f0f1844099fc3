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

// The program's schema: the catalogue's tables and references as database 0, the project's
// tables and references (among themselves and into the catalogue) as database 1, registered
// from the lists the two layers export, as the program's factory registers them.
class CTProjectTestFactory : public CTBaseFactory {
 public:
  CTProjectTestFactory();
};

// A connected store of the test factory, both databases in memory engines; the catalogue is
// writable so that the tests can add the catalogue records that project records refer to.
struct ProjectTestStore {
  ProjectTestStore();
  ~ProjectTestStore();

  CTMemDbEngine& Project() const;
  // Loads a catalogue fixture compiled by the build (testsupport::CatalogueFixture) into the
  // catalogue database.
  bool LoadCatalogue(const std::string& fixture) const;
  // The project database in the text object format.
  std::string SaveText() const;
  bool LoadText(const std::string& text) const;

  std::unique_ptr<testsupport::TempDir> settingsDir;
  std::unique_ptr<CTSettingsStore> settings;
  CTProjectTestFactory factory;
  CTHeadlessMessageUi ui;
  std::unique_ptr<CTScopedMessageUi> scopedUi;
};
