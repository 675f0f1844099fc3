#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <streambuf>

#include "catalogue/OutdoorUnits.h"
#include "cli/CliCatalogue.h"
#include "cli/CliCommands.h"
#include "platform/Resources.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

// A catalogue file serves the one connection that asked for it: the embedded catalogue stays in
// place for everybody else, and connecting writes no settings.
TEST(CliCatalogue, AFileCatalogueLeavesTheEmbeddedOneAlone) {
  testsupport::TempDir dir;
  CTSettingsStore settings(dir.File("user.txt"), dir.File("machine.txt"));
  CTSettingsStore::SetProcess(&settings);
  const auto embedded = CTResources::Find("DEVICE_DATABASE");
  ASSERT_TRUE(embedded);
  std::ostringstream err;
  {
    CTCliCatalogue catalogue(err);
    ASSERT_TRUE(catalogue.Open(testsupport::CatalogueFixture("capacity")))
        << err.str();
    ASSERT_NE(catalogue.FindOutdoorUnit("qot-10"), nullptr);
    EXPECT_EQ(catalogue.FindOutdoorUnit("QOH-16"), nullptr);
  }
  const auto after = CTResources::Find("DEVICE_DATABASE");
  ASSERT_TRUE(after);
  EXPECT_EQ(after->data(), embedded->data());
  EXPECT_EQ(after->size(), embedded->size());
  {
    CTCliCatalogue catalogue(err);
    ASSERT_TRUE(catalogue.Open("")) << err.str();
    EXPECT_NE(catalogue.FindOutdoorUnit("QOH-16"), nullptr);
    EXPECT_EQ(catalogue.FindOutdoorUnit("QOT-10"), nullptr);
  }
  EXPECT_EQ(err.str(), "");
  EXPECT_FALSE(testsupport::FileExists(dir.File("user.txt")));
  CTSettingsStore::SetProcess(nullptr);
}

namespace {

// A stream buffer whose every write fails.
class CTFailingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

}  // namespace

// An exception that escapes a command ends the program with one line and exit status 1 instead
// of aborting it.
TEST(CliMain, AnEscapingExceptionIsOneLine) {
  CTFailingBuffer failing;
  std::ostream out(&failing);
  out.exceptions(std::ios::badbit);
  std::ostringstream err;
  const char* const argv[] = {"qrnsolvo-cli", "air", "--db", "27", "--rh", "50"};
  EXPECT_EQ(CliMain(6, argv, out, err), 1);
  const std::string line = err.str();
  EXPECT_EQ(line.rfind("qrnsolvo-cli: ", 0), 0u) << line;
  EXPECT_GT(line.size(), std::string("qrnsolvo-cli: \n").size()) << line;
  EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
}
