#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/SettingsKey.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

using namespace std::string_literals;
using testsupport::Ansi;
using testsupport::TempDir;

namespace {

constexpr auto kUser = CTSettingsHive::CurrentUser;
constexpr auto kMachine = CTSettingsHive::LocalMachine;
constexpr char kPreferences[] = "Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo\\Preferences";

using Names = std::vector<std::string>;

std::string ValueText(const LTSettingsValue& value) {
  switch (value.type) {
    case LTSettingsType::Integer:
      return "int:" + std::to_string(value.integer);
    case LTSettingsType::Binary:
      return "bin:" + value.bytes;
    case LTSettingsType::String:
      return "str:" + value.bytes;
  }
  return "?";
}

// Everything a hive holds, one line per value ("[key] name=type:data") or empty key ("[key]").
void DumpKey(CTSettingsStore& store, CTSettingsHive hive, const std::string& path,
             std::string& out) {
  const Names values = store.ValueNames(hive, path);
  for (const std::string& name : values)
    out += "[" + path + "] " + name + "=" + ValueText(*store.ReadValue(hive, path, name)) + "\n";
  if (values.empty() && !path.empty() && !store.HasSubKeys(hive, path)) out += "[" + path + "]\n";
  for (const std::string& sub : store.SubKeyNames(hive, path))
    DumpKey(store, hive, path.empty() ? sub : path + "\\" + sub, out);
}

std::string Dump(CTSettingsStore& store, CTSettingsHive hive = kUser) {
  std::string out;
  DumpKey(store, hive, "", out);
  return out;
}

// UTF-8 without control characters other than the line ends.
bool IsPlainUtf8Text(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b == '\n' || (b >= 0x20 && b < 0x7F)) {
      ++i;
      continue;
    }
    const int extra = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : -1;
    if (extra < 0 || i + extra >= text.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

// Sets (or with nullopt removes) an environment variable for the lifetime of the object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
    if (value)
      ::setenv(name_, value->c_str(), 1);
    else
      ::unsetenv(name_);
  }
  const char* name_;
  std::optional<std::string> old_;
};

class SettingsStoreTest : public ::testing::Test {
 protected:
  std::string UserFile() const { return dir_.File("user-settings.txt"); }
  std::string MachineFile() const { return dir_.File("machine-settings.txt"); }
  CTSettingsStore& Store() { return store_; }
  // Another instance of the program on the same files.
  std::unique_ptr<CTSettingsStore> Other() const {
    return std::make_unique<CTSettingsStore>(UserFile(), MachineFile());
  }

  TempDir dir_;
  CTSettingsStore store_{UserFile(), MachineFile()};
};

}  // namespace

TEST(SettingsValue, DoublesAreEightRawLittleEndianBytes) {
  EXPECT_EQ(BytesFromDouble(1.0), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
  EXPECT_EQ(BytesFromDouble(-2.5), std::string("\0\0\0\0\0\0\x04\xC0", 8));
  for (double value : {0.0, -0.0, 21.75, -273.15, 5e-324, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN()}) {
    const std::string bytes = BytesFromDouble(value);
    const auto back = DoubleFromBytes(bytes);
    ASSERT_TRUE(back) << value;
    EXPECT_EQ(BytesFromDouble(*back), bytes) << value;  // bit for bit, NaN and -0 included
  }
  EXPECT_FALSE(DoubleFromBytes(std::string(7, '\0')));
  EXPECT_FALSE(DoubleFromBytes(std::string(9, '\0')));
}

TEST_F(SettingsStoreTest, EveryValueRoundTripsThroughTheFile) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  const std::string key = "Software\\Ostrel\\" + Ansi("Настройки") + " [a=b] %41;#\x98 ";
  struct Case {
    std::string name;
    LTSettingsValue value;
  };
  const Case cases[] = {
      {"Language", LTSettingsValue::Integer(1049)},
      {"Min", LTSettingsValue::Integer(std::numeric_limits<std::int32_t>::min())},
      {"Max", LTSettingsValue::Integer(std::numeric_limits<std::int32_t>::max())},
      {"", LTSettingsValue::String("the default value")},
      {"@", LTSettingsValue::String("")},
      {"All bytes", LTSettingsValue::String(allBytes)},
      {"Raw", LTSettingsValue::Binary(allBytes)},
      {"Nothing", LTSettingsValue::Binary("")},
      {"Scale", LTSettingsValue::Double(0.1)},
      {" = [x] \\ %41 ;# ", LTSettingsValue::String("  padded  ")},
      {Ansi("Имя") + "\x98", LTSettingsValue::String(Ansi("Иванов Ёж"))},
      {std::string("\0\n\r\t\x7F", 5), LTSettingsValue::String("line 1\r\nline 2\n")},
  };
  for (const Case& c : cases)
    ASSERT_TRUE(Store().WriteValue(kUser, key, c.name, c.value)) << c.name;

  auto other = Other();
  Names names;
  for (const Case& c : cases) {
    EXPECT_EQ(other->ReadValue(kUser, key, c.name), c.value) << c.name;
    names.push_back(c.name);
  }
  EXPECT_EQ(other->ValueNames(kUser, key), names);
  EXPECT_TRUE(IsPlainUtf8Text(testsupport::ReadFile(UserFile())));
}

// A batch of values is one change of the file: written together, and rewritten only when a value
// differs.
TEST_F(SettingsStoreTest, ValuesWrittenTogetherReplaceTheFileOnce) {
  const std::vector<std::pair<std::string, LTSettingsValue>> values = {
      {"A", LTSettingsValue::Integer(1)},
      {"B", LTSettingsValue::String("two")},
      {"C", LTSettingsValue::Double(3.5)},
  };
  ASSERT_TRUE(Store().WriteValues(kUser, kPreferences, values));
  auto other = Other();
  for (const auto& [name, value] : values)
    EXPECT_EQ(other->ReadValue(kUser, kPreferences, name), value) << name;
  struct stat before {};
  ASSERT_EQ(::stat(UserFile().c_str(), &before), 0);
  ASSERT_TRUE(Store().WriteValues(kUser, kPreferences, values));  // nothing differs
  struct stat after {};
  ASSERT_EQ(::stat(UserFile().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // a replacement would make a new file
}

TEST_F(SettingsStoreTest, FileIsReadableText) {
  ASSERT_TRUE(Store().WriteValue(kUser, kPreferences, "Language", LTSettingsValue::Integer(1049)));
  ASSERT_TRUE(Store().WriteValue(kUser, kPreferences, "Scale", LTSettingsValue::Double(1.0)));
  ASSERT_TRUE(Store().WriteValue(kUser, kPreferences, "LastUser",
                                 LTSettingsValue::String(Ansi("Иванов 100%"))));
  ASSERT_TRUE(Store().WriteValue(kUser, kPreferences, "", LTSettingsValue::String("x")));
  ASSERT_TRUE(Store().CreateKey(kUser, "Software\\ODBC\\ODBC.INI\\QRN_Solvo_Project"));
  const std::string text = testsupport::ReadFile(UserFile());
  EXPECT_EQ(text.substr(text.find('\n') + 1),
            "\n[Software\\ODBC\\ODBC.INI\\QRN_Solvo_Project]\n"
            "\n[Software\\Ostrel\\Hi-QRN Selection\\QRNSolvo\\Preferences]\n"
            "Language = int:1049\n"
            "Scale = bin:00 00 00 00 00 00 F0 3F\n"
            "LastUser = str:Иванов 100%25\n"
            "@ = str:x\n");
}

TEST_F(SettingsStoreTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  const std::string project = "Software\\Ostrel\\QRNSolvo";
  ASSERT_TRUE(Store().WriteValue(kUser, project, "LastProject", LTSettingsValue::String("a.qrn")));
  ASSERT_TRUE(Store().WriteValue(kUser, "SOFTWARE\\ostrel\\qrnsolvo", "LASTPROJECT",
                                 LTSettingsValue::String("b.qrn")));
  ASSERT_TRUE(Store().CreateKey(kUser, "software\\OSTREL\\Catalogue"));
  ASSERT_TRUE(Store().CreateKey(kUser, "software\\ostrel\\apex"));

  auto other = Other();
  EXPECT_EQ(other->ReadValue(kUser, "software\\OSTREL\\QrnSolvo", "lastproject"),
            LTSettingsValue::String("b.qrn"));
  EXPECT_EQ(other->ValueNames(kUser, project), Names{"LastProject"});
  EXPECT_EQ(other->SubKeyNames(kUser, ""), Names{"Software"});
  EXPECT_EQ(other->SubKeyNames(kUser, "SOFTWARE\\OSTREL"),
            (Names{"apex", "Catalogue", "QRNSolvo"}));
  // Stray separators do not name another key.
  EXPECT_TRUE(other->KeyExists(kUser, "\\Software\\\\Ostrel\\"));
  EXPECT_FALSE(other->KeyExists(kUser, "Software\\Ostrel\\QRN"));
}

TEST_F(SettingsStoreTest, KeysOpenByAccessAndReadOnlyTheStoredType) {
  using Access = CTSettingsKey::Access;
  EXPECT_FALSE(CTSettingsKey::Open(Store(), kUser, kPreferences, Access::Read));
  EXPECT_FALSE(CTSettingsKey::Open(Store(), kUser, kPreferences, Access::Write));
  auto key = CTSettingsKey::Open(Store(), kUser, kPreferences, Access::Create);
  ASSERT_TRUE(key);
  EXPECT_TRUE(CTSettingsKey::Open(Store(), kUser, "Software\\Ostrel", Access::Write));

  ASSERT_TRUE(key->WriteInteger("Count", 3));
  ASSERT_TRUE(key->WriteString("Name", "12"));
  ASSERT_TRUE(key->WriteDouble("Scale", 2.5));
  ASSERT_TRUE(key->WriteBinary("Short", "1234567"));
  EXPECT_EQ(key->ReadInteger("Count"), 3);
  EXPECT_EQ(key->ReadString("Name"), "12");
  EXPECT_EQ(key->ReadDouble("Scale"), 2.5);
  EXPECT_EQ(key->ReadBinary("Scale"), BytesFromDouble(2.5));
  // No conversions between the types.
  EXPECT_FALSE(key->ReadString("Count"));
  EXPECT_FALSE(key->ReadBinary("Count"));
  EXPECT_FALSE(key->ReadInteger("Name"));
  EXPECT_FALSE(key->ReadDouble("Name"));
  EXPECT_FALSE(key->ReadInteger("Scale"));
  EXPECT_FALSE(key->ReadDouble("Short"));  // not 8 bytes
  EXPECT_FALSE(key->ReadInteger("Missing"));
}

TEST_F(SettingsStoreTest, DeletingAKeyRemovesEverythingBelowIt) {
  const auto one = LTSettingsValue::Integer(1);
  ASSERT_TRUE(Store().WriteValue(kUser, kPreferences, "Language", one));
  ASSERT_TRUE(
      Store().WriteValue(kUser, "Software\\Ostrel\\Hi-QRN Selection\\Recent\\2024", "a", one));
  ASSERT_TRUE(Store().WriteValue(kUser, "Software\\Ostrel\\Other", "b", one));
  ASSERT_TRUE(Store().WriteValue(kUser, "Software\\ODBC\\ODBC.INI\\QRN_Solvo_Project", "c", one));
  EXPECT_TRUE(Store().HasSubKeys(kUser, "Software\\Ostrel"));
  EXPECT_FALSE(Store().HasSubKeys(kUser, kPreferences));
  EXPECT_FALSE(Store().HasSubKeys(kUser, "Software\\Missing"));

  EXPECT_TRUE(Store().DeleteKey(kUser, "software\\ostrel\\HI-QRN SELECTION"));
  EXPECT_FALSE(Store().DeleteKey(kUser, "Software\\Ostrel\\Hi-QRN Selection"));
  EXPECT_FALSE(Store().DeleteKey(kUser, "\\"));  // the root stays
  auto key = CTSettingsKey::Open(Store(), kUser, "Software\\Ostrel", CTSettingsKey::Access::Write);
  ASSERT_TRUE(key);
  EXPECT_FALSE(key->DeleteSubKey(""));
  EXPECT_TRUE(Store().DeleteValue(kUser, "Software\\ODBC\\ODBC.INI\\QRN_Solvo_Project", "C"));
  EXPECT_FALSE(Store().DeleteValue(kUser, "Software\\ODBC\\ODBC.INI\\QRN_Solvo_Project", "c"));
  EXPECT_EQ(Dump(*Other()),
            "[Software\\ODBC\\ODBC.INI\\QRN_Solvo_Project]\n"
            "[Software\\Ostrel\\Other] b=int:1\n");

  // A key left without values or subkeys still exists.
  EXPECT_TRUE(key->DeleteSubKey("other"));
  EXPECT_FALSE(key->HasSubKeys());
  EXPECT_TRUE(Other()->KeyExists(kUser, "Software\\Ostrel"));
}

TEST_F(SettingsStoreTest, AnotherStoreSeesWritesAndNeitherLosesTheOthers) {
  auto second = Other();
  EXPECT_FALSE(second->KeyExists(kUser, "A"));  // loaded before the first store wrote
  ASSERT_TRUE(Store().WriteValue(kUser, "A", "x", LTSettingsValue::Integer(1)));
  EXPECT_EQ(second->ReadValue(kUser, "A", "x"), LTSettingsValue::Integer(1));
  // Each writes while its copy is out of date.
  ASSERT_TRUE(Store().WriteValue(kUser, "A", "z", LTSettingsValue::Integer(3)));
  ASSERT_TRUE(second->WriteValue(kUser, "B", "y", LTSettingsValue::Integer(2)));
  ASSERT_TRUE(Store().WriteValue(kMachine, "M", "m", LTSettingsValue::Integer(4)));
  const std::string expected = "[A] x=int:1\n[A] z=int:3\n[B] y=int:2\n";
  EXPECT_EQ(Dump(Store()), expected);
  EXPECT_EQ(Dump(*second), expected);
  EXPECT_EQ(Dump(*second, kMachine), "[M] m=int:4\n");
  ASSERT_TRUE(second->DeleteKey(kUser, "a"));
  EXPECT_FALSE(Store().KeyExists(kUser, "A"));
}

TEST_F(SettingsStoreTest, ConcurrentWritersToDifferentKeysBothSurvive) {
  constexpr int kWrites = 12;
  auto write = [](CTSettingsStore* store, std::string key, bool* ok) {
    for (int i = 0; i < kWrites; ++i)
      *ok = store->WriteValue(kUser, key, "v" + std::to_string(i), LTSettingsValue::Integer(i)) &&
            *ok;
  };
  auto first = Other();
  auto second = Other();
  bool firstOk = true;
  bool secondOk = true;
  std::thread a(write, first.get(), "Instance 1", &firstOk);
  std::thread b(write, second.get(), "Instance 2", &secondOk);
  a.join();
  b.join();
  EXPECT_TRUE(firstOk);
  EXPECT_TRUE(secondOk);
  for (const char* key : {"Instance 1", "Instance 2"})
    for (int i = 0; i < kWrites; ++i)
      EXPECT_EQ(Store().ReadValue(kUser, key, "v" + std::to_string(i)), LTSettingsValue::Integer(i))
          << key << " " << i;
}

TEST_F(SettingsStoreTest, MalformedFilesReadAsFarAsTheyAreValid) {
  std::string tooDeep = "[";
  for (int i = 0; i < 600; ++i) tooDeep += "k\\";
  const struct {
    const char* what;
    std::string text;
    std::string expected;
  } cases[] = {
      {"empty", "", ""},
      {"value before any section", "x = int:1\n[A]\ny = int:2\n", "[A] y=int:2\n"},
      {"bad value lines",
       "[A]\nno equals sign\nq = qword:5\nb%G1 = int:1\nc = str:50%\nd = str:%4\n"
       "e = int:4294967296\nf = int:12abc\ng = int:\nh = bin:0\ni = bin:zz\nj = str\nok = int:7\n",
       "[A] ok=int:7\n"},
      {"bad section headers hide their values",
       "[A]\na = int:1\n[B%ZZ]\nb = int:2\n[C\nc = int:3\n[D%5CE]\nd = int:4\n[F]\nf = int:5\n",
       "[A] a=int:1\n[F] f=int:5\n"},
      {"cut inside a line", "[A]\nname = str:abc", "[A] name=str:abc\n"},
      {"cut inside a header", "[A]\nx = int:1\n[Sof", "[A] x=int:1\n"},
      {"repeated names merge", "[A]\nx = int:1\n[a]\nX = int:2\n", "[A] x=int:2\n"},
      {"line ends and stray bytes", "[A]\r\nx = int:1\r\n\0\0\xFF\n"s, "[A] x=int:1\n"},
      {"hand-written spacing", "; comment\n  [ A \\ B ]  \n  x=  int: 9 \n# y = int:1\n",
       "[A\\B] x=int:9\n"},
      {"nested too deep", tooDeep + "]\nx = int:1\n", ""},
  };
  for (const auto& c : cases) {
    testsupport::WriteFile(UserFile(), c.text);
    EXPECT_EQ(Dump(*Other()), c.expected) << c.what;
  }
}

TEST_F(SettingsStoreTest, AnyBytesReadAndWriteBackWhatWasUnderstood) {
  const std::string big(1 << 18, 'x');
  const std::string inputs[] = {
      "[A]\nbig = str:" + big + "\n",
      testsupport::RandomBytes(1 << 16, 1),
      "[K]\n" + testsupport::RandomBytes(1 << 16, 2),
      std::string(1 << 16, '['),
      std::string(1 << 16, '\\'),
  };
  for (const std::string& input : inputs) {
    testsupport::WriteFile(UserFile(), input);
    auto store = Other();
    const std::string before = Dump(*store);
    // Saving writes back what was understood, and only that.
    ASSERT_TRUE(store->WriteValue(kUser, "New", "n", LTSettingsValue::Integer(1)));
    EXPECT_NE(Dump(*Other()).find("[New] n=int:1\n"), std::string::npos);
    ASSERT_TRUE(store->DeleteKey(kUser, "New"));
    EXPECT_EQ(Dump(*Other()), before);
  }
  testsupport::WriteFile(UserFile(), inputs[0]);
  EXPECT_EQ(Other()->ReadValue(kUser, "a", "BIG"), LTSettingsValue::String(big));

  // The deepest key allowed survives being written back.
  std::string deepest;
  for (int i = 0; i < 512; ++i) deepest += "k\\";
  testsupport::WriteFile(UserFile(), "[" + deepest + "]\nx = int:1\n");
  ASSERT_TRUE(Other()->WriteValue(kUser, "New", "n", LTSettingsValue::Integer(1)));
  EXPECT_EQ(Other()->ReadValue(kUser, deepest, "x"), LTSettingsValue::Integer(1));
  EXPECT_FALSE(Store().CreateKey(kUser, deepest + "k"));  // one more is too deep
}

TEST_F(SettingsStoreTest, UnwritableLocationsFailCleanly) {
  testsupport::WriteFile(dir_.File("plain"), "a file, not a folder");
  std::filesystem::create_directory(dir_.File("folder"));
  CTSettingsStore blocked(dir_.File("plain/qrnsolvo/user-settings.txt"), dir_.File("folder"));
  for (const auto hive : {kUser, kMachine}) {
    EXPECT_FALSE(blocked.CanWrite(hive));
    EXPECT_FALSE(blocked.WriteValue(hive, "Software", "x", LTSettingsValue::Integer(1)));
    EXPECT_FALSE(blocked.ErrorText(hive).empty());
    EXPECT_FALSE(CTSettingsKey::Open(blocked, hive, "Software", CTSettingsKey::Access::Create));
    EXPECT_EQ(Dump(blocked, hive), "");
  }

  // A folder that does not exist yet is made by the first write.
  CTSettingsStore fresh(dir_.File("new/deeper/user.txt"), dir_.File("new/machine.txt"));
  EXPECT_TRUE(fresh.CanWrite(kUser));
  EXPECT_TRUE(fresh.WriteValue(kUser, "Software", "x", LTSettingsValue::Integer(1)));
  EXPECT_TRUE(fresh.ErrorText(kUser).empty());
  EXPECT_TRUE(testsupport::FileExists(dir_.File("new/deeper/user.txt")));

  if (::geteuid() == 0) return;  // permissions do not bind the superuser
  const std::string folder = dir_.File("readonly");
  CTSettingsStore store(folder + "/user.txt", folder + "/machine.txt");
  ASSERT_TRUE(store.WriteValue(kUser, "Software", "x", LTSettingsValue::Integer(1)));
  ASSERT_TRUE(store.WriteValue(kMachine, "Software", "x", LTSettingsValue::Integer(1)));
  const std::string saved = testsupport::ReadFile(folder + "/user.txt");
  ::chmod((folder + "/machine.txt").c_str(), 0);  // unreadable: must never be overwritten
  ::chmod(folder.c_str(), 0555);
  for (const auto hive : {kUser, kMachine}) {
    EXPECT_FALSE(store.CanWrite(hive));
    EXPECT_FALSE(store.WriteValue(hive, "Software", "y", LTSettingsValue::Integer(2)));
  }
  ::chmod(folder.c_str(), 0755);
  EXPECT_FALSE(store.WriteValue(kMachine, "Software", "y", LTSettingsValue::Integer(2)));
  EXPECT_EQ(testsupport::ReadFile(folder + "/user.txt"), saved);
  EXPECT_EQ(store.ReadValue(kUser, "Software", "x"), LTSettingsValue::Integer(1));
}

TEST(SettingsLocations, FollowTheEnvironment) {
  TempDir dir;
  {
    ScopedVariable redirect("QRNSOLVO_SETTINGS_DIR", dir.Path());
    ScopedVariable config("XDG_CONFIG_HOME", "/elsewhere");
    CTSettingsStore store;
    EXPECT_EQ(store.FilePath(kUser), dir.File("user-settings.txt"));
    EXPECT_EQ(store.FilePath(kMachine), dir.File("machine-settings.txt"));
    ASSERT_TRUE(store.WriteValue(kUser, "U", "u", LTSettingsValue::Integer(1)));
    ASSERT_TRUE(store.WriteValue(kMachine, "M", "m", LTSettingsValue::Integer(2)));
    EXPECT_TRUE(testsupport::FileExists(dir.File("user-settings.txt")));
    EXPECT_TRUE(testsupport::FileExists(dir.File("machine-settings.txt")));
  }
  const struct {
    std::optional<std::string> redirect, config;
    std::string user;
  } cases[] = {
      {std::nullopt, "/xdg", "/xdg/qrnsolvo/user-settings.txt"},
      {std::nullopt, std::nullopt, "/home/someone/.config/qrnsolvo/user-settings.txt"},
      {std::nullopt, "relative/config", "/home/someone/.config/qrnsolvo/user-settings.txt"},
      {"", "/xdg", "/xdg/qrnsolvo/user-settings.txt"},
  };
  ScopedVariable home("HOME", "/home/someone");
  for (const auto& c : cases) {
    ScopedVariable redirect("QRNSOLVO_SETTINGS_DIR", c.redirect);
    ScopedVariable config("XDG_CONFIG_HOME", c.config);
    EXPECT_EQ(CTSettingsStore::DefaultFilePath(kUser), c.user);
    EXPECT_EQ(CTSettingsStore::DefaultFilePath(kMachine), "/etc/xdg/qrnsolvo/machine-settings.txt");
  }
}
