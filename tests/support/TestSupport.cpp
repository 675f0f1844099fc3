#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "platform/CodePage.h"

namespace testsupport {

std::string DataDir() {
  return QRN_TEST_DATA_DIR;
}

std::string DataPath(std::string_view name) {
  return DataDir() + "/" + std::string(name);
}

std::string CatalogueFixtureDir() {
  return QRN_CATALOGUE_FIXTURE_DIR;
}

std::string CatalogueFixture(std::string_view name) {
  return std::string(QRN_CATALOGUE_FIXTURE_DIR) + "/" + std::string(name) + ".txt";
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "qrn-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) {
  return std::filesystem::exists(path);
}

std::string Ansi(std::string_view utf8) {
  return Cp1251FromUtf8(utf8);
}

std::string RandomBytes(std::size_t count, std::uint64_t seed) {
  std::string out(count, '\0');
  std::uint64_t x = seed ? seed : 0x9E3779B97F4A7C15ull;
  for (auto& c : out) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    c = static_cast<char>(x >> 24);
  }
  return out;
}

std::string StoreLikeText(std::size_t size) {
  std::string text = "EDI100\r\n5 18 TBL_BHJCombination 74\r\n5 6 BHJ_ID 2\r\n0\r\n0\r\n";
  for (int id = 1; text.size() < size; ++id) {
    text += "2 " + std::to_string(id) + " 4 " + std::to_string(id * 37 % 1000) + ".5 5 11 QRN-" +
            std::to_string(id % 97) + "VRF 2 " + std::to_string(id % 13) + " 7 45" +
            std::to_string(id % 1000) + ".25 0 1 5 0  \r\n";
  }
  text.resize(size);
  return text;
}

int RunCommand(const std::string& commandLine, std::string* output) {
  const std::string full = commandLine + " 2>&1";
  FILE* pipe = ::popen(full.c_str(), "r");
  if (!pipe) return -1;
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int status = ::pclose(pipe);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void RunWithDeadline(const std::string& what, std::chrono::seconds limit,
                     std::function<void()> body) {
  std::packaged_task<void()> task(std::move(body));
  std::future<void> finished = task.get_future();
  std::thread thread(std::move(task));
  if (finished.wait_for(limit) != std::future_status::ready) {
    ADD_FAILURE() << what << " did not finish within " << limit.count() << " s: a deadlock";
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(1);
  }
  thread.join();
  finished.get();
}

std::vector<std::string> ListingLines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

void ExpectSameListing(const std::vector<std::string>& actual,
                       const std::vector<std::string>& expected) {
  ASSERT_FALSE(expected.empty());
  int mismatches = 0;
  for (std::size_t i = 0; i < std::max(actual.size(), expected.size()) && mismatches < 5; ++i) {
    const std::string a = i < actual.size() ? actual[i] : "(end)";
    const std::string e = i < expected.size() ? expected[i] : "(end)";
    if (a != e) ++mismatches;
    EXPECT_EQ(a, e) << "listing line " << i + 1;
  }
}

}  // namespace testsupport
