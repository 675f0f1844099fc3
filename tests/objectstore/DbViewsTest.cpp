#include <gtest/gtest.h>

#include <stdexcept>

#include "TestStore.h"
#include "objectstore/DbViews.h"

using namespace teststore;

namespace {

struct LTCountView : CTDbView {
  CTOnce once;
  int builds = 0;
};
struct LTOtherView : CTDbView {};

}  // namespace

TEST(DbViews, OneViewPerTypeAndRecordDroppedWithTheConnection) {
  TestStore store;
  auto family = store.Add(kFamily, "F");
  CTDbViews& views = store.Project().Views();
  LTCountView& view = views.Get<LTCountView>(kFamily, family->RecordId());
  EXPECT_EQ(&views.Get<LTCountView>(kFamily, family->RecordId()), &view);
  EXPECT_NE(static_cast<void*>(&views.Get<LTOtherView>(kFamily, family->RecordId())),
            static_cast<void*>(&view));
  EXPECT_NE(&views.Get<LTCountView>(kFamily, family->RecordId() + 1), &view);

  // A handle's link finds the record's shared view; a new object has one of its own.
  CTViewLink<LTCountView> link;
  EXPECT_EQ(&link.Of(*family), &view);
  EXPECT_TRUE(link.IsShared());
  auto fresh = store.factory.CreateObject(kFamily, 0);
  CTViewLink<LTCountView> own;
  EXPECT_NE(&own.Of(*fresh), &view);
  EXPECT_FALSE(own.IsShared());

  // A part that fails to build is built again on the next request, then never again.
  EXPECT_THROW(view.once.Run([&] {
    ++view.builds;
    throw std::runtime_error("no");
  }),
               std::runtime_error);
  for (int i = 0; i < 2; ++i) view.once.Run([&] { ++view.builds; });
  EXPECT_EQ(view.builds, 2);
  EXPECT_TRUE(view.once.Done());

  // Disconnecting drops the views; the link notices and resolves the new connection's view.
  const auto serial = views.Serial();
  store.factory.DisconnectDatabase(1);
  store.factory.ConnectDatabase(1);
  auto again = store.Add(kFamily, "F");
  ASSERT_EQ(again->RecordId(), family->RecordId());
  CTDbViews& reconnected = store.Project().Views();
  EXPECT_NE(reconnected.Serial(), serial);
  EXPECT_EQ(&link.Of(*family), &reconnected.Get<LTCountView>(kFamily, family->RecordId()));
  EXPECT_EQ(reconnected.Get<LTCountView>(kFamily, family->RecordId()).builds, 0);
}

TEST(DbViews, CachedInstancesArePublishedFullyLoaded) {
  // Threads share a cached instance, so none of its fields may be left to a lazy load.
  TestStore store;
  auto indoor = store.Add(kIndoor, "I");
  indoor->SetString(kDevNotes, "lazy");
  indoor->Post();
  CTDbObject* cached = CTDbObject::CachedObject(kIndoor, indoor->RecordId(), &store.factory);
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(cached->State(), CTDbObject::kStored);
  EXPECT_EQ(cached->Values().GetBytes(kDevNotes), "lazy");
}
