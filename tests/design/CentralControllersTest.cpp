#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DesignStore.h"
#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "design/CentralControllers.h"
#include "design/QsCentralControl.h"
#include "design/QsOutPlacement.h"

namespace {

// A variant as text: the controller's name and "+name" per sub-component.
std::string VariantText(const LTControllerVariant& variant) {
  std::string text = variant.controller ? variant.controller->Name() : "-";
  for (Cls_CentralController* sub : variant.subComponents) text += "+" + sub->Name();
  return text;
}

std::vector<std::string> VariantTexts(const LTControllerVariantList& variants) {
  std::vector<std::string> texts;
  for (const LTControllerVariant& variant : variants) texts.push_back(VariantText(variant));
  return texts;
}

// The groups as text, one per unit: "controller: system, system (units/horsepower)" followed by
// " + n x name" per run of equal sub-controllers.
std::vector<std::string> GroupTexts(Cls_QsProject& project) {
  std::vector<std::string> texts;
  for (const auto& group : project.GetCentralControllerGroups()) {
    std::string text = VariantText(group->GetVariant()) + ":";
    for (std::size_t i = 0; i < group->Systems().size(); ++i)
      text += (i ? ", " : " ") + group->Systems()[i]->Name();
    text += " (" + std::to_string(group->UnitTotal()) + "/" +
            std::to_string(group->HorsepowerTotal()) + ")";
    const auto& subs = group->SubControllers();
    for (std::size_t i = 0; i < subs.size();) {
      std::size_t j = i;
      while (j < subs.size() &&
             subs[j]->GetVariant().controller == subs[i]->GetVariant().controller)
        ++j;
      text += " + " + std::to_string(j - i) + " x " + VariantText(subs[i]->GetVariant());
      i = j;
    }
    texts.push_back(text);
  }
  return texts;
}

using Texts = std::vector<std::string>;

struct CcStore {
  CcStore() : variants(BuildControllerVariants(&d.store.factory)) {}

  // A system named Out n with the model and units indoor units connected directly.
  Cls_QsOutPlacement* AddSystem(int units, const std::string& model = "QHR-20") {
    Cls_QsOutPlacement* system = d.AddSystem(model, 0);
    for (int i = 0; i < units; ++i) d.AddUnit(system, nullptr, "QBC-20");
    return system;
  }
  // The variant of the controller with or without sub-components.
  const LTControllerVariant* Variant(const std::string& name, bool subComponents = false) {
    for (const LTControllerVariant& v : variants) {
      if (v.controller->Name() == name && v.HasSubComponents() == subComponents) return &v;
    }
    ADD_FAILURE() << "no variant " << name;
    return nullptr;
  }
  void Prefer(Cls_QsOutPlacement* system, const std::string& name, bool subComponents) {
    system->SetPreferredController(d.Catalogue<Cls_CentralController>(name));
    system->SetCcUseSubComponents(subComponents);
    system->Post();
  }
  bool Assign(const std::string& basic, bool subComponents = false) {
    return d.project->AssignCentralControllers(variants, Variant(basic, subComponents), errors);
  }

  DesignStore d{"boxes"};
  LTControllerVariantList variants;
  bool errors = false;
};

}  // namespace

TEST(CentralControllers, VariantsOfTheCatalogue) {
  CcStore s;
  // Sub-components (kind 3) have no variant of their own, the intelligent controller none with
  // its rows, the kind-2 controller only the one with them.
  const Texts expected = {"QCB-64", "QCB-64+QCS-16", "QCI-1", "QCM-128+QCS-16+QCN-0",
                          "QCL-OK", "QCL-G",         "QCL-O", "QCL-H"};
  EXPECT_EQ(VariantTexts(s.variants), expected);
  const auto choices = Cls_CentralController::GetChoiceList(&s.d.store.factory);
  EXPECT_EQ(VariantTexts(ControllerVariantsOf(choices)), expected);

  const auto id = [&](const std::string& name) {
    return s.d.Catalogue<Cls_CentralController>(name)->RecordId();
  };
  const int table = Cls_CentralController::kTableId;
  EXPECT_EQ(FindControllerVariant(s.variants, table, id("QCB-64"), true),
            s.Variant("QCB-64", true));
  EXPECT_EQ(FindControllerVariant(s.variants, table, id("QCB-64"), false), s.Variant("QCB-64"));
  // Asked with sub-components, a controller without that variant gives its plain one; asked
  // without, one offered only with them gives none.
  EXPECT_EQ(FindControllerVariant(s.variants, table, id("QCI-1"), true), s.Variant("QCI-1"));
  EXPECT_EQ(FindControllerVariant(s.variants, table, id("QCM-128"), false), nullptr);
  EXPECT_EQ(FindControllerVariant(s.variants, table, id("QCS-16"), true), nullptr);
  EXPECT_EQ(FindControllerVariant(s.variants, table + 1, id("QCB-64"), false), nullptr);
}

// QCB-64 takes 64 indoor units, 10 systems and 100 HP per unit; QHR-20 has 8 HP, QHR-40 40 HP.
TEST(CentralControllers, SystemsFillUnitsInOrderWithinTheLimits) {
  struct Case {
    std::string what;
    std::vector<int> units;
    std::string model;
    std::vector<bool> ownGroup;
    Texts groups;
  };
  const std::vector<Case> cases = {
      {"70 units make two",
       {30, 30, 10},
       "QHR-20",
       {},
       {"QCB-64: Out 1, Out 2 (60/16)", "QCB-64: Out 3 (10/8)"}},
      {"a break starts a unit",
       {30, 30, 10},
       "QHR-20",
       {false, true, false},
       {"QCB-64: Out 1 (30/8)", "QCB-64: Out 2, Out 3 (40/16)"}},
      {"a break on an empty unit changes nothing",
       {30, 30, 10},
       "QHR-20",
       {true, false, false},
       {"QCB-64: Out 1, Out 2 (60/16)", "QCB-64: Out 3 (10/8)"}},
      {"horsepower",
       {1, 1, 1},
       "QHR-40",
       {},
       {"QCB-64: Out 1, Out 2 (2/80)", "QCB-64: Out 3 (1/40)"}},
      {"exactly full", {64, 1}, "QHR-20", {}, {"QCB-64: Out 1 (64/8)", "QCB-64: Out 2 (1/8)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CcStore s;
    for (std::size_t i = 0; i < c.units.size(); ++i) {
      Cls_QsOutPlacement* system = s.AddSystem(c.units[i], c.model);
      if (i < c.ownGroup.size() && c.ownGroup[i]) {
        system->SetCcFlags(1);
        system->Post();
      }
    }
    EXPECT_TRUE(s.Assign("QCB-64"));
    EXPECT_FALSE(s.errors);
    EXPECT_EQ(GroupTexts(*s.d.project), c.groups);
  }
}

// QCL-OK has the least limits a unit may have (2 units, 1 system, 2 HP); each of the others is
// one below in one of them. A system too large for an empty unit fails the computation too.
TEST(CentralControllers, ControllersTooSmallLeaveNoGroups) {
  struct Case {
    std::string controller;
    int units;
    bool solved;
  };
  const std::vector<Case> cases = {{"QCL-OK", 2, true},
                                   {"QCL-G", 1, false},
                                   {"QCL-O", 1, false},
                                   {"QCL-H", 1, false},
                                   {"QCL-OK", 3, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.controller + " " + std::to_string(c.units));
    CcStore s;
    s.AddSystem(c.units, "QHR-5");
    s.AddSystem(1, "QHR-5");
    EXPECT_EQ(s.Assign(c.controller), c.solved);
    EXPECT_FALSE(s.errors);
    EXPECT_EQ(GroupTexts(*s.d.project),
              c.solved ? Texts({"QCL-OK: Out 1 (2/2)", "QCL-OK: Out 2 (1/2)"}) : Texts{});
  }
}

// One QCS-16 per 16 indoor units of a unit, started; QCN-0 has no group limit and adds none.
TEST(CentralControllers, SubControllersPerStartedSixteenUnits) {
  CcStore s;
  s.AddSystem(17);
  Cls_QsOutPlacement* second = s.AddSystem(16);
  second->SetCcFlags(1);
  second->Post();
  ASSERT_TRUE(s.Assign("QCB-64", true));
  EXPECT_EQ(GroupTexts(*s.d.project), (Texts{"QCB-64+QCS-16: Out 1 (17/8) + 2 x QCS-16",
                                             "QCB-64+QCS-16: Out 2 (16/8) + 1 x QCS-16"}));

  ASSERT_TRUE(s.Assign("QCM-128", true));
  EXPECT_EQ(GroupTexts(*s.d.project), (Texts{"QCM-128+QCS-16+QCN-0: Out 1 (17/8) + 2 x QCS-16",
                                             "QCM-128+QCS-16+QCN-0: Out 2 (16/8) + 1 x QCS-16"}));
}

// Systems are ordered by their preferred controller's record id, then without sub-components
// first, then the central-control order and the tree order; the basic controller's units come
// first, then each preferred variant's in order of first appearance. Preferences that name the
// basic variant or no offered variant are cleared in the store, once.
TEST(CentralControllers, PreferencesOrderAndFallBack) {
  CcStore s;
  std::vector<Cls_QsOutPlacement*> systems;
  for (int i = 0; i < 6; ++i) systems.push_back(s.AddSystem(1));
  // Central-control order 5, 4, 3, 1, 1, 1: the ties keep the tree order.
  for (int i = 0; i < 6; ++i) {
    systems[i]->SetCcSeqNr(i < 3 ? 5 - i : 1);
    systems[i]->Post();
  }
  s.Prefer(systems[0], "QCM-128", true);
  s.Prefer(systems[1], "QCB-64", true);   // the basic controller's other variant
  s.Prefer(systems[2], "QCB-64", false);  // the basic variant itself: cleared
  s.Prefer(systems[3], "QCS-16", false);  // no such variant: cleared
  s.Prefer(systems[5], "QCM-128", true);

  ASSERT_TRUE(s.Assign("QCB-64"));
  EXPECT_EQ(GroupTexts(*s.d.project),
            (Texts{"QCB-64: Out 4, Out 5, Out 3 (3/24)",
                   "QCM-128+QCS-16+QCN-0: Out 6, Out 1 (2/16) + 1 x QCS-16",
                   "QCB-64+QCS-16: Out 2 (1/8) + 1 x QCS-16"}));
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    Cls_QsOutPlacement stored(systems[i]->RecordId(), &s.d.store.factory);
    const bool kept = i == 0 || i == 1 || i == 5;
    EXPECT_EQ(stored.GetPreferredControllerRef().IsSet(), kept);
    EXPECT_EQ(stored.GetCcUseSubComponents(), kept);
  }

  // Nothing is left to clear: a second computation writes nothing and finds the same groups.
  int writes = 0;
  s.d.store.Project().SetChangeCallback([&](int, int, int, const std::string*, int) { ++writes; });
  ASSERT_TRUE(s.Assign("QCB-64"));
  EXPECT_EQ(writes, 0);
  EXPECT_EQ(GroupTexts(*s.d.project).size(), 3u);
  s.d.store.Project().SetChangeCallback(nullptr);
}

TEST(CentralControllers, ErrorsAndMissingBasicControllerGiveNoGroups) {
  CcStore s;
  Cls_QsOutPlacement* system = s.AddSystem(2);
  ASSERT_TRUE(s.Assign("QCB-64"));
  EXPECT_EQ(s.d.project->GetCentralControllerGroups().size(), 1u);

  // A warning does not block the computation, an error does and frees the last groups.
  system->SetError(10118, "", Cls_QsDevicePlacement::kWarning);
  EXPECT_TRUE(s.Assign("QCB-64"));
  system->SetError(10043, "", Cls_QsDevicePlacement::kErrorLevel1);
  EXPECT_FALSE(s.Assign("QCB-64"));
  EXPECT_TRUE(s.errors);
  EXPECT_TRUE(s.d.project->GetCentralControllerGroups().empty());

  system->ClearError();
  bool errors = true;
  EXPECT_FALSE(s.d.project->AssignCentralControllers(s.variants, nullptr, errors));
  EXPECT_FALSE(errors);
  EXPECT_TRUE(s.d.project->GetCentralControllerGroups().empty());
}

// The units point at systems of the placement cache: deleting a placement frees them.
TEST(CentralControllers, DeletingAPlacementFreesTheGroups) {
  CcStore s;
  s.AddSystem(2);
  Cls_QsOutPlacement* empty = s.AddSystem(0);
  ASSERT_TRUE(s.Assign("QCB-64"));
  EXPECT_EQ(GroupTexts(*s.d.project), Texts{"QCB-64: Out 1, Out 2 (2/16)"});
  ASSERT_TRUE(s.d.project->DeletePlacementNode(*empty));
  EXPECT_TRUE(s.d.project->GetCentralControllerGroups().empty());
}
