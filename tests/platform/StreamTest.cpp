#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/FileStream.h"
#include "platform/MemoryStream.h"
#include "platform/SafeFileWriter.h"
#include "support/TestSupport.h"

using testsupport::TempDir;

TEST(MemoryStream, ReadsWritesAndSeeks) {
  CTMemoryStream m;
  m.WriteAll(std::string("hello"));
  EXPECT_EQ(m.Seek(1, CTStream::Origin::Begin), 1);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 4u);
  EXPECT_EQ(std::string(buf, 4), "ello");
  EXPECT_EQ(m.Read(buf, 8), 0u);
  EXPECT_EQ(m.Seek(-1, CTStream::Origin::Begin), -1);
  EXPECT_EQ(m.Seek(2, CTStream::Origin::End), 7);
  m.WriteAll(std::string("!"));
  EXPECT_EQ(m.Text(), std::string("hello\0\0!", 8));
}

TEST(FileStream, OpenFailuresSayWhy) {
  TempDir dir;
  std::string reason;
  EXPECT_EQ(CTFileStream::Open(dir.File("missing"), CTFileStream::Mode::Read, &reason), nullptr);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(CTFileStream::Open(dir.Path(), CTFileStream::Mode::Read, &reason), nullptr);
}

TEST(SafeFileWriter, KeepsThePreviousFileUntilCommit) {
  TempDir dir;
  const std::string path = dir.File("project.qrn");
  testsupport::WriteFile(path, "old");
  ::chmod(path.c_str(), 0640);
  {
    CTSafeFileWriter writer(path);
    ASSERT_TRUE(writer.IsOpen());
    writer.Stream()->WriteAll(std::string("new contents"));
    EXPECT_EQ(testsupport::ReadFile(path), "old");  // nothing replaced yet
    // Dropped without Commit: the old file stays and no temporary file is left behind.
  }
  EXPECT_EQ(testsupport::ReadFile(path), "old");
  {
    CTSafeFileWriter writer(path);
    writer.Stream()->WriteAll(std::string("new contents"));
    ASSERT_TRUE(writer.Commit());
  }
  EXPECT_EQ(testsupport::ReadFile(path), "new contents");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
    ++files;
  EXPECT_EQ(files, 1);
}

TEST(SafeFileWriter, ReportsAnUnwritableFolder) {
  CTSafeFileWriter writer("/nonexistent-folder/x.qrn");
  EXPECT_FALSE(writer.IsOpen());
  EXPECT_FALSE(writer.ErrorText().empty());
  EXPECT_FALSE(writer.Commit());
}
