#pragma once

#include <memory>
#include <string>
#include <vector>

#include "design/ProjectFields.h"
#include "objectstore/DbObject.h"

class Cls_OutdoorUnit;
class Cls_QsAEXPlacement;
class Cls_QsAXDPlacement;
class Cls_QsBSBPlacement;
class Cls_QsCenCoPlacement;
class Cls_QsDevicePlacement;
class Cls_QsHXB415Placement;
class Cls_QsHeaderPlacement;
class Cls_QsIndPlacement;
class Cls_QsOutPlacement;
struct LTControllerVariant;

// Every placement of a project; the project owns them.
using LTPlacementCache = std::vector<std::unique_ptr<Cls_QsDevicePlacement>>;
// The catalogue's outdoor units a selection chooses from (the caller owns them).
using LTOutdoorUnitList = std::vector<Cls_OutdoorUnit*>;
// The central-controller units of the project's central-control solution; the project owns them.
using LTCentralGroupList = std::vector<std::unique_ptr<Cls_QsCenCoPlacement>>;

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

  // The project format version this program writes; a new project carries it.
  static constexpr const char* kFormatVersion = "1.3";

  explicit Cls_QsProject(int recordId, CTBaseFactory* factory = nullptr);
  ~Cls_QsProject() override;

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  void GetName(int& charset, std::string& text) const override;
  void SetName(const std::string& text) override;
  void GetTypeName(int& charset, std::string& text) const override;

  // The refrigerant (when the preferred one is a catalogue refrigerant) and the families from
  // the preferences, and back (then the preferences are saved).
  virtual void InitDefaults();
  virtual void StoreAsDefaults();
  // A new outdoor system, not yet stored.
  virtual std::unique_ptr<Cls_QsOutPlacement> CreateOutdoorPlacement();

  // Writes an identification text (name, reference, client name or address) trimmed, and posts
  // it, only when it differs from the stored one; returns whether it did.
  bool SetIdentificationText(int field, const std::string& text);

  // Whether a project file of the format version can be opened by a program of the given
  // version: both read as numbers (an unreadable text is 0), neither 0, and either equal or the
  // program at least 1.2 and the file at least 1.1.
  static bool IsFormatVersionAccepted(const std::string& fileVersion,
                                      const std::string& programVersion = kFormatVersion);

  // -- The placements -----------------------------------------------------------------------------
  // Every placement of the project, linked into the connection tree; read from the store on the
  // first call, then kept up to date by the operations below. A stored tree that cannot be
  // walked (see ProjectPlacements.cpp) is repaired while it is read.
  const LTPlacementCache& GetPlacements();
  // Puts a placement the caller created into the cache; returns it.
  Cls_QsDevicePlacement* AddToPlacementCache(std::unique_ptr<Cls_QsDevicePlacement> placement);
  // Takes a placement out of the cache and hands it to the caller; null when it is not there.
  std::unique_ptr<Cls_QsDevicePlacement> RemoveFromPlacementCache(Cls_QsDevicePlacement* placement);
  // Frees the cache; the next call of GetPlacements reads the store again.
  void DropPlacementCache();
  // The placements without parent, ascending by sequence number.
  std::vector<Cls_QsDevicePlacement*> GetTopLevelPlacements();
  // Every indoor-side placement, connected or not, ascending by their indoor sequence number.
  std::vector<Cls_QsIndPlacement*> GetIndoorPlacements();
  // Numbers the tree as shown: the nth top-level placement of the list and the nth child of
  // every placement get sequence number n, posted where it changed.
  void RenumberPlacements(const std::vector<Cls_QsDevicePlacement*>& topLevelInOrder);

  // New placements: created with the project's defaults, stored, named and put into the cache
  // (the project owns them). Boxes and headers are connected into the system under parent,
  // before the sibling before (null: at the end).
  Cls_QsIndPlacement* AddIndoorPlacement();
  Cls_QsHXB415Placement* AddAdapterPlacement();
  Cls_QsAEXPlacement* AddAEXPlacement();
  Cls_QsAXDPlacement* AddAXDPlacement();
  // A new system with the root node of its piping.
  Cls_QsOutPlacement* AddOutdoorPlacement();
  Cls_QsBSBPlacement* AddBSBoxPlacement(Cls_QsOutPlacement& system, Cls_QsDevicePlacement& parent,
                                        Cls_QsDevicePlacement* before);
  Cls_QsHeaderPlacement* AddHeaderPlacement(Cls_QsOutPlacement& system,
                                            Cls_QsDevicePlacement& parent,
                                            Cls_QsDevicePlacement* before, int connections);

  // Deletes a placement of the cache with everything below it, after the checks: nothing in a
  // system whose piping lengths are entered by hand (error 10056), and a placement with
  // children only when the user says Yes to question 5017. Indoor units below it stay in the
  // project unconnected; everything else below it is deleted. Returns whether it was deleted
  // (then the placement is freed).
  bool DeletePlacementNode(Cls_QsDevicePlacement& placement);
  // Checks every system; every other top-level placement gets error 10042 and loses its model
  // (an indoor unit whose model is chosen by hand keeps it).
  void RecalculateAll(const LTOutdoorUnitList& outdoorUnits);
  // Copies a system of the project with everything connected below it, their options and the
  // piping tree with its branch lengths and order (ProjectSystemCopy.cpp), then recalculates
  // the project. The copy is named copyOfCaption (the front end's "copy of" caption), a blank
  // and the source's name. Every copy is a new record; the source is left as it is, except
  // that its options are reconciled with its model first. Returns the new system.
  Cls_QsOutPlacement* CopySystem(Cls_QsOutPlacement& source, const std::string& copyOfCaption,
                                 const LTOutdoorUnitList& outdoorUnits);

  // -- Central control (CentralControllers.cpp) ------------------------------------------------
  // Distributes the outdoor systems over central-controller units of the basic variant and of
  // the systems' preferred variants (looked up in variants) within the controllers' limits, and
  // gives each unit its sub-controllers. Preferences that name the basic variant or a variant
  // not among variants are cleared (and posted). False without basic variant, when a system has
  // an error (then systemsHaveErrors is set), or when some system cannot be placed; the groups
  // of a failed computation are discarded. The previous groups are freed first in any case.
  bool AssignCentralControllers(const std::vector<LTControllerVariant>& variants,
                                const LTControllerVariant* basic, bool& systemsHaveErrors);
  // The units of the last successful computation (empty after a failure).
  const LTCentralGroupList& GetCentralControllerGroups() const { return centralGroups_; }

  // -- Series
  // --------------------------------------------------------------------------------------- The
  // outdoor series of the project's refrigerant, in first-seen order.
  const std::vector<std::string>& GetSeriesNames() const { return seriesNames_; }
  // The series new boxes, indoor units and ventilation units with DX coil get.
  const std::string& GetDefaultBoxSeries() const { return defaultBoxSeries_; }
  const std::string& GetDefaultIndoorSeries() const { return defaultIndoorSeries_; }
  const std::string& GetDefaultAXDSeries() const { return defaultAXDSeries_; }
  // Whether units with DX coil can be placed: the default series of them is not blank.
  bool HasAXDSeries() const;
  // Derives the series lists from the outdoor units of the project's refrigerant and makes the
  // preferred outdoor series one of them.
  void BuildSeriesLists(const LTOutdoorUnitList& outdoorUnits);
  // Sets the refrigerant and fits every placement to it: series, and the models chosen by hand
  // for indoor units where the new series has one of the same size and family.
  void ChangeRefrigerant(const CTDbObject* refrigerant, const LTOutdoorUnitList& outdoorUnits);

  // -- Images of trees and lists ------------------------------------------------------------------
  // The index of an object's image in the project image list; -1 for none.
  static int GetPlacementImageIndex(CTDbObject& object);
  // The state image of a placement's tree node: 3 with an error, 9 with a warning, else -1.
  static int GetPlacementStateImage(const Cls_QsDevicePlacement& placement);

  // -- Values as the tabs and reports show them -----------------------------------------------
  // Converted to the user's display unit with its decimals; withUnit appends a blank and the
  // unit's name. Power, mass and length show an empty text for 0.
  static std::string FormatPower(bool withUnit, double kilowatts);
  static std::string FormatTemperature(bool withUnit, double celsius);
  // Air flows are given in m³/h, the form they are stored in.
  static std::string FormatAirflow(bool withUnit, double cubicMetresPerHour);
  // asInteger: the value in the display unit rounded to an integer, and no number at all when
  // that is 0 (the unit alone when asked for).
  static std::string FormatMass(bool withUnit, bool asInteger, double kilograms);
  static std::string FormatLength(bool withUnit, double metres);
  static std::string FormatShortLength(bool withUnit, double millimetres);

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

 private:
  void BuildPlacementCache();
  // The common steps of a new placement: project reference, defaults, insertion, default name;
  // then the placement goes into the cache.
  template <class T>
  T* AddPlacement(std::unique_ptr<T> placement);

  bool cacheBuilt_ = false;
  LTPlacementCache placements_;
  std::vector<std::string> seriesNames_;
  std::string defaultBoxSeries_;
  std::string defaultIndoorSeries_;
  std::string defaultAXDSeries_;
  LTCentralGroupList centralGroups_;
};
