#include "cli/CliCommands.h"

#include <cerrno>
#include <ostream>

#include "i18n/BuiltinMessages.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/CompressedWrapper.h"
#include "platform/CodePage.h"
#include "platform/FileStream.h"
#include "platform/SafeFileWriter.h"

namespace {

constexpr int kMsgFileNotFound = -1;
constexpr int kMsgCannotOpen = -2;
constexpr int kMsgCannotCreate = -3;

const char kUsage[] =
    "usage: qrnsolvo-cli COMMAND ARGS\n"
    "  compress IN OUT   write IN to OUT as \"Q3T\" followed by its LZSS stream\n"
    "  expand IN OUT     expand a compressed IN to OUT (a plain IN is copied as it is)\n";

// Prints the program's numbered message for a file with the system's reason, as one UTF-8 line.
int Fail(std::ostream& err, int message, const std::string& path, const std::string& reason) {
  RegisterBuiltinMessages();
  std::string line = Utf8FromCp1251(TBaseMsg::GetText(message, CTMsgList{path}));
  if (!reason.empty()) line += " (" + reason + ")";
  err << "qrnsolvo-cli: " << line << '\n';
  return 1;
}

std::unique_ptr<CTFileStream> OpenInput(const std::string& path, std::ostream& err) {
  std::string reason;
  errno = 0;
  auto in = CTFileStream::Open(path, CTFileStream::Mode::Read, &reason);
  if (!in) Fail(err, errno == ENOENT ? kMsgFileNotFound : kMsgCannotOpen, path, reason);
  return in;
}

}  // namespace

int CompressFile(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  auto in = OpenInput(inPath, err);
  if (!in) return 1;
  CTSafeFileWriter out(outPath);
  if (!out.IsOpen()) return Fail(err, kMsgCannotCreate, outPath, out.ErrorText());
  try {
    CTCompressedTextWriter writer(*out.Stream(), kCompressedMagic);
    CopyStream(*in, writer.Text());
    writer.Finish();
  } catch (const CTStreamError& e) {
    return Fail(err, kMsgCannotCreate, outPath, e.what());
  }
  if (!out.Commit()) return Fail(err, kMsgCannotCreate, outPath, out.ErrorText());
  return 0;
}

int ExpandFile(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  auto in = OpenInput(inPath, err);
  if (!in) return 1;
  CTSafeFileWriter out(outPath);
  if (!out.IsOpen()) return Fail(err, kMsgCannotCreate, outPath, out.ErrorText());
  try {
    CTCompressedTextReader reader;
    if (!reader.Open(*in, kCompressedMagic)) return Fail(err, kMsgCannotOpen, inPath, "");
    CopyStream(reader.Text(), *out.Stream());
  } catch (const CTStreamError& e) {
    return Fail(err, kMsgCannotCreate, outPath, e.what());
  }
  if (!out.Commit()) return Fail(err, kMsgCannotCreate, outPath, out.ErrorText());
  return 0;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  if (args.size() == 3 && args[0] == "compress") return CompressFile(args[1], args[2], err);
  if (args.size() == 3 && args[0] == "expand") return ExpandFile(args[1], args[2], err);
  err << kUsage;
  return 2;
}
