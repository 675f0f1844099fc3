// The catalogue's views under threads: report-style readers that run real queries (related
// records, cached objects, compatibility, piping, supply and capacity look-ups) while one writer
// inserts, changes and deletes records, and the life of the views across a reconnection.
//
// The stress case runs a few rounds here; QRN_STRESS_ROUNDS and QRN_STRESS_ITERATIONS raise
// them (scripts/run-tsan.sh does, under ThreadSanitizer). Nothing is timed; the only wait is a
// deadlock detector.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <latch>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CatalogueTestStore.h"
#include "catalogue/CapacityTables.h"
#include "catalogue/Combinations.h"
#include "catalogue/CompatTables.h"
#include "catalogue/Devices.h"
#include "catalogue/Documentation.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "catalogue/PowerSupplies.h"
#include "objectstore/StoreLock.h"
#include "objectstore/TableInfo.h"
#include "physics/MoistAir.h"
#include "support/TestSupport.h"

namespace {

constexpr int kStableIndoors = 20;  // indoor models 1..20 are never changed
constexpr int kBoxId = 1;

int EnvCount(const char* name, int fallback) {
  const char* text = std::getenv(name);
  const int value = text ? std::atoi(text) : 0;
  return value > 0 ? value : fallback;
}

// The capacity fixture (outdoor models 1 and 2 with curves, rows and factor tables) and, made
// through the object API: two supplies, indoor models 1..20 each with two allowed supplies (the
// default one giving an MCA of id + 0.5) and a documentation record (width 100 · id), model 1
// accepting indoor models 1..10 and model 2 indoor models 11..20, a box accepting indoor models
// 1..5, five pipe sizes (three liquid) and three joints (one deleted) usable with model 1 and
// below the box.
class CTThreadStore : public CTCatalogueTestStore {
 public:
  bool Fill() {
    if (!LoadFixture("capacity")) return false;
    auto standard = Add<Cls_PowerSupply>([](Cls_PowerSupply& s) {
      s.SetName("230V");
      s.SetBool(Cls_PowerSupply::kDefault, true);
    });
    auto other = Add<Cls_PowerSupply>([](Cls_PowerSupply& s) { s.SetName("400V"); });
    Cls_OutdoorUnit one(1, &factory);
    Cls_OutdoorUnit two(2, &factory);
    std::vector<std::unique_ptr<Cls_IndoorUnit>> indoors;
    for (int i = 1; i <= kStableIndoors; ++i) {
      indoors.push_back(
          Add<Cls_IndoorUnit>([&](Cls_IndoorUnit& u) { u.SetName("QIT-" + std::to_string(i)); }));
      Cls_IndoorUnit& indoor = *indoors.back();
      for (Cls_PowerSupply* supply : {other.get(), standard.get()}) {
        Add<Cls_QRNPSAllowed>([&](Cls_QRNPSAllowed& row) {
          row.SetReference(Cls_DevPSAllowed::kDevice, &indoor);
          row.SetReference(Cls_DevPSAllowed::kPowerSupply, supply);
          row.SetDouble(Cls_QRNPSAllowed::kMCA, i + (supply == standard.get() ? 0.5 : 0.0));
        });
      }
      Add<Cls_IndDocumentation>([&](Cls_IndDocumentation& doc) {
        doc.SetReference(Cls_DeviceDocumentation::kDevice, &indoor);
        doc.SetDouble(Cls_DeviceDocumentation::kWidth, 100.0 * i);
      });
      AddOutdoorRow(i <= 10 ? one : two, indoor);
    }
    auto box = Add<Cls_BSBox>([](Cls_BSBox& b) { b.SetName("QBS-1"); });
    for (int i = 0; i < 5; ++i) {
      Add<Cls_IBCombination>([&](Cls_IBCombination& row) {
        row.SetReference(Cls_IBCombination::kBSBox, box.get());
        row.SetReference(Cls_IBCombination::kIndoorUnit,
                         indoors[static_cast<std::size_t>(i)].get());
      });
    }
    const double sizes[] = {15.9, 6.4, 19.1, 9.5, 12.7};
    for (double mm : sizes) {
      Add<Cls_Diameter>([&](Cls_Diameter& d) {
        d.SetDouble(Cls_Diameter::kDiameter, mm);
        d.SetBool(Cls_Diameter::kIsLiquid, mm < 13.0);
      });
    }
    for (int j = 0; j < 3; ++j) {
      auto joint = Add<Cls_HeaderJoint>([&](Cls_HeaderJoint& h) {
        h.SetName("QHJ-" + std::to_string(j));
        h.SetDeleted(j == 1);
      });
      Add<Cls_OHJCombination>([&](Cls_OHJCombination& row) {
        row.SetReference(Cls_OHJCombination::kOutdoorUnit, &one);
        row.SetReference(Cls_OHJCombination::kHeaderJoint, joint.get());
      });
      Add<Cls_BHJCombination>([&](Cls_BHJCombination& row) {
        row.SetReference(Cls_BHJCombination::kBSBox, box.get());
        row.SetReference(Cls_BHJCombination::kHeaderJoint, joint.get());
      });
    }
    return box->RecordId() == kBoxId;
  }

  template <class T, class Set>
  std::unique_ptr<T> Add(Set set) {
    auto object = std::make_unique<T>(0, &factory);
    set(*object);
    object->Insert();
    return object;
  }

  std::unique_ptr<Cls_OICombination> AddOutdoorRow(Cls_OutdoorUnit& outdoor,
                                                   Cls_IndoorUnit& indoor) {
    return Add<Cls_OICombination>([&](Cls_OICombination& row) {
      row.SetReference(Cls_OICombination::kOutdoorUnit, &outdoor);
      row.SetReference(Cls_OICombination::kIndoorUnit, &indoor);
    });
  }
};

template <class T>
T& Cached(int tableId, int id, CTBaseFactory& factory) {
  auto* object = dynamic_cast<T*>(CTDbObject::CachedObject(tableId, id, &factory));
  if (!object) throw std::runtime_error("no record " + std::to_string(id));
  return *object;
}

// Collects what went wrong on any thread; the first message is kept.
class CTProblems {
 public:
  void Check(bool ok, const std::string& what) {
    if (ok) return;
    std::lock_guard lock(mutex_);
    if (count_++ == 0) first_ = what;
  }
  int Count() const { return count_; }
  const std::string& First() const { return first_; }

 private:
  std::mutex mutex_;
  int count_ = 0;
  std::string first_;
};

// What every reader must see of the stable records, read through both shared and own handles.
void ReadStableViews(CTBaseFactory& f, int iteration, const TAir& air, double& cooling,
                     CTProblems& problems) {
  Cls_OutdoorUnit& shared = Cached<Cls_OutdoorUnit>(119, 1, f);
  Cls_OutdoorUnit mine(1, &f);
  int status = 0;
  cooling = mine.GetCapacityAt(true, 27, 47, 35, 0, 150, air, status);
  problems.Check(status == kCapacityOk && cooling > 0, "cooling capacity computed");
  problems.Check(shared.GetCapacityAt(true, 27, 47, 35, 0, 150, air, status) == cooling,
                 "every handle sees the same capacity model");
  problems.Check(mine.GetCapacityAt(false, 20, 50, 0, 0, 200, air, status) > 0,
                 "heating capacity computed");
  problems.Check(&mine.GetCapacityFamilies(kCurveCoolingCapacity) ==
                     &shared.GetCapacityFamilies(kCurveCoolingCapacity),
                 "the families are shared");
  problems.Check(mine.GetCapVariationTable(kVariationCooling).Rows().size() == 3, "variation rows");
  problems.Check(mine.GetCapacityIndexAt(100.0) == 200.0, "capacity index at 100 %");
  problems.Check(mine.GetCompatibleIndoorUnits().size() == 10, "indoor models of model 1");
  problems.Check(&mine.GetCompatibleIndoorUnits() == &shared.GetCompatibleIndoorUnits(),
                 "the compatibility list is shared");
  problems.Check(GetJointRows(mine).size() == 2, "usable joints of model 1");
  problems.Check(Cls_Diameter::GetDiameterList(false, &f).size() == 5, "pipe sizes");
  problems.Check(Cls_Diameter::GetDiameterList(true, &f).size() == 3, "liquid sizes");
  Cls_BSBox box(kBoxId, &f);
  problems.Check(GetCompatibleIndoorUnits(box).size() == 5, "indoor models of the box");
  problems.Check(GetJointRows(box).size() == 2, "usable joints below the box");

  const int id = 1 + iteration % kStableIndoors;
  Cls_IndoorUnit& indoor = Cached<Cls_IndoorUnit>(109, id, f);
  Cls_IndoorUnit own(id, &f);
  problems.Check(indoor.GetMCA() == id + 0.5, "the default supply's MCA");
  problems.Check(own.GetPowerSupply() == indoor.GetPowerSupply() && own.GetPowerSupply(),
                 "the resolved supply is shared");
  double width = 0, height = 0, depth = 0, weight = 0;
  own.GetDimensions(width, height, depth, weight);
  problems.Check(width == 100.0 * id, "dimensions from the documentation");
}

// Model 2's indoor rows as one consistent state: the related-records query, a scan of the
// whole table and every row's indoor model agree inside one shared hold.
void ReadChangingRows(CTBaseFactory& f, CTProblems& problems) {
  CTBulkRead snapshot;
  Cls_OutdoorUnit two(2, &f);
  CTDbObjectList rows =
      two.RelatedObjects(Cls_OICombination::kTableId, Cls_OICombination::kOutdoorUnit);
  std::size_t scanned = 0;
  for (const auto& row : CTDbObject::AllObjects(Cls_OICombination::kTableId, false, &f)) {
    if (ReadReference(*row, Cls_OICombination::kOutdoorUnit) == LTRecordRef{119, 2}) ++scanned;
  }
  problems.Check(rows.size() == scanned, "query and scan agree");
  problems.Check(rows.size() >= 10, "the stable rows are there");
  for (const auto& row : rows) {
    const LTRecordRef indoor = ReadReference(*row, Cls_OICombination::kIndoorUnit);
    problems.Check(CTDbObject::CachedObject(indoor.tableId, indoor.recordId, &f) != nullptr,
                   "a row's indoor model exists");
  }
  problems.Check((two.RelatedObject(Cls_OICombination::kTableId, Cls_OICombination::kOutdoorUnit) !=
                  nullptr) == !rows.empty(),
                 "the first row");
}

// One round: a fresh store whose views readers build concurrently while the writer changes
// model 2's rows and indoor models.
void StressRound(int round, int readers, int iterations, CTProblems& problems) {
  CTThreadStore store;
  ASSERT_TRUE(store.Fill());
  CTBaseFactory& f = store.factory;
  const TAir air;
  std::latch start(readers + 1);
  std::vector<double> seen(static_cast<std::size_t>(readers), 0.0);
  std::size_t expectedRows = 10;

  auto reader = [&](int index) {
    try {
      start.arrive_and_wait();
      for (int i = 0; i < iterations; ++i) {
        ReadChangingRows(f, problems);
        double cooling = 0;
        ReadStableViews(f, i + index, air, cooling, problems);
        double& first = seen[static_cast<std::size_t>(index)];
        if (first == 0) first = cooling;
        problems.Check(cooling == first, "the capacity does not change");
      }
    } catch (const std::exception& e) {
      problems.Check(false, std::string("reader: ") + e.what());
    }
  };
  auto writer = [&] {
    try {
      start.arrive_and_wait();
      Cls_OutdoorUnit two(2, &f);
      std::vector<std::unique_ptr<Cls_IndoorUnit>> added;
      for (int i = 0; i < iterations; ++i) {
        const std::string name = "W" + std::to_string(round) + "-" + std::to_string(i);
        added.push_back(store.Add<Cls_IndoorUnit>([&](Cls_IndoorUnit& u) { u.SetName(name); }));
        auto row = store.AddOutdoorRow(two, *added.back());
        ++expectedRows;
        if (i % 3 == 0) {
          // A row moved to a stable model survives the deletion of the one it named first.
          Cls_IndoorUnit stable(11 + i % 10, &f);
          row->SetReference(Cls_OICombination::kIndoorUnit, &stable);
        } else if (added.size() > 2) {
          // Deleting a model deletes its rows through the cascading reference.
          Cls_IndoorUnit& old = *added[added.size() - 3];
          if (old.State() == CTDbObject::kStored &&
              !old.RelatedObjects(Cls_OICombination::kTableId, Cls_OICombination::kIndoorUnit)
                   .empty())
            --expectedRows;
          old.Delete();
        }
        added.back()->SetName(name + "'");
        added.back()->Post();
      }
    } catch (const std::exception& e) {
      problems.Check(false, std::string("writer: ") + e.what());
    }
  };

  testsupport::RunWithDeadline("stress round " + std::to_string(round), std::chrono::seconds(240),
                               [&] {
                                 std::vector<std::thread> threads;
                                 for (int r = 0; r < readers; ++r) threads.emplace_back(reader, r);
                                 threads.emplace_back(writer);
                                 for (auto& t : threads) t.join();
                               });

  Cls_OutdoorUnit two(2, &f);
  EXPECT_EQ(two.RelatedObjects(Cls_OICombination::kTableId, Cls_OICombination::kOutdoorUnit).size(),
            expectedRows);
  double cooling = 0;
  ReadStableViews(f, 0, air, cooling, problems);
  for (double value : seen) EXPECT_EQ(value, cooling);
}

}  // namespace

TEST(StoreStress, ReadersQueryAndBuildViewsWhileAWriterChangesRecords) {
  const int rounds = EnvCount("QRN_STRESS_ROUNDS", 2);
  const int iterations = EnvCount("QRN_STRESS_ITERATIONS", 30);
  CTProblems problems;
  for (int round = 0; round < rounds; ++round) StressRound(round, 4, iterations, problems);
  EXPECT_EQ(problems.Count(), 0) << problems.First();
}

TEST(CatalogueViews, DisconnectDropsTheViewsAndReconnectingRebuildsThem) {
  CTThreadStore store;
  ASSERT_TRUE(store.Fill());
  CTBaseFactory& f = store.factory;
  const TAir air;
  Cls_OutdoorUnit own(1, &f);
  Cls_IndoorUnit indoor(3, &f);
  const std::vector<TPolyCapList>* families = &own.GetCapacityFamilies(kCurveCoolingCapacity);
  ASSERT_EQ(families->size(), 3u);
  {
    // Every handle on the record shares the model; its families name the catalogue's instance,
    // which outlives the handle that built them.
    Cls_OutdoorUnit other(1, &f);
    EXPECT_EQ(&other.GetCapacityFamilies(kCurveCoolingCapacity), families);
  }
  EXPECT_EQ(&families->front().Unit(), &Cached<Cls_OutdoorUnit>(119, 1, f));
  EXPECT_EQ(own.GetCapVariationTable(kVariationCooling).Unit(),
            &Cached<Cls_OutdoorUnit>(119, 1, f));
  EXPECT_EQ(own.GetCompatibleIndoorUnits().size(), 10u);
  EXPECT_EQ(Cls_Diameter::GetDiameterList(false, &f).size(), 5u);
  ASSERT_NE(indoor.GetPowerSupply(), nullptr);

  // Disconnected, the views and cached instances are gone; the handles left over see an empty
  // catalogue instead of what was freed.
  f.DisconnectAll();
  EXPECT_TRUE(own.GetCapacityFamilies(kCurveCoolingCapacity).empty());
  EXPECT_TRUE(own.GetCompatibleIndoorUnits().empty());
  EXPECT_TRUE(Cls_Diameter::GetDiameterList(false, &f).empty());
  EXPECT_EQ(indoor.GetPowerSupply(), nullptr);

  // Reconnected to a catalogue with one combination row less, the views are built again.
  ASSERT_TRUE(f.ConnectAll());
  ASSERT_TRUE(store.Fill());
  for (const auto& row :
       own.RelatedObjects(Cls_OutCombination::kTableId, Cls_OutCombination::kOutdoorUnit)) {
    if (dynamic_cast<Cls_OutCombination&>(*row).Combination() == 130.0) row->Delete();
  }
  const auto& rebuilt = own.GetCapacityFamilies(kCurveCoolingCapacity);
  EXPECT_EQ(rebuilt.size(), 2u);
  EXPECT_EQ(&rebuilt.front().Unit(), &Cached<Cls_OutdoorUnit>(119, 1, f));
  int status = 0;
  EXPECT_GT(own.GetCapacityAt(true, 27, 47, 35, 0, 150, air, status), 0.0);
  EXPECT_EQ(own.GetCompatibleIndoorUnits().size(), 10u);
  EXPECT_EQ(Cls_Diameter::GetDiameterList(false, &f).size(), 5u);
  EXPECT_NE(indoor.GetPowerSupply(), nullptr);
}
