#pragma once

#include <string>

#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

// The root record of a design: identification, the refrigerant of the whole design, the
// central-controller choices and a few remembered defaults. A project file holds one.
class Cls_QsProject : public CTDbObject {
 public:
  static constexpr int kTableId = 173;

  enum Fields : int {
    kToolVersion = 1,
    kAwardString = 2,
    kUseBasicControllerSubComponents = 3,
    kDbVersion = 4,
    kName = 5,
    kOuFamily = 6,
    kIuFamily = 7,
    kProjectReference = 8,
    kClientName = 9,
    kClientAddress = 10,
    kOstrelDefinedVersion = 11,
    kRefrigerant = 12,            // + 13
    kBasicController = 14,        // + 15
    kIntelligentController = 16,  // + 17
    kFieldCount = 18
  };

  explicit Cls_QsProject(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;

  // Version text of the program that last saved the project.
  std::string GetToolVersion() { return GetString(kToolVersion); }
  void SetToolVersion(const std::string& value) { SetString(kToolVersion, value); }
  // The project's quality award text.
  std::string GetAwardString() { return GetString(kAwardString); }
  void SetAwardString(const std::string& value) { SetString(kAwardString, value); }
  // The central-control tab uses the basic controller's sub-components.
  bool GetUseBasicControllerSubComponents() { return GetBool(kUseBasicControllerSubComponents); }
  void SetUseBasicControllerSubComponents(bool value) {
    SetBool(kUseBasicControllerSubComponents, value);
  }
  // Project format version.
  std::string GetDbVersion() { return GetString(kDbVersion); }
  void SetDbVersion(const std::string& value) { SetString(kDbVersion, value); }
  // Outdoor family code and indoor family remembered with the project.
  int GetOuFamily() { return GetInt(kOuFamily); }
  void SetOuFamily(int value) { SetInt(kOuFamily, value); }
  std::string GetIuFamily() { return GetString(kIuFamily); }
  void SetIuFamily(const std::string& value) { SetString(kIuFamily, value); }
  std::string GetProjectReference() { return GetString(kProjectReference); }
  void SetProjectReference(const std::string& value) { SetString(kProjectReference, value); }
  std::string GetClientName() { return GetString(kClientName); }
  void SetClientName(const std::string& value) { SetString(kClientName, value); }
  // Multi-line client address.
  std::string GetClientAddress() { return GetString(kClientAddress); }
  void SetClientAddress(const std::string& value) { SetString(kClientAddress, value); }
  // Data version of the catalogue the project was created with.
  std::string GetOstrelDefinedVersion() { return GetString(kOstrelDefinedVersion); }
  void SetOstrelDefinedVersion(const std::string& value) {
    SetString(kOstrelDefinedVersion, value);
  }

  // The refrigerant of the design (a catalogue refrigerant).
  LTRecordRef GetRefrigerantRef() { return ReadReference(*this, kRefrigerant); }
  void SetRefrigerant(const CTDbObject* refrigerant) { SetReference(kRefrigerant, refrigerant); }
  // The basic and the intelligent central-controller models (catalogue controllers).
  LTRecordRef GetBasicControllerRef() { return ReadReference(*this, kBasicController); }
  void SetBasicController(const CTDbObject* controller) {
    SetReference(kBasicController, controller);
  }
  LTRecordRef GetIntelligentControllerRef() { return ReadReference(*this, kIntelligentController); }
  void SetIntelligentController(const CTDbObject* controller) {
    SetReference(kIntelligentController, controller);
  }
};
