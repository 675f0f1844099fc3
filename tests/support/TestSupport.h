#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Shared helpers of the test executables.
namespace testsupport {

// Folder of the checked-in test data files.
std::string DataDir();
// Path of a file under the test data folder.
std::string DataPath(std::string_view name);
// Path of the catalogue fixture NAME, compiled by the build from the table sources in
// tests/data/catalogue/NAME/ (the target catalogue_fixtures).
std::string CatalogueFixture(std::string_view name);
// The folder the compiled catalogue fixtures are in.
std::string CatalogueFixtureDir();

// A fresh temporary folder, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);

// CP1251 bytes of a UTF-8 literal, for comparing with the program's texts.
std::string Ansi(std::string_view utf8);

// Deterministic pseudo-random bytes (xorshift), for codec and parser tests.
std::string RandomBytes(std::size_t count, std::uint64_t seed);

// Text shaped like an object-store file (header, schema lines, record lines) of the given size,
// for codec tests and benchmarks.
std::string StoreLikeText(std::size_t size);

// The lines of a listing (a golden text kept under tests/data): line ends, blank lines and
// comment lines ("#...") dropped.
std::vector<std::string> ListingLines(const std::string& text);
// Expects the two listings to be equal line by line; names at most the first five lines that
// differ.
void ExpectSameListing(const std::vector<std::string>& actual,
                       const std::vector<std::string>& expected);

// Runs a shell command line; returns its exit status and fills output with stdout+stderr.
int RunCommand(const std::string& commandLine, std::string* output = nullptr);

// Runs body on a thread of its own and waits for it at most limit, as a deadlock detector (not
// a speed check). A body that has not finished by then is stuck: the case fails and the test
// executable ends at once, since the cases after it would hang on whatever it holds. Exceptions
// the body throws reach the caller.
void RunWithDeadline(const std::string& what, std::chrono::seconds limit,
                     std::function<void()> body);

}  // namespace testsupport
