#pragma once

#include "objectstore/MemDbEngine.h"

// The memory engine for a database carried inside the program: it connects by loading the
// program resource named after the database (the catalogue "Device_Database" finds the resource
// DEVICE_DATABASE) instead of a file. It serves exactly the databases that have such a resource.
class CTResDbEngine : public CTMemDbEngine {
 public:
  static constexpr std::uint16_t kCapabilities =
      CapabilitySet({kCapSelectByExample, kCapRemoveByExample, kCapInheritance, kCapUndo, kCapRedo,
                     kCapInsertWithId});
  static_assert(kCapabilities == 573);

  CTResDbEngine(CTBaseFactory& factory, std::string databaseName, std::string fileName,
                bool readOnly, int databaseIndex);

  // Registers the engine class (once; again is a no-op); register it before the memory engine so
  // that it is asked first.
  static void RegisterClass();

  // Loads the resource; any error, a missing resource included, fails without a message.
  LTDbIoResult Connect(const std::string& user, const std::string& password,
                       bool showErrors) override;
  std::string GetKindText() override { return "Resource"; }
};
