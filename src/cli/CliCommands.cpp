#include "cli/CliCommands.h"

#include <cerrno>
#include <ostream>

#include "app/ProgramFactory.h"
#include "cli/AirCommand.h"
#include "cli/CapacityCommand.h"
#include "cli/CatalogueCommand.h"
#include "cli/CliErrors.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/HeadlessMessageUi.h"
#include "i18n/MessageCatalog.h"
#include "platform/CodePage.h"
#include "platform/CompressedWrapper.h"
#include "platform/FileStream.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"
#include "platform/SafeFileWriter.h"

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
    "                     outdoor units, indoor units and BS boxes of the catalogue\n";

}  // namespace

int CompressFile(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  auto in = OpenCliInput(inPath, err);
  if (!in) return 1;
  CTSafeFileWriter out(outPath);
  if (!out.IsOpen()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  try {
    CTCompressedTextWriter writer(*out.Stream(), kCompressedMagic);
    CopyStream(*in, writer.Text());
    writer.Finish();
  } catch (const CTStreamError& e) {
    return CliFail(err, kMsgCannotCreate, outPath, e.what());
  }
  if (!out.Commit()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  return 0;
}

int ExpandFile(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  auto in = OpenCliInput(inPath, err);
  if (!in) return 1;
  CTSafeFileWriter out(outPath);
  if (!out.IsOpen()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  try {
    CTCompressedTextReader reader;
    if (!reader.Open(*in, kCompressedMagic)) return CliFail(err, kMsgCannotOpen, inPath, "");
    CopyStream(reader.Text(), *out.Stream());
  } catch (const CTStreamError& e) {
    return CliFail(err, kMsgCannotCreate, outPath, e.what());
  }
  if (!out.Commit()) return CliFail(err, kMsgCannotCreate, outPath, out.ErrorText());
  return 0;
}

int ResaveProject(const std::string& inPath, const std::string& outPath, std::ostream& err) {
  RegisterBuiltinMessages();
  CTHeadlessMessageUi ui(&err);
  CTScopedMessageUi scoped(ui);
  RegisterProgramEngines();
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
  return ok ? 0 : 1;
}

namespace {

int Dump(CTStream& source, std::ostream& out) {
  CTCompressedTextReader reader;
  if (!reader.Open(source, kCompressedMagic)) return 1;
  char block[65536];
  for (std::size_t n; (n = reader.Text().Read(block, sizeof block)) > 0;) {
    out.write(block, static_cast<std::streamsize>(n));
  }
  return out ? 0 : 1;
}

}  // namespace

int DumpFile(const std::string& inPath, std::ostream& out, std::ostream& err) {
  auto in = OpenCliInput(inPath, err);
  if (!in) return 1;
  try {
    if (Dump(*in, out) != 0) return CliFail(err, kMsgCannotOpen, inPath, "");
  } catch (const CTStreamError& e) {
    return CliFail(err, kMsgCannotOpen, inPath, e.what());
  }
  return 0;
}

int DumpCatalogue(std::ostream& out, std::ostream& err) {
  const auto bytes = CTResources::Find("DEVICE_DATABASE");
  if (!bytes) return CliFail(err, kMsgFileNotFound, "DEVICE_DATABASE", "");
  CTMemoryStream source(*bytes);
  return Dump(source, out);
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
  if (args.size() == 2 && args[0] == "dump") {
    return args[1] == "--catalogue" ? DumpCatalogue(out, err) : DumpFile(args[1], out, err);
  }
  err << kUsage;
  return 2;
}
