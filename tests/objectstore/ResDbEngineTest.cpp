#include <gtest/gtest.h>

#include "TestStore.h"
#include "objectstore/DbException.h"
#include "objectstore/ResDbEngine.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"

using namespace teststore;

namespace {

const char kCatalogue[] =
    "EDI100\r\n5 9 TBL_Model 20\r\n5 6 MOD_ID 2\r\n5 8 MOD_Code 5\r\n0\r\n0\r\n"
    "2 20 2 2\r\n2 1 5 3 M-1 \r\n2 2 5 3 M-2 \r\n0\r\n";

// The test store with the catalogue served from a program resource.
struct ResourceStore {
  explicit ResourceStore(const std::string& bytes) : resource(bytes) {
    CTResources::Register(LTResource{
        "TESTCATALOGUE", reinterpret_cast<const unsigned char*>(resource.data()), resource.size()});
    CTBaseFactory::ClearEngineClasses();
    CTResDbEngine::RegisterClass();
    CTMemDbEngine::RegisterClass();
    store.factory.DisconnectAll();
    store.factory.SetCompression(true, "Q3T");
  }
  ~ResourceStore() { CTResources::Unregister("TestCatalogue"); }
  std::string resource;
  TestStore store;
};

std::string Compressed(const std::string& text) {
  CTMemoryStream packed;
  CTCompressedTextWriter writer(packed, kCompressedMagic);
  writer.Text().WriteAll(text);
  writer.Finish();
  return packed.Text();
}

}  // namespace

TEST(ResDbEngine, ServesTheDatabaseWithAResourceOnly) {
  for (const std::string& bytes : {Compressed(kCatalogue), std::string(kCatalogue)}) {
    ResourceStore r(bytes);
    ASSERT_TRUE(r.store.factory.ConnectAll());
    CTDbEngine* catalogue = r.store.factory.Engine(0);
    EXPECT_EQ(catalogue->GetKindText(), "Resource");
    EXPECT_EQ(catalogue->RecordCount(kModel), 2);
    // The project has no resource and falls through to the memory engine.
    CTDbEngine* project = r.store.factory.Engine(1);
    EXPECT_EQ(dynamic_cast<CTResDbEngine*>(project), nullptr);
    // The resource engine has the memory engine's capabilities without the unnamed bit 8.
    EXPECT_EQ(catalogue->Capabilities() ^ project->Capabilities(),
              CapabilitySet({kCapUnnamedBit8}));
    EXPECT_FALSE(catalogue->Has(kCapUnnamedBit8));
    auto model = r.store.factory.CreateObject(kModel, 1);
    EXPECT_EQ(model->Name(), "M-1");
    model->SetName("changed");
    try {
      model->Post();
      ADD_FAILURE() << "a catalogue change went through";
    } catch (const CTDbException& e) {
      EXPECT_STREQ(e.what(), "CTDbException: Database table 'TBL_Model' is read-only");
    }
    r.store.factory.DisconnectAll();
  }
}

TEST(ResDbEngine, AnUnreadableResourceFailsTheConnection) {
  ResourceStore r("EDI100\r\n5 9 TBL_Model");
  const LTDbIoResult result = r.store.factory.TryConnectAll();
  EXPECT_EQ(result.status, LTDbIoResult::kInvalid);
  EXPECT_EQ(result.database, 0);
  EXPECT_FALSE(r.store.factory.IsConnected());
  EXPECT_TRUE(r.store.ui.Shown().empty());  // no message from the resource engine
}
