// The application core headless: start-up against the shipped and against test resources, the
// project life cycle with scripted answers, saving that keeps the previous file, and files that
// are not projects.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProgramEnvironment.h"
#include "app/FrontEnd.h"
#include "app/ProgramFactory.h"
#include "app/QRNSolvoMain.h"
#include "catalogue/CatalogueTestStore.h"
#include "catalogue/PipingTables.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "i18n/MessageButtons.h"
#include "i18n/Units.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

// A front end that answers the file dialogs from a script and records what it was told.
class LTScriptedFrontEnd : public CTFrontEnd {
 public:
  std::string ChooseOpenFile(const LTFileDialog& dialog) override {
    titles.push_back(dialog.title);
    return Next();
  }
  std::string ChooseSaveFile(const LTFileDialog& dialog, const std::string& suggested) override {
    titles.push_back(dialog.title);
    suggestions.push_back(suggested);
    return Next();
  }
  void SetTabImages(const std::array<int, kTabCount>& value) override { images = value; }
  void FocusControl(TQsControl control) override { focused.push_back(control); }

  std::vector<std::string> files;  // answers, in order; "" cancels
  std::vector<std::string> titles;
  std::vector<std::string> suggestions;
  std::vector<TQsControl> focused;
  std::array<int, kTabCount> images{};

 private:
  std::string Next() {
    if (files.empty()) return {};
    std::string file = files.front();
    files.erase(files.begin());
    return file;
  }
};

// A project text with one more table, of an id and name this program does not have.
std::string NewerProgramText(const std::string& plain) {
  const std::string header = "EDI100\n";
  return header + "5 13 Tbl_QsExtended 240\n5 6 Fld_ID 2\n0\n" + plain.substr(header.size());
}

// The embedded catalogue file.
std::string CatalogueText() {
  const auto bytes = CTResources::Find("DEVICE_DATABASE");
  return bytes ? std::string(*bytes) : std::string();
}

class ApplicationCore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(programtest::Connected());
    programtest::Ui().ClearShown();
  }

  // Starts the core; fails the test unless it runs.
  void Start() { ASSERT_EQ(core.StartUp({}), TStartUpResult::kRunning); }

  void Identify() {
    core.EditProjectIdentity(TQsControl::kProjectName, "Office");
    core.EditProjectIdentity(TQsControl::kProjectReference, "R-1");
    core.EditProjectIdentity(TQsControl::kClientName, "Client");
  }

  std::string StoredName() { return core.Project().Name(); }

  testsupport::TempDir dir;
  // Settings of the test's own: loading a project stores its settings as the preferences.
  CTSettingsStore settings{dir.File("settings-user.txt"), dir.File("settings-machine.txt")};
  CTScopedProcessSettings scopedSettings{settings};
  CTPreferences preferences;
  CTScopedPreferences scoped{preferences};
  LTScriptedFrontEnd front;
  CTQRNSolvoMainImpl core{&front};
};

TEST_F(ApplicationCore, StartsToANewProjectWithTheCatalogueCaches) {
  Start();
  EXPECT_TRUE(core.HasProject());
  EXPECT_FALSE(core.IsModified());
  EXPECT_TRUE(core.Caption().starts_with("QRN Solvo - ")) << core.Caption();
  EXPECT_GT(core.Caption().size(), std::string("QRN Solvo - ").size());
  EXPECT_EQ(front.images, (std::array<int, kTabCount>{2, 3, 3, 3, 3, 3}));
  EXPECT_TRUE(core.GlossaryLoaded());
  EXPECT_EQ(core.OutdoorUnits().size(), 58u);
  EXPECT_TRUE(core.HighCombinationSupported());
  EXPECT_TRUE(core.VentilationUnitsAvailable());
  EXPECT_GT(core.OutdoorHeightMax(), core.OutdoorHeightMin());
  ASSERT_FALSE(core.Refrigerants().empty());
  for (std::size_t i = 1; i < core.Refrigerants().size(); ++i) {
    EXPECT_LE(core.Refrigerants()[i - 1]->Rank(), core.Refrigerants()[i]->Rank());
  }
  EXPECT_FALSE(core.CentralControllerChoices().empty());
  // The added units: four air flows, two powers, the foot, and inches for diameters.
  EXPECT_EQ(CTUnitData::UnitName(U_Length, CTUnitData::UnitCount(U_Length) - 1), Ansi("фут"));
  EXPECT_EQ(CTUnitData::UnitCount(U_Appl1), 2);
  EXPECT_DOUBLE_EQ(CTUnitData::Convert(U_Appl1, 1, 0, 1), 25.4);
  EXPECT_EQ(CTUnitData::UnitName(U_Appl1, 0), CTUnitData::UnitName(U_ShortLength, 0));
  // A second start in the same process adds nothing twice.
  const int airflows = CTUnitData::UnitCount(U_Airflow);
  CTQRNSolvoMainImpl again;
  ASSERT_EQ(again.StartUp({}), TStartUpResult::kRunning);
  EXPECT_EQ(CTUnitData::UnitCount(U_Airflow), airflows);
  EXPECT_TRUE(programtest::Ui().Shown().empty());
}

TEST_F(ApplicationCore, StartUpWithTestResources) {
  // A catalogue whose version record says "5.30" is refused: the comparison is textual.
  const std::string wrongVersion =
      TextFile({TextTable("TBL_DdbVersionInfo", 101,
                          {{"DVI_ID", 2}, {"DVI_DbVersion", 5}, {"DVI_DataVersion", 5}})},
               {TextRecords(101, {"2 1 5 " + TextString("5.30") + " 5 " + TextString("x") + " "})});
  core.SetCatalogueSource(wrongVersion);
  EXPECT_EQ(core.StartUp({}), TStartUpResult::kStopped);
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_NE(programtest::Ui().Shown()[0].text.find("5.3 <> 5.30"), std::string::npos)
      << programtest::Ui().Shown()[0].text;
  EXPECT_FALSE(core.HasProject());

  // Without its glossary the program runs, untranslated.
  CTQRNSolvoMainImpl untranslated;
  untranslated.SetGlossaryEnabled(false);
  EXPECT_EQ(untranslated.StartUp({}), TStartUpResult::kRunning);
  EXPECT_FALSE(untranslated.GlossaryLoaded());
  EXPECT_TRUE(untranslated.HasProject());
}

TEST_F(ApplicationCore, SavingAndOpeningWithTheQuestions) {
  Start();
  // Saving asks for the identity first, in order, and points at the field.
  core.SaveProjectAs();
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].text, Ansi("Требуемое значение для 'Название проекта'."));
  EXPECT_EQ(front.focused, std::vector<TQsControl>{TQsControl::kProjectName});
  EXPECT_TRUE(front.titles.empty());

  Identify();
  EXPECT_TRUE(core.IsModified());
  const std::string file = dir.File("office");
  front.files = {file};
  core.SaveProjectAs();
  ASSERT_EQ(front.suggestions.size(), 1u);
  EXPECT_TRUE(front.suggestions[0].starts_with("Office_")) << front.suggestions[0];
  EXPECT_TRUE(front.suggestions[0].ends_with(".qrn"));
  // The extension is added to a name without one.
  EXPECT_TRUE(std::filesystem::exists(file + ".qrn"));
  EXPECT_FALSE(core.IsModified());
  EXPECT_EQ(core.Project().GetToolVersion(), "2.5.2");

  // A change, then Open: Cancel keeps everything; No drops the change and opens the file.
  Cls_QsOutPlacement* system = core.Project().AddOutdoorPlacement();
  ASSERT_NE(system, nullptr);
  EXPECT_TRUE(core.IsModified());
  programtest::Ui().ScriptButton(kBtnCancel);
  core.OpenProject();
  EXPECT_TRUE(core.IsModified());
  EXPECT_EQ(core.Project().GetPlacements().size(), 1u);
  EXPECT_TRUE(front.files.empty());

  programtest::Ui().ScriptButton(kBtnNo);
  front.files = {file + ".qrn"};
  core.OpenProject();
  EXPECT_FALSE(core.IsModified());
  EXPECT_EQ(StoredName(), "Office");
  EXPECT_TRUE(core.Project().GetPlacements().empty());

  // The close query: Cancel keeps the program open and the project unchanged.
  core.Project().AddOutdoorPlacement();
  programtest::Ui().ScriptButton(kBtnCancel);
  EXPECT_FALSE(core.QueryClose());
  EXPECT_TRUE(core.IsModified());
  EXPECT_EQ(core.Project().GetPlacements().size(), 1u);
  programtest::Ui().ScriptButton(kBtnNo);
  EXPECT_TRUE(core.QueryClose());
  EXPECT_FALSE(core.HasProject());
}

TEST_F(ApplicationCore, FilesOfOtherProgramVersions) {
  Start();
  Identify();
  struct LTCase {
    const char* version;
    bool accepted;
  };
  for (const LTCase& c : {LTCase{"1.1", true}, LTCase{"2.0", true}, LTCase{"1.3", true},
                          LTCase{"1.0", false}, LTCase{"0", false}, LTCase{"abc", false}}) {
    SCOPED_TRACE(c.version);
    core.LoadProject("", true);
    Identify();
    core.Project().SetDbVersion(c.version);
    core.Project().Post();
    const std::string file = dir.File(std::string("v") + c.version + ".qrn");
    ASSERT_TRUE(core.SaveProjectTo(file));
    programtest::Ui().ClearShown();
    EXPECT_EQ(core.LoadProject(file, false), c.accepted);
    ASSERT_TRUE(core.HasProject());
    EXPECT_EQ(StoredName(), c.accepted ? "Office" : "");
    if (c.accepted) {
      EXPECT_TRUE(programtest::Ui().Shown().empty());
    } else {
      ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
      EXPECT_EQ(programtest::Ui().Shown()[0].text,
                Ansi("Проект выполнен с помощью другой версии программы QRN Solvo"));
    }
    EXPECT_FALSE(core.IsModified());
  }
}

TEST_F(ApplicationCore, FilesThatAreNotProjectsGiveANewProject) {
  Start();
  Identify();
  const std::string good = dir.File("good.qrn");
  ASSERT_TRUE(core.SaveProjectTo(good));
  std::string bytes;
  {
    std::ifstream in(good, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  // The plain text of the saved file, and the same with a table this program does not know, as
  // a newer program might write it.
  std::string plain;
  {
    CTMemoryStream source(bytes);
    CTCompressedTextReader reader;
    ASSERT_TRUE(reader.Open(source, "Q3T"));
    char block[4096];
    for (std::size_t n; (n = reader.Text().Read(block, sizeof block)) > 0;) plain.append(block, n);
  }
  ASSERT_TRUE(plain.starts_with("EDI100")) << plain.substr(0, 40);
  // What the user is told: the file is no database of this program, or (a store without a
  // project, like the catalogue) it is of another program version.
  struct LTCase {
    const char* name;
    std::string content;
    bool readable;
  };
  const LTCase cases[] = {
      {"newer program", NewerProgramText(plain), false},
      {"the catalogue", CatalogueText(), true},
      {"empty", "", false},
      {"a PDF", "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj << /Type /Catalog >> endobj\n", false},
      {"cut short", bytes.substr(0, bytes.size() / 2), false},
      {"plain text that is no store", "EDI100\nnot a table\n", false},
  };
  for (const LTCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = dir.File(std::string(c.name) + ".qrn");
    std::ofstream(file, std::ios::binary) << c.content;
    programtest::Ui().ClearShown();
    EXPECT_FALSE(core.LoadProject(file, false));
    ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
    EXPECT_EQ(programtest::Ui().Shown()[0].text,
              c.readable ? Ansi("Проект выполнен с помощью другой версии программы QRN Solvo")
                         : Ansi("Недействительная структура базы данных в '") + file + "'.");
    ASSERT_TRUE(core.HasProject());
    EXPECT_EQ(StoredName(), "");
    EXPECT_FALSE(core.IsModified());
    // The new project is usable.
    EXPECT_NE(core.Project().AddOutdoorPlacement(), nullptr);
    EXPECT_EQ(core.Project().GetPlacements().size(), 1u);
  }
  // The good file still opens, and so does its plain text.
  std::ofstream(dir.File("plain.qrn"), std::ios::binary) << plain;
  core.LoadProject(dir.File("plain.qrn"), false);
  EXPECT_EQ(StoredName(), "Office");
  core.LoadProject(good, false);
  EXPECT_EQ(StoredName(), "Office");
}

TEST_F(ApplicationCore, AFailedSaveKeepsThePreviousFileAndTheChanges) {
  Start();
  Identify();
  const std::string file = dir.File("kept.qrn");
  ASSERT_TRUE(core.SaveProjectTo(file));
  const auto size = std::filesystem::file_size(file);
  for (int i = 0; i < 40; ++i) core.Project().AddOutdoorPlacement();
  ASSERT_TRUE(core.IsModified());

  // Files may grow to a few bytes only: the new file cannot be written.
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = before;
  limited.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  programtest::Ui().ClearShown();
  const bool saved = core.SaveProjectTo(file);
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(saved);
  EXPECT_TRUE(core.IsModified());
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_TRUE(programtest::Ui().Shown()[0].text.starts_with(Ansi("Невозможно создать файл")));
  EXPECT_EQ(std::filesystem::file_size(file), size);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with("settings-")) left.push_back(name);
  }
  EXPECT_EQ(left, std::vector<std::string>{"kept.qrn"});
  // The previous file opens as it was.
  programtest::Ui().ScriptButton(kBtnNo);
  core.CloseProject(false);
  core.LoadProject(file, false);
  EXPECT_EQ(StoredName(), "Office");
  EXPECT_TRUE(core.Project().GetPlacements().empty());
}

TEST_F(ApplicationCore, TheSuggestedFileName) {
  std::tm when{};
  when.tm_year = 2009 - 1900;
  when.tm_mon = 1;
  when.tm_mday = 3;
  when.tm_hour = 14;
  when.tm_min = 5;
  when.tm_isdst = -1;
  const std::time_t t = std::mktime(&when);
  // Each Cyrillic letter (one byte in CP1251) and the slash become an underscore.
  EXPECT_EQ(CTQRNSolvoMainImpl::DefaultFileName(Ansi("Офис/1"), t), "_____1_03022009_1405");
  EXPECT_EQ(CTQRNSolvoMainImpl::DefaultFileName("a\"*/:;<>?\\|b c", t),
            "a__________b c_03022009_1405");
}

TEST_F(ApplicationCore, EditingTheIdentityAndTheAward) {
  Start();
  Identify();
  ASSERT_TRUE(core.SaveProjectTo(dir.File("award.qrn")));
  // A trailing blank changes nothing.
  core.EditProjectIdentity(TQsControl::kProjectName, "Office ");
  EXPECT_FALSE(core.IsModified());
  EXPECT_EQ(StoredName(), "Office");

  // An award given for the identity as it is now.
  const int sum = CTQRNSolvoMainImpl::IdentityChecksum("Office", "R-1", "Client", "");
  std::string award{static_cast<char>(sum >> 8 & 0xFF), static_cast<char>(sum & 0xFF)};
  award += "Gold";
  core.Project().SetAwardString(award);
  core.Project().Post();
  EXPECT_EQ(core.AwardText(), "Gold");
  core.EditProjectIdentity(TQsControl::kClientAddress, "  ");
  EXPECT_EQ(core.AwardText(), "Gold");
  // A new address changes the checksum: the award goes, and does not come back.
  core.EditProjectIdentity(TQsControl::kClientAddress, "Street 1");
  EXPECT_EQ(core.AwardText(), "");
  core.EditProjectIdentity(TQsControl::kClientAddress, "");
  EXPECT_EQ(core.AwardText(), "");
  EXPECT_EQ(CTQRNSolvoMainImpl::IdentityChecksum(" ", "", "", ""), 1);
}

TEST_F(ApplicationCore, UninstallMode) {
  // Settings of their own: uninstalling removes the program's key and the data-source entry.
  CTSettingsStore settings(dir.File("user.txt"), dir.File("machine.txt"));
  CTScopedProcessSettings scopedSettings(settings);
  ASSERT_TRUE(settings.WriteValue(CTSettingsHive::CurrentUser, CTPreferences::kKeyPath, "X",
                                  LTSettingsValue::Integer(1)));
  ASSERT_TRUE(settings.WriteValue(CTSettingsHive::CurrentUser, "Software\\Ostrel\\Other", "Y",
                                  LTSettingsValue::Integer(2)));
  ASSERT_TRUE(EnsureProjectDataSource());
  const auto programKeyExists = [&] {
    return settings.KeyExists(CTSettingsHive::CurrentUser,
                              "Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo");
  };

  // No: nothing changes, and the program stops.
  programtest::Ui().ScriptButton(kBtnNo);
  EXPECT_EQ(core.StartUp({"/UNINSTALL"}), TStartUpResult::kStopped);
  ASSERT_EQ(programtest::Ui().Shown().size(), 1u);
  EXPECT_EQ(programtest::Ui().Shown()[0].text,
            Ansi("Вы действительно хотите деинсталировать QRN Solvo?"));
  EXPECT_TRUE(programKeyExists());
  EXPECT_FALSE(core.HasProject());

  // Yes: the key goes with the parent left empty; the sibling stays.
  programtest::Ui().ClearShown();
  programtest::Ui().ScriptButton(kBtnYes);
  CTQRNSolvoMainImpl uninstalling;
  EXPECT_EQ(uninstalling.StartUp({"/uninstall"}), TStartUpResult::kStopped);
  EXPECT_FALSE(programKeyExists());
  EXPECT_FALSE(
      settings.KeyExists(CTSettingsHive::CurrentUser, "Software\\Ostrel\\Hi-QRN Selection"));
  EXPECT_TRUE(settings.KeyExists(CTSettingsHive::CurrentUser, "Software\\Ostrel\\Other"));
  ASSERT_EQ(programtest::Ui().Shown().size(), 2u);
  EXPECT_EQ(programtest::Ui().Shown()[1].text,
            Ansi("Программа QRN Solvo успешно деинсталлирована"));

  // With a second argument it is no uninstall: the first names a project file (there is none).
  programtest::Ui().ClearShown();
  CTQRNSolvoMainImpl running;
  EXPECT_EQ(running.StartUp({"/uninstall", "more"}), TStartUpResult::kRunning);
  EXPECT_TRUE(running.HasProject());
  EXPECT_TRUE(programtest::Ui().Shown().empty());
}

TEST_F(ApplicationCore, TabsFollowTheDesign) {
  Start();
  Cls_QsOutPlacement* system = core.Project().AddOutdoorPlacement();
  core.RefreshTabStates();
  EXPECT_EQ(front.images, (std::array<int, kTabCount>{2, 2, 3, 3, 3, 3}));
  EXPECT_FALSE(core.CanEnterTab(TQsTab::kPiping));
  Cls_QsIndPlacement* unit = core.Project().AddIndoorPlacement();
  unit->SetSeries("QRN");
  unit->SetFamily("CF");
  unit->SetCoolCapReqTotal(12);
  unit->SetCoolCapReqSensible(0);
  unit->SetHeatCapReq(0);
  unit->Post();
  system->SetSeries("QOH");
  system->SetFamily(1);
  system->Post();
  system->ConnectPlacement(unit, system, nullptr);
  core.RecalculateProject();
  EXPECT_NE(system->GetModel(), nullptr) << system->GetErrorText();
  EXPECT_EQ(front.images, (std::array<int, kTabCount>{2, 2, 2, 2, 2, 2}))
      << system->GetErrorText() << unit->GetErrorText();
  EXPECT_TRUE(core.CanEnterTab(TQsTab::kReports));
}

}  // namespace
