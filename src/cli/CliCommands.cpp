#include "cli/CliCommands.h"

#include <array>
#include <cerrno>
#include <ostream>

#include "app/ProgramFactory.h"
#include "cli/AirCommand.h"
#include "cli/CapacityCommand.h"
#include "cli/CatalogueCommand.h"
#include "cli/CliErrors.h"
#include "cli/CliText.h"
#include "cli/DesignCommands.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/MessageCatalog.h"
#include "platform/CodePage.h"
#include "platform/CompressedWrapper.h"
#include "platform/FileStream.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"
#include "platform/SafeFileWriter.h"
#include "platform/SettingsStore.h"

namespace {

const char kUsage[] =
    "usage: qrnsolvo-cli COMMAND ARGS\n"
    "  compress IN OUT    write IN to OUT as \"Q3T\" followed by its LZSS stream\n"
    "  expand IN OUT      expand a compressed IN to OUT (a plain IN is copied as it is)\n"
    "  resave IN OUT      open the project file IN and save it again as OUT\n"
    "  dump IN            print the plain text form of a (compressed) store file\n"
    "  dump --catalogue   print the plain text form of the embedded catalogue\n"
    "  air --db T (--rh RH | --wb T) [--altitude M] [--json]\n"
    "                     moist-air state of a dry bulb and a humidity or wet bulb\n"
    "  capacity --model NAME --mode cool|heat --indoor-db T [--indoor-rh RH] --outdoor T\n"
    "           [--index CI] [--length L] [--height H] [--altitude M] [--catalogue FILE]\n"
    "           [--json]      capacity, power input and factors of an outdoor model\n"
    "  catalogue [--json] [--catalogue FILE]\n"
    "                     outdoor units, indoor units and BS boxes of the catalogue\n"
    "  build DESIGN.json -o PROJECT.qrn\n"
    "                     build a JSON design into a project file\n"
    "  check PROJECT.qrn|DESIGN.json [--json]\n"
    "                     recalculate a project (or a design) and report systems, piping,\n"
    "                     charge, capacities, errors and warnings\n"
    "  demo --out DIR     write the sample office design, its project and its check\n";

// Copies everything from source to target. A failure is reported on the side it happened, with
// that side's file: reading names the input, writing the output.
bool CopyReporting(CTStream& source, const std::string& sourcePath, CTStream& target,
                   const std::string& targetPath, std::ostream& err) {
  std::array<char, 65536> block;
  for (;;) {
    std::size_t n = 0;
    try {
      n = source.Read(block.data(), block.size());
    } catch (const CTStreamError& e) {
      CliFail(err, kMsgCannotOpen, sourcePath, e.what());
      return false;
    }
    if (n == 0) return true;
    try {
      target.WriteAll(block.data(), n);
    } catch (const CTStreamError& e) {
      CliFail(err, kMsgCannotCreate, targetPath, e.what());
      return false;
    }
  }
}

// Compressed data that end without their end mark were cut short (or their file failed).
constexpr char kCutShort[] = "compressed data cut short";

// Opens the text of a (compressed) source; false, reported with the source's name, when it
// cannot be read.
bool OpenText(CTCompressedTextReader& reader, CTStream& source, const std::string& sourcePath,
              std::ostream& err) {
  try {
    if (reader.Open(source, kCompressedMagic)) return true;
    CliFail(err, kMsgCannotOpen, sourcePath, "");
  } catch (const CTStreamError& e) {
    CliFail(err, kMsgCannotOpen, sourcePath, e.what());
  }
  return false;
}

}  // namespace

int CompressFile(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  auto in = OpenCliInput(inPath, err);
  if (!in) return kCliFailed;
  CTSafeFileWriter out(outPath);
  if (!out.IsOpen()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  try {
    CTCompressedTextWriter writer(*out.Stream(), kCompressedMagic);
    if (!CopyReporting(*in, inPath, writer.Text(), outPath, err)) return kCliFailed;
    writer.Finish();
  } catch (const CTStreamError& e) {
    return CliFail(err, kMsgCannotCreate, outPath, e.what());
  }
  if (!out.Commit()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  return kCliDone;
}

int ExpandFile(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  auto in = OpenCliInput(inPath, err);
  if (!in) return kCliFailed;
  CTSafeFileWriter out(outPath);
  if (!out.IsOpen()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  CTCompressedTextReader reader;
  if (!OpenText(reader, *in, inPath, err)) return kCliFailed;
  if (!CopyReporting(reader.Text(), inPath, *out.Stream(), outPath, err)) return kCliFailed;
  if (!reader.FinishedWhole()) return CliFail(err, kMsgCannotOpen, inPath, kCutShort);
  if (!out.Commit()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  return kCliDone;
}

int ResaveProject(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  RegisterBuiltinMessages();
  CTCliMessageUi ui(err);
  CTScopedMessageUi scoped(ui);
  RegisterProgramEngines();
  // The project connects through the memory engine, which needs its data-source entry.
  if (!EnsureProjectDataSource()) {
    CTSettingsStore& settings = CTSettingsStore::Process();
    return CliFail(err, kMsgCannotCreate, settings.FilePath(CTSettingsHive::CurrentUser),
                   settings.ErrorText(CTSettingsHive::CurrentUser));
  }
  CTFactory factory;
  CTScopedDefaultFactory defaultFactory(factory);
  factory.SetReadOnly(CTFactory::kCatalogue, true);
  factory.SetFileName(CTFactory::kProject, inPath);
  bool ok = factory.ConnectAll();
  if (ok) {
    factory.SetFileName(CTFactory::kProject, outPath);
    ok = factory.SaveDatabase(CTFactory::kProject, true);
  }
  factory.DisconnectAll();
  return ok ? kCliDone : kCliFailed;
}

namespace {

// Prints the text of a (compressed) source.
int Dump(CTStream& source, const std::string& sourcePath, std::ostream& out, std::ostream& err) {
  CTCompressedTextReader reader;
  if (!OpenText(reader, source, sourcePath, err)) return kCliFailed;
  std::array<char, 65536> block;
  for (;;) {
    std::size_t n = 0;
    try {
      n = reader.Text().Read(block.data(), block.size());
    } catch (const CTStreamError& e) {
      return CliFail(err, kMsgCannotOpen, sourcePath, e.what());
    }
    if (n == 0) break;
    out.write(block.data(), static_cast<std::streamsize>(n));
  }
  if (!reader.FinishedWhole()) return CliFail(err, kMsgCannotOpen, sourcePath, kCutShort);
  return kCliDone;
}

}  // namespace

int DumpFile(const std::string& inPath, std::ostream& out, std::ostream& err) {
  auto in = OpenCliInput(inPath, err);
  if (!in) return kCliFailed;
  return Dump(*in, inPath, out, err);
}

int DumpCatalogue(std::ostream& out, std::ostream& err) {
  const auto bytes = CTResources::Find("DEVICE_DATABASE");
  if (!bytes) return CliFail(err, kMsgFileNotFound, "DEVICE_DATABASE", "");
  CTMemoryStream source(*bytes);
  return Dump(source, "DEVICE_DATABASE", out, err);
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "-h")) {
    out << kUsage;
    return 0;
  }
  if (args.size() == 3 && args[0] == "compress") return CompressFile(args[1], args[2], err);
  if (args.size() == 3 && args[0] == "expand") return ExpandFile(args[1], args[2], err);
  if (!args.empty() && args[0] == "air") return RunAirCommand(args, out, err);
  if (!args.empty() && args[0] == "capacity") return RunCapacityCommand(args, out, err);
  if (!args.empty() && args[0] == "catalogue") return RunCatalogueCommand(args, out, err);
  if (args.size() == 3 && args[0] == "resave") return ResaveProject(args[1], args[2], err);
  if (!args.empty() && args[0] == "build") return RunBuildCommand(args, out, err);
  if (!args.empty() && args[0] == "check") return RunCheckCommand(args, out, err);
  if (!args.empty() && args[0] == "demo") return RunDemoCommand(args, out, err);
  if (args.size() == 2 && args[0] == "dump") {
    return args[1] == "--catalogue" ? DumpCatalogue(out, err) : DumpFile(args[1], out, err);
  }
  err << kUsage;
  return kCliNotUnderstood;
}

namespace {

// Reports an exception that no command caught, as one line; the text is shown as UTF-8 (the
// program's own texts are in its code page).
int ReportEscaped(std::ostream& err, const std::string& what) {
  try {
    CliReport(err, IsUtf8(what) ? what : Utf8FromCp1251(what), kCliFailed);
  } catch (...) {
    // The error stream itself failed; the exit status still tells.
  }
  return kCliFailed;
}

}  // namespace

int CliMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err) noexcept {
  int status = kCliFailed;
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    status = RunCli(args, out, err);
    out.flush();
  } catch (const std::exception& e) {
    return ReportEscaped(err, e.what());
  } catch (...) {
    return ReportEscaped(err, "unexpected failure");
  }
  // Output that did not reach its file (a full disk, a closed pipe) is no success.
  if (!out && status == kCliDone) return ReportEscaped(err, "cannot write the output");
  return status;
}
