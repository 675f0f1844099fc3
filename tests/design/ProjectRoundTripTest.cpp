#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "ProjectTestStore.h"
#include "design/QsBSBPlacement.h"
#include "design/QsCentralControl.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"
#include "design/QsUsedOption.h"
#include "objectstore/TableInfo.h"
#include "support/TestSupport.h"

void PrintTo(const LTRecordRef& ref, std::ostream* out) {
  *out << "(" << ref.tableId << ", " << ref.recordId << ")";
}

namespace {

using namespace std::string_literals;

// The stored records by name: project records by their table's display name, catalogue records
// by the names below.
using Records = std::map<std::string, CTDbObject*>;

// One accessor pair and the value it is tried with. A reference is set once every record is
// stored, because its target must be stored.
struct FieldCase {
  std::string field;  // the field's name, or for a reference the name of its class half
  bool reference;
  std::function<void(CTDbObject&, const Records&)> set;
  std::function<void(CTDbObject&, const Records&)> expect;
};

template <class V>
V RawValue(CTDbObject& object, int index) {
  if constexpr (std::is_same_v<V, bool>) {
    return object.GetBool(index);
  } else if constexpr (std::is_same_v<V, int>) {
    return object.GetInt(index);
  } else if constexpr (std::is_same_v<V, double>) {
    return object.GetDouble(index);
  } else {
    return object.GetString(index);
  }
}

// The getter gives back what the setter wrote, and it sits in the field of that name, where it
// differs from the field's default.
template <class C, class V, class Set, class Get>
FieldCase Value(const std::string& field, Set set, Get get, V value) {
  return {field, false, [=](CTDbObject& o, const Records&) { (static_cast<C&>(o).*set)(value); },
          [=](CTDbObject& o, const Records&) {
            EXPECT_EQ((static_cast<C&>(o).*get)(), value) << field;
            const int index = o.Table().FieldIndexByName(field);
            ASSERT_GT(index, 0) << field;
            EXPECT_EQ(RawValue<V>(o, index), value) << field;
            EXPECT_FALSE(o.Values().IsDefault(index)) << field;
          }};
}

template <class C, class Set, class Get>
FieldCase Reference(const std::string& stem, Set set, Get get, const std::string& target) {
  const std::string field = stem + "_CLS_REF";
  return {
      field, true,
      [=](CTDbObject& o, const Records& records) { (static_cast<C&>(o).*set)(records.at(target)); },
      [=](CTDbObject& o, const Records& records) {
        const CTDbObject& t = *records.at(target);
        const LTRecordRef expected{t.TableId(), t.RecordId()};
        EXPECT_EQ((static_cast<C&>(o).*get)(), expected) << field;
        const int index = o.Table().FieldIndexByName(field);
        ASSERT_GT(index, 0) << field;
        EXPECT_EQ(o.Table().FieldIndexByName(stem + "_OBJ_REF"), index + 1) << field;
        LTRecordRef raw;
        o.GetReference(index, raw.tableId, raw.recordId);
        EXPECT_EQ(raw, expected) << field;
      }};
}

std::vector<FieldCase> operator+(std::vector<FieldCase> a, const std::vector<FieldCase>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

template <class C>
std::vector<FieldCase> PlacementCases(const std::string& name, const std::string& parent,
                                      const std::string& device) {
  return {
      Value<C>("Fld_Name", &C::SetName, &C::Name, name),
      Value<C>("Fld_SeqNr", &C::SetSeqNr, &C::GetSeqNr, 4),
      Value<C>("Fld_Series", &C::SetSeries, &C::GetSeries, "SER-"s + name),
      Value<C>("Fld_PrefOptionsAssigned", &C::SetPrefOptionsAssigned, &C::GetPrefOptionsAssigned,
               true),
      Reference<C>("Fld_QsDevicePlacement", &C::SetParent, &C::GetParentRef, parent),
      Reference<C>("Fld_QsProject", &C::SetProject, &C::GetProjectRef, "QsProject"),
      Reference<C>("Fld_Device", &C::SetDevice, &C::GetDeviceRef, device),
  };
}

template <class C>
std::vector<FieldCase> IndoorCases(const std::string& name, const std::string& device) {
  return PlacementCases<C>(name, "QsOutPlacement", device) +
         std::vector<FieldCase>{
             Value<C>("Fld_IuSeqNr", &C::SetIuSeqNr, &C::GetIuSeqNr, 7),
             Value<C>("Fld_Family", &C::SetFamily, &C::GetFamily, "WALL"s),
             Value<C>("Fld_CoolIndoorTemp", &C::SetCoolIndoorTemp, &C::GetCoolIndoorTemp, 26.5),
             Value<C>("Fld_CoolIndoorRH", &C::SetCoolIndoorRH, &C::GetCoolIndoorRH, 55.5),
             Value<C>("Fld_HeatCapReq", &C::SetHeatCapReq, &C::GetHeatCapReq, 3.2),
             Value<C>("Fld_HeatIndoorTemp", &C::SetHeatIndoorTemp, &C::GetHeatIndoorTemp, 21.5),
             Value<C>("Fld_HeatIndoorRH", &C::SetHeatIndoorRH, &C::GetHeatIndoorRH, 45.5),
             Value<C>("Fld_CoolCapReqTotal", &C::SetCoolCapReqTotal, &C::GetCoolCapReqTotal, 2.8),
             Value<C>("Fld_RemoteType", &C::SetRemoteTypeValue, &C::GetRemoteType,
                      static_cast<int>(Cls_QsIndPlacement::kRemoteOfPreviousUnit)),
             Value<C>("Fld_CoolCapReqSensible", &C::SetCoolCapReqSensible,
                      &C::GetCoolCapReqSensible, 2.1),
             Value<C>("Fld_ManualSelect", &C::SetManualSelect, &C::GetManualSelect, true),
         };
}

template <class C>
std::vector<FieldCase> PipingNodeCases(double length, int seqNr, const std::string& parent) {
  return {
      Value<C>("Fld_BranchLength", &C::SetBranchLength, &C::GetBranchLength, length),
      Value<C>("Fld_SeqNr", &C::SetSeqNr, &C::GetSeqNr, seqNr),
      Reference<C>("Fld_QsOutPlacement", &C::SetSystem, &C::GetSystemRef, "QsOutPlacement"),
      Reference<C>("Fld_QsPipingNode", &C::SetParentNode, &C::GetParentNodeRef, parent),
  };
}

template <class C>
std::vector<FieldCase> JointNodeCases(double length, int seqNr, const std::string& parent) {
  return PipingNodeCases<C>(length, seqNr, parent) +
         std::vector<FieldCase>{Reference<C>("Fld_HeaderJoint", &C::SetHeaderJoint,
                                             &C::GetHeaderJointRef, "HeaderJoint")};
}

// Every concrete project table with a value for each of its fields.
std::map<int, std::vector<FieldCase>> AllCases() {
  using P = Cls_QsProject;
  using O = Cls_QsOutPlacement;
  using U = Cls_QsUsedOption;
  using K = Cls_QsCenCoPlacement;
  using H = Cls_QsHeaderPlacement;
  using X = Cls_QsHXB415Placement;
  std::map<int, std::vector<FieldCase>> cases;
  cases[P::kTableId] = {
      Value<P>("Fld_ToolVersion", &P::SetToolVersion, &P::GetToolVersion, "0.1.0"s),
      Value<P>("Fld_AwardString", &P::SetAwardString, &P::GetAwardString, "award 2024"s),
      Value<P>("Fld_UseBasicControllerSubComponents", &P::SetUseBasicControllerSubComponents,
               &P::GetUseBasicControllerSubComponents, true),
      Value<P>("Fld_DbVersion", &P::SetDbVersion, &P::GetDbVersion, "1.4"s),
      Value<P>("Fld_Name", &P::SetName, &P::Name, testsupport::Ansi("Офис \"Север\"")),
      Value<P>("Fld_OuFamily", &P::SetOuFamily, &P::GetOuFamily, 2),
      Value<P>("Fld_IuFamily", &P::SetIuFamily, &P::GetIuFamily, "CEIL"s),
      Value<P>("Fld_ProjectReference", &P::SetProjectReference, &P::GetProjectReference, "REF-17"s),
      Value<P>("Fld_ClientName", &P::SetClientName, &P::GetClientName, testsupport::Ansi("Клиент")),
      Value<P>("Fld_ClientAddress", &P::SetClientAddress, &P::GetClientAddress,
               "Street 1\r\nTown\\North\t2"s),
      Value<P>("Fld_OstrelDefinedVersion", &P::SetOstrelDefinedVersion, &P::GetOstrelDefinedVersion,
               "5.3"s),
      Reference<P>("Fld_Refrigerant", &P::SetRefrigerant, &P::GetRefrigerantRef, "Refrigerant"),
      Reference<P>("Fld_CentralController", &P::SetBasicController, &P::GetBasicControllerRef,
                   "Controller"),
      Reference<P>("Fld_CentralController2", &P::SetIntelligentController,
                   &P::GetIntelligentControllerRef, "Controller2"),
  };
  cases[Cls_QsIndPlacement::kTableId] = IndoorCases<Cls_QsIndPlacement>("IU1", "IndoorUnit");
  cases[O::kTableId] =
      PlacementCases<O>("OU1", "QsBSBPlacement", "OutdoorUnit") +
      std::vector<FieldCase>{
          Value<O>("Fld_CcUseSubComponents", &O::SetCcUseSubComponents, &O::GetCcUseSubComponents,
                   true),
          Value<O>("Fld_AllowHighCombPerc", &O::SetAllowHighCombPerc, &O::GetAllowHighCombPerc,
                   true),
          Value<O>("Fld_MaxCombination", &O::SetHighCombinationLimit, &O::GetHighCombinationLimit,
                   130.0),
          Value<O>("Fld_DistBranchToIndoors", &O::SetDistBranchToIndoors,
                   &O::GetDistBranchToIndoors, 40.0),
          Value<O>("Fld_Locked", &O::SetLocked, &O::GetLocked, true),
          Value<O>("Fld_Family", &O::SetFamily, &O::GetFamily, 2),
          Value<O>("Fld_SelCombination", &O::SetSelCombination, &O::GetSelCombination, 110.0),
          Value<O>("Fld_PipingHeightDiff", &O::SetPipingHeightDiff, &O::GetPipingHeightDiff, -10.0),
          Value<O>("Fld_CcFlags", &O::SetCcFlags, &O::GetCcFlags, 1),
          Value<O>("Fld_PipingLength", &O::SetPipingLength, &O::GetPipingLength, 65.0),
          Value<O>("Fld_CoolOutdoorTemp", &O::SetCoolOutdoorTemp, &O::GetCoolOutdoorTemp, 35.0),
          Value<O>("Fld_CoolOutdoorRH", &O::SetCoolOutdoorRH, &O::GetCoolOutdoorRH, 45.0),
          Value<O>("Fld_HeatOutdoorTemp", &O::SetHeatOutdoorTemp, &O::GetHeatOutdoorTemp, -7.0),
          Value<O>("Fld_HeatOutdoorRH", &O::SetHeatOutdoorRH, &O::GetHeatOutdoorRH, 85.0),
          Value<O>("Fld_CcSeqNr", &O::SetCcSeqNr, &O::GetCcSeqNr, 9),
          Reference<O>("Fld_QsCenCoPlacement", &O::SetCentralControlPlacement,
                       &O::GetCentralControlPlacementRef, "QsCenCoPlacement"),
          Reference<O>("Fld_CentralController", &O::SetPreferredController,
                       &O::GetPreferredControllerRef, "Controller2"),
      };
  cases[Cls_QsBSBPlacement::kTableId] =
      PlacementCases<Cls_QsBSBPlacement>("BS1", "QsHeaderPlacement", "BSBox");
  cases[Cls_QsDevicePipingNode::kTableId] =
      PipingNodeCases<Cls_QsDevicePipingNode>(12.5, 1, "QsJointPipingNode") +
      std::vector<FieldCase>{Reference<Cls_QsDevicePipingNode>(
          "Fld_QsDevicePlacement", &Cls_QsDevicePipingNode::SetPlacement,
          &Cls_QsDevicePipingNode::GetPlacementRef, "QsIndPlacement")};
  cases[U::kTableId] = {
      Reference<U>("Fld_DeviceOption", &U::SetOption, &U::GetOptionRef, "IndOption"),
      Reference<U>("Fld_QsDevicePlacement", &U::SetPlacement, &U::GetPlacementRef,
                   "QsIndPlacement"),
  };
  cases[K::kTableId] = {
      Reference<K>("Fld_QsProject", &K::SetProject, &K::GetProjectRef, "QsProject"),
      Reference<K>("Fld_CentralController", &K::SetController, &K::GetControllerRef, "Controller"),
  };
  cases[Cls_QsHeaderPipingNode::kTableId] =
      JointNodeCases<Cls_QsHeaderPipingNode>(3.75, 2, "QsDevicePipingNode") +
      std::vector<FieldCase>{Reference<Cls_QsHeaderPipingNode>(
          "Fld_QsHeaderPlacement", &Cls_QsHeaderPipingNode::SetHeaderPlacement,
          &Cls_QsHeaderPipingNode::GetHeaderPlacementRef, "QsHeaderPlacement")};
  cases[Cls_QsJointPipingNode::kTableId] =
      JointNodeCases<Cls_QsJointPipingNode>(0.5, 3, "QsHeaderPipingNode");
  cases[H::kTableId] = PlacementCases<H>("HD1", "QsOutPlacement", "HeaderJoint") +
                       std::vector<FieldCase>{Value<H>("Fld_NbConnections", &H::SetNbConnections,
                                                       &H::GetNbConnections, 6)};
  cases[X::kTableId] = IndoorCases<X>("OD1", "IndoorUnit") +
                       std::vector<FieldCase>{Reference<X>("Fld_IndOption", &X::SetAdapter,
                                                           &X::GetAdapterRef, "IndOption")};
  cases[Cls_QsAEXPlacement::kTableId] = IndoorCases<Cls_QsAEXPlacement>("AEX1", "AEX");
  cases[Cls_QsAXDPlacement::kTableId] = IndoorCases<Cls_QsAXDPlacement>("AXD1", "IndoorUnit");
  return cases;
}

// Catalogue records that the references point at.
const std::vector<std::pair<std::string, int>> kCatalogueRecords = {
    {"BSBox", 76},        {"Controller", 80},   {"Controller2", 80},
    {"HeaderJoint", 105}, {"IndoorUnit", 109},  {"IndOption", 110},
    {"OutdoorUnit", 119}, {"Refrigerant", 128}, {"AEX", 144},
};

}  // namespace

// One record of every concrete project table, every field set to a value other than its default,
// goes through a project file and comes back through the getters of a fresh store.
TEST(ProjectRoundTrip, EveryFieldOfEveryTableSurvivesAFile) {
  const auto cases = AllCases();
  ProjectTestStore original;
  std::vector<std::unique_ptr<CTDbObject>> owned;
  Records records;
  for (const auto& [name, tableId] : kCatalogueRecords) {
    owned.push_back(original.factory.CreateObject(tableId, 0));
    owned.back()->Insert();
    records[name] = owned.back().get();
  }
  for (const auto& table : original.factory.Tables()) {
    if (!table || table->DatabaseIndex() != 1 || table->IsAbstract()) continue;
    ASSERT_TRUE(cases.count(table->Id())) << table->TableName() << " has no cases";
    // Every field of the table is tried.
    std::set<std::string> covered;
    for (const FieldCase& c : cases.at(table->Id())) {
      covered.insert(c.field);
      if (c.reference) covered.insert(c.field.substr(0, c.field.size() - 8) + "_OBJ_REF");
    }
    for (int i = 1; i < table->FieldCount(); ++i) {
      EXPECT_TRUE(covered.count(table->Field(i)->Name()))
          << table->TableName() << " " << table->Field(i)->Name();
    }
    owned.push_back(original.factory.CreateObject(table->Id(), 0));
    ASSERT_TRUE(owned.back()) << table->TableName() << " has no class";
    CTDbObject& object = *owned.back();
    for (const FieldCase& c : cases.at(table->Id())) {
      if (!c.reference) c.set(object, records);
    }
    object.Insert();
    records[table->DisplayName()] = &object;
  }
  for (const auto& [tableId, tableCases] : cases) {
    CTDbObject& object = *records.at(original.factory.TableById(tableId)->DisplayName());
    for (const FieldCase& c : tableCases) {
      if (c.reference) c.set(object, records);
    }
  }

  const std::string text = original.SaveText();
  ProjectTestStore copy;
  ASSERT_TRUE(copy.LoadText(text));
  EXPECT_EQ(copy.SaveText(), text);
  for (const auto& [tableId, tableCases] : cases) {
    const CTDbObject& stored = *records.at(original.factory.TableById(tableId)->DisplayName());
    auto all = CTDbObject::AllObjects(tableId, false, &copy.factory);
    ASSERT_EQ(all.size(), 1u) << tableId;
    ASSERT_EQ(all[0]->RecordId(), stored.RecordId());
    // Instantiated by id: the eager fields first, the rest on first access.
    auto loaded = copy.factory.CreateObject(tableId, stored.RecordId());
    ASSERT_TRUE(loaded);
    SCOPED_TRACE(loaded->Table().TableName());
    for (const FieldCase& c : tableCases) c.expect(*loaded, records);
  }
}
