#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesignStore.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "support/TestSupport.h"

namespace {

// The name of the box's stored model; empty without one.
std::string BoxModelName(DesignStore& d, Cls_QsBSBPlacement& box) {
  const LTRecordRef ref = box.GetDeviceRef();
  if (!ref.IsSet()) return "";
  CTDbObject* model = CTDbObject::CachedObject(ref.tableId, ref.recordId, &d.store.factory);
  return model ? model->Name() : "?";
}

}  // namespace

// Boxes of series BSQ on QHR-20 come in the row order 150, 60, 100; BSQ-100 does not take the
// ducted QBD-40, no box takes the floor unit QBF-25. The box starts with a model that the
// selection must replace or clear. Units go below a header when the case says so.
TEST(BoxSelection, ChoosesTheSmallestBoxThatCarriesAndAcceptsTheUnits) {
  struct Case {
    std::string what;
    std::string outdoor;  // empty: no outdoor model
    std::string series;
    std::vector<std::string> units;  // "" for a unit without model
    bool belowHeader;
    std::string model;  // expected box model, empty for none
    std::string error;  // expected error text (UTF-8), empty for none
  };
  const std::string box = "BS-блок BS 1";
  const std::vector<Case> cases = {
      {"smallest that carries the sum", "QHR-20", "BSQ", {"QBC-20", "QBC-30"}, false, "BSQ-60", ""},
      {"the bound is inclusive", "QHR-20", "BSQ", {"QBC-50", "QBC-50"}, false, "BSQ-100", ""},
      {"units below a header count", "QHR-20", "BSQ", {"QBC-50", "QBC-30"}, true, "BSQ-100", ""},
      {"series without regard to case",
       "QHR-20",
       "bsq",
       {"QBC-50", "QBC-50"},
       false,
       "BSQ-100",
       ""},
      {"a box that rejects a model is passed over",
       "QHR-20",
       "BSQ",
       {"QBC-50", "QBD-40"},
       false,
       "BSQ-150",
       ""},
      {"units without model add nothing and are not examined",
       "QHR-20",
       "BSQ",
       {"QBC-50", ""},
       false,
       "BSQ-60",
       ""},
      {"no box takes a model",
       "QHR-20",
       "BSQ",
       {"QBC-20", "QBF-25"},
       false,
       "",
       "Нет в наличии BS-блоков серии BSQс индексом мощности 45 и комбинации этого внутреннего "
       "блока"},
      {"no box is large enough",
       "QHR-20",
       "BSQ",
       {"QBC-80", "QBC-80", "QBC-12.5"},
       false,
       "",
       "Нет в наличии BS-блоков серии BSQс индексом мощности 172.5"},
      {"no box of the series",
       "QHR-30",
       "BSQ",
       {"QBC-20"},
       false,
       "",
       "Нет в наличии BS-блоков серии BSQ, которые могут быть совместимы с QHR-30"},
      {"a heat-pump system",
       "QHP-20",
       "BSQ",
       {"QBC-20"},
       false,
       "",
       "QHP-20 блок без рекуперации тепла.Не соединяется с " + box},
      {"no outdoor model", "", "BSQ", {"QBC-20"}, false, "", ""},
      {"only a header below the box",
       "QHR-20",
       "BSQ",
       {},
       true,
       "",
       "At least one indoor unit must be connected to " + box},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DesignStore d("boxes");
    Cls_QsOutPlacement* system = d.AddSystem("", 0);
    Cls_QsBSBPlacement* boxPlacement = d.project->AddBSBoxPlacement(*system, *system, nullptr);
    boxPlacement->SetSeries(c.series);
    boxPlacement->Post();
    boxPlacement->SetModel(d.Catalogue<Cls_BSBox>("BSR-200"));
    Cls_QsDevicePlacement* parent = boxPlacement;
    if (c.belowHeader) parent = d.project->AddHeaderPlacement(*system, *boxPlacement, nullptr, 4);
    for (const std::string& model : c.units) d.AddUnit(system, parent, model);

    Cls_OutdoorUnit* outdoor =
        c.outdoor.empty() ? nullptr : d.Catalogue<Cls_OutdoorUnit>(c.outdoor);
    boxPlacement->SelectBoxModel(outdoor);

    EXPECT_EQ(BoxModelName(d, *boxPlacement), c.model);
    EXPECT_EQ(boxPlacement->GetErrorText(), testsupport::Ansi(c.error));
    EXPECT_EQ(boxPlacement->GetErrorLevel(), c.error.empty() ? 0 : 3);
  }
}

// The selection runs on every edit of a system: a box whose model does not change is not written
// again, and a new selection replaces the last one's error.
TEST(BoxSelection, WritesOnlyWhatChanges) {
  DesignStore d("boxes");
  Cls_QsOutPlacement* system = d.AddSystem("", 0);
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
  box->SetSeries("BSQ");
  box->Post();
  Cls_QsIndPlacement* unit = d.AddUnit(system, box, "QBC-80");
  unit->SetModel(d.Catalogue<Cls_IndoorUnit>("QBF-25"));
  Cls_OutdoorUnit* outdoor = d.Catalogue<Cls_OutdoorUnit>("QHR-20");
  box->SelectBoxModel(outdoor);
  EXPECT_EQ(box->GetErrorNumber(), 10065);

  unit->SetModel(d.Catalogue<Cls_IndoorUnit>("QBC-80"));
  int writes = 0;
  d.store.Project().SetChangeCallback([&](int, int, int, const std::string*, int) { ++writes; });
  box->SelectBoxModel(outdoor);
  EXPECT_EQ(BoxModelName(d, *box), "BSQ-100");
  EXPECT_EQ(box->GetErrorNumber(), 0);
  EXPECT_EQ(writes, 1);

  writes = 0;
  box->SelectBoxModel(outdoor);
  box->SelectBoxModel(nullptr);
  box->SelectBoxModel(nullptr);
  EXPECT_EQ(BoxModelName(d, *box), "");
  EXPECT_EQ(writes, 1);
  d.store.Project().SetChangeCallback(nullptr);
}

// The header's model is what its piping node names, read from the store at every call; a node
// without model gets the sizing of its system first, which cannot choose a header here.
TEST(HeaderModel, ReadsTheStoredChoiceOfItsPipingNode) {
  DesignStore d("boxes");
  Cls_QsOutPlacement* system = d.AddSystem("QHR-20", 0);
  Cls_QsHeaderPlacement* header = d.project->AddHeaderPlacement(*system, *system, nullptr, 4);
  d.AddUnit(system, header, "QBC-20");
  d.AddUnit(system, header, "QBC-30");
  EXPECT_EQ(header->GetHeaderModel(), nullptr);

  // Another handle on the node writes the choice.
  auto stored = header->RelatedObject(Cls_QsHeaderPipingNode::kTableId,
                                      Cls_QsHeaderPipingNode::kHeaderPlacement);
  auto* node = dynamic_cast<Cls_QsHeaderPipingNode*>(stored.get());
  ASSERT_NE(node, nullptr);
  auto* joint =
      dynamic_cast<Cls_HeaderJoint*>(d.CatalogueRecord(Cls_HeaderJoint::kTableId, "QHH-6"));
  node->SetHeaderJoint(joint);
  EXPECT_EQ(header->GetHeaderModel(), joint);
  node->SetHeaderJoint(nullptr);
  EXPECT_EQ(header->GetHeaderModel(), nullptr);

  // The system's tree is built again after the header asked for it.
  EXPECT_EQ(system->GetPipingNodes().size(), 4u);
}
