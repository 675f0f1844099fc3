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

// A small store for the object-store tests: a read-only catalogue database (0) and a project
// database (1), tables with a parent, and references with every flag.
//
//   20 TBL_Model     (db 0)  MOD_ID, MOD_Code (name)
//   10 TBL_Family    (db 1)  FAM_ID, FAM_Name (name; display name "BSBox"), FAM_Rank
//   11 TBL_Device    (db 1, abstract)  DEV_ID, DEV_Name (name), DEV_Power (eager double),
//                    DEV_Notes (lazy string), DEV_Family (checked -> Family), DEV_Model (-> Model)
//   12 TBL_Indoor    (parent 11)  + IND_Cooling (bool), IND_Photo (blob)
//   13 TBL_Outdoor   (parent 11)  + OUT_Installed (date), OUT_Price (currency)
//   14 TBL_Pipe      (db 1)  PIP_ID, PIP_Length, PIP_From (cascade -> Device),
//                    PIP_Owner (checked one-to-one -> Outdoor)
namespace teststore {

enum Tables { kFamily = 10, kDevice = 11, kIndoor = 12, kOutdoor = 13, kPipe = 14, kModel = 20 };
enum FamilyFields { kFamName = 1, kFamRank = 2 };
enum DeviceFields {
  kDevName = 1,
  kDevPower = 2,
  kDevNotes = 3,
  kDevFamily = 4,
  kDevModel = 6,
  kIndCooling = 8,
  kIndPhoto = 9,
  kOutInstalled = 8,
  kOutPrice = 9,
};
enum PipeFields { kPipLength = 1, kPipFrom = 2, kPipOwner = 4 };
enum ModelFields { kModCode = 1 };

// A record of any of the test tables; the name is the table's name field.
class CTTestRecord : public CTDbObject {
 public:
  CTTestRecord(int tableId, int recordId, CTBaseFactory* factory)
      : CTDbObject(tableId, recordId, factory), tableId_(tableId) {}
  int TableId() const override { return tableId_; }
  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;

 private:
  int tableId_;
};

class CTTestFactory : public CTBaseFactory {
 public:
  CTTestFactory();
};

// A connected test store with a headless message front end; the catalogue may be preloaded
// from text.
struct TestStore {
  explicit TestStore(const std::string& catalogueText = "");
  ~TestStore();

  CTMemDbEngine& Project() const;
  CTMemDbEngine& Catalogue() const;
  // A new object of a table, named and inserted.
  std::unique_ptr<CTDbObject> Add(int tableId, const std::string& name = "");
  // The project saved as plain text.
  std::string SaveText() const;

  std::unique_ptr<testsupport::TempDir> settingsDir;
  std::unique_ptr<CTSettingsStore> settings;
  CTTestFactory factory;
  CTHeadlessMessageUi ui;
  std::unique_ptr<CTScopedMessageUi> scopedUi;
  std::vector<std::string> changes;  // "kind table id" of every change callback
  std::string catalogueFile;
};

}  // namespace teststore
