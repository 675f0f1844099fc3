#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesignStore.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "design/PlacementOptions.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsUsedOption.h"
#include "support/TestSupport.h"

namespace {

using Names = std::vector<std::string>;
using testsupport::Ansi;

std::vector<std::string> NamesOf(const std::vector<Cls_DeviceOption*>& options) {
  std::vector<std::string> names;
  for (const Cls_DeviceOption* option : options) names.push_back(option->Name());
  return names;
}

// Deletes the used option of the placement that names the option.
void RemoveOption(DesignStore& d, Cls_QsDevicePlacement& placement, const std::string& name) {
  for (const auto& used : placement.GetUsedOptions()) {
    if (CatalogueOption(used->GetOptionRef(), &d.store.factory)->Name() == name) {
      used->Delete();
      return;
    }
  }
  ADD_FAILURE() << name << " is not used";
}

Cls_QsIndPlacement* UnitWithModel(DesignStore& d, const std::string& model) {
  Cls_QsIndPlacement* unit = d.project->AddIndoorPlacement();
  unit->SetModel(d.Catalogue<Cls_IndoorUnit>(model));
  return unit;
}

TEST(ReconcileOptions, PreferredOnceStandardAlwaysForeignOptionsGo) {
  DesignStore d;
  Cls_QsIndPlacement* unit = UnitWithModel(d, "QFC-20");
  CTDbObject* model = unit->GetModel();

  // Without model nothing changes.
  EXPECT_TRUE(unit->ReconcileOptions(nullptr, true, true).empty());
  EXPECT_FALSE(unit->GetPrefOptionsAssigned());

  const LTUsedOptionList first = unit->ReconcileOptions(model, true, true);
  EXPECT_EQ(first.size(), 3u);
  EXPECT_EQ(d.UsedOptionNames(*unit), (Names{"QRC-W", "QPN", "QFL"}));
  EXPECT_TRUE(unit->GetPrefOptionsAssigned());

  // The user removes the preferred filter and the standard panel: only the panel comes back.
  RemoveOption(d, *unit, "QFL");
  RemoveOption(d, *unit, "QPN");
  unit->ReconcileOptions(model, true, !unit->GetPrefOptionsAssigned());
  EXPECT_EQ(d.UsedOptionNames(*unit), (Names{"QRC-W", "QPN"}));
  // Nothing is added twice.
  unit->ReconcileOptions(model, true, true);
  EXPECT_EQ(d.UsedOptionNames(*unit), (Names{"QRC-W", "QPN", "QFL"}));

  // A new model deletes the options it does not offer: QFA-25 takes only the filter.
  unit->SetModel(d.Catalogue<Cls_IndoorUnit>("QFA-25"));
  const LTUsedOptionList after = unit->ReconcileOptions(unit->GetModel(), false, false);
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(d.UsedOptionNames(*unit), (Names{"QFL"}));
}

TEST(ReconcileOptions, RemoteSensorNeedsARemoteController) {
  DesignStore d;
  Cls_QsIndPlacement* unit = UnitWithModel(d, "QFC-32");
  Cls_IndOption* sensor = d.Catalogue<Cls_IndOption>("QRS");
  Cls_IndOption* wireless = d.Catalogue<Cls_IndOption>("QRC-IR");

  unit->SetUsedOptions({sensor});
  unit->ReconcileOptions(unit->GetModel(), false, false);
  EXPECT_TRUE(d.UsedOptionNames(*unit).empty());

  // A unit on another unit's remote controller keeps its sensor.
  unit->SetRemoteTypeValue(Cls_QsIndPlacement::kRemoteOfNextUnit);
  unit->SetUsedOptions({sensor});
  unit->ReconcileOptions(unit->GetModel(), false, false);
  EXPECT_EQ(d.UsedOptionNames(*unit), (Names{"QRS"}));

  // So does a unit with a remote controller of its own, and it reports both.
  unit->SetRemoteTypeValue(Cls_QsIndPlacement::kOwnRemote);
  unit->SetUsedOptions({sensor, wireless});
  EXPECT_TRUE(unit->HasOwnRemote(true));
  EXPECT_TRUE(unit->HasRemoteSensor(false));
  EXPECT_EQ(unit->RemoteOption(), wireless);
  EXPECT_EQ(unit->RemoteSensorOption(), sensor);
  EXPECT_FALSE(unit->HasInterfaceAdapter());

  // Without refresh the last answer stands.
  unit->SetUsedOptions({});
  EXPECT_TRUE(unit->HasOwnRemote(false));
  EXPECT_FALSE(unit->HasOwnRemote(true));
  EXPECT_FALSE(unit->HasRemoteSensor(false));
}

TEST(ReconcileOptions, InterfaceAdaptersNeedACentralController) {
  DesignStore d;
  Cls_QsIndPlacement* unit = UnitWithModel(d, "QFC-20");
  auto offered = [&] {
    Names names;
    for (const auto& offer : unit->GetOptionCombinations(unit->GetModel())) {
      names.push_back(CatalogueOption(offer->DeviceOptionRef(), &d.store.factory)->Name() +
                      (offer->IsStandard() ? " std" : ""));
    }
    return names;
  };
  EXPECT_EQ(offered(), (Names{"QRC-W", "QPN std", "QFL", "QRS"}));

  // With a central controller the adapter is offered as standard and always added.
  d.project->SetIntelligentController(d.Catalogue<Cls_CentralController>("QCC-1"));
  EXPECT_EQ(offered(), (Names{"QRC-W", "QPN std", "QFL", "QIA std", "QRS"}));
  unit->ReconcileOptions(unit->GetModel(), true, false);
  EXPECT_EQ(d.UsedOptionNames(*unit), (Names{"QPN", "QIA"}));
  EXPECT_TRUE(unit->HasInterfaceAdapter());
}

TEST(ReconcileOptions, VentilationUnitsHaveTheirOwnRemoteControllers) {
  DesignStore d;
  Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
  aex->SetModel(d.Catalogue<Cls_AEX>("QAE-150"));
  // The refresh reconciles the options first, which adds the preferred remote controller.
  EXPECT_TRUE(aex->HasOwnRemote(true));
  EXPECT_EQ(d.UsedOptionNames(*aex), (Names{"QAR-W"}));
  EXPECT_EQ(aex->RemoteOption(), d.Catalogue<Cls_AEXOption>("QAR-W"));
  // The plain accessory is no remote controller.
  aex->SetUsedOptions({d.Catalogue<Cls_AEXOption>("QAF")});
  EXPECT_FALSE(aex->HasOwnRemote(true));
  EXPECT_FALSE(aex->HasRemoteSensor(false));
  EXPECT_FALSE(aex->MayHeadRemoteGroup());
  EXPECT_FALSE(aex->TakesPartInModelChoice());
}

class OptionsOfMany : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"QRC-W", "QRC-IR", "QJB", "QIA", "QRS", "QPN", "QFL"}) {
      options.push_back(d.Catalogue<Cls_IndOption>(name));
    }
    for (const char* name : {"QFC-20", "QFC-25", "QFC-32", "QFA-25"}) {
      models.push_back(d.Catalogue<Cls_IndoorUnit>(name));
    }
  }

  DesignStore d;
  std::vector<Cls_DeviceOption*> options;
  std::vector<CTDbObject*> models;
};

TEST_F(OptionsOfMany, AUnitWithoutModelStopsTheEdit) {
  Cls_QsIndPlacement* a = UnitWithModel(d, "QFC-20");
  Cls_QsIndPlacement* b = d.project->AddIndoorPlacement();
  EXPECT_FALSE(PrepareOptionsOfMany({a, b}, options, models));
  ASSERT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_EQ(d.store.ui.Shown()[0].kind, TShownKind::Error);
  EXPECT_EQ(d.store.ui.Shown()[0].text,
            Ansi("Отсутствует модель для Внутренний блок Ind 2, опции не могут быть выбраны"));

  // A model that is not among the models given counts as none.
  d.store.ui.ClearShown();
  b->SetModel(d.Catalogue<Cls_IndoorUnit>("QXC-25"));
  EXPECT_FALSE(PrepareOptionsOfMany({a, b}, options, models));
  EXPECT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_TRUE(d.UsedOptionNames(*a).empty());
}

TEST_F(OptionsOfMany, NoCommonOption) {
  Cls_QsIndPlacement* a = UnitWithModel(d, "QFC-25");
  Cls_QsIndPlacement* b = UnitWithModel(d, "QFA-25");
  EXPECT_FALSE(PrepareOptionsOfMany({a, b}, options, models));
  ASSERT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_EQ(d.store.ui.Shown()[0].text, Ansi("Нет общих опций для  моделей устройств"));
}

TEST_F(OptionsOfMany, CommonOffersStandardForAllAndTheFirstUnitsChoice) {
  Cls_QsIndPlacement* a = UnitWithModel(d, "QFC-20");
  Cls_QsIndPlacement* b = UnitWithModel(d, "QFC-20");
  Cls_QsIndPlacement* c = UnitWithModel(d, "QFC-25");
  d.store.ui.ScriptButton(kBtnYes);
  const std::optional<LTOptionChoice> choice = PrepareOptionsOfMany({a, b, c}, options, models);
  ASSERT_TRUE(choice);
  // QFC-20 and QFC-25 share three offers; only the panel is standard for both.
  EXPECT_EQ(NamesOf(choice->allowed), (Names{"QRC-W", "QPN", "QRS"}));
  EXPECT_EQ(NamesOf(choice->standard), (Names{"QPN"}));
  // The first unit's preferred options were added; the filter is not common.
  EXPECT_EQ(d.UsedOptionNames(*a), (Names{"QRC-W", "QFL"}));
  EXPECT_EQ(NamesOf(choice->chosen), (Names{"QRC-W"}));
  ASSERT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_EQ(d.store.ui.Shown()[0].kind, TShownKind::Question);
  EXPECT_EQ(d.store.ui.Shown()[0].text,
            Ansi("Использовать опции  Ind 1 по умолчанию. Некоторые опции могут быть потеряны. "
                 "Продолжить?"));
  EXPECT_EQ(d.store.ui.Shown()[0].buttons, kBtnYes | kBtnNo);

  d.store.ui.ScriptButton(kBtnNo);
  EXPECT_FALSE(PrepareOptionsOfMany({a, b, c}, options, models));
}

TEST_F(OptionsOfMany, TheChosenSetIsAppliedToEveryUnit) {
  Cls_QsIndPlacement* a = UnitWithModel(d, "QFC-20");
  Cls_QsIndPlacement* b = UnitWithModel(d, "QFC-25");
  Cls_IndOption* sensor = d.Catalogue<Cls_IndOption>("QRS");
  b->SetUsedOptions({sensor, d.Catalogue<Cls_IndOption>("QRC-W")});
  const int keptId = b->GetUsedOptions().front()->RecordId();

  // A dialog that is not confirmed changes nothing.
  d.store.ui.ScriptButton(kBtnYes);
  EXPECT_FALSE(EditOptionsOfMany({a, b}, options, models, [](LTOptionChoice&) { return false; }));
  EXPECT_EQ(d.UsedOptionNames(*b), (Names{"QRS", "QRC-W"}));

  d.store.ui.ScriptButton(kBtnYes);
  EXPECT_TRUE(EditOptionsOfMany({a, b}, options, models, [&](LTOptionChoice& choice) {
    choice.chosen = {choice.standard.front(), sensor, sensor};
    return true;
  }));
  EXPECT_EQ(d.UsedOptionNames(*a), (Names{"QPN", "QRS", "QRS"}));
  // Options still chosen keep their records; surplus ones are deleted.
  const Names names = d.UsedOptionNames(*b);
  EXPECT_EQ(names, (Names{"QRS", "QPN", "QRS"}));
  EXPECT_EQ(b->GetUsedOptions().front()->RecordId(), keptId);
}

}  // namespace
