// qrn-catalogue: the command that compiles the shipped catalogue's table sources.
#include <ostream>

#include "app/ProgramFactory.h"
#include "objectstore/MemDbEngine.h"
#include "platform/MemoryStream.h"
#include "platform/SafeFileWriter.h"
#include "tools/catalogue/CatalogueCompiler.h"

namespace {

const char kUsage[] =
    "usage: qrn-catalogue OUT.txt IN.tsv [IN.tsv ...]\n"
    "  compiles catalogue table sources into the plain text object form of the catalogue\n";

// Whether the program's memory engine accepts the text as the catalogue database.
bool LoadsBack(CTFactory& factory, const std::string& text) {
  CTMemDbEngine engine(factory, factory.GetDatabaseName(CTFactory::kCatalogue), "", true,
                       CTFactory::kCatalogue);
  CTMemoryStream stream(text);
  return engine.LoadFromStream(stream);
}

}  // namespace

int RunCatalogueCompiler(const std::vector<std::string>& args, std::ostream& err) {
  if (args.size() < 2) {
    err << kUsage;
    return 2;
  }
  CTFactory factory;
  CTCatalogueCompiler compiler(factory, CTFactory::kCatalogue);
  for (std::size_t i = 1; i < args.size(); ++i) compiler.AddSourceFile(args[i]);
  if (!compiler.Compile()) {
    for (const std::string& line : compiler.Errors().Lines()) err << line << '\n';
    return 1;
  }
  const std::string& outPath = args[0];
  const std::string text = compiler.Text();
  // A text the program would refuse must never be shipped.
  if (!LoadsBack(factory, text)) {
    err << outPath << ":0: the compiled catalogue does not load in the program\n";
    return 1;
  }
  CTSafeFileWriter out(outPath);
  if (!out.IsOpen()) {
    err << outPath << ":0: cannot create: " << out.ErrorText() << '\n';
    return 1;
  }
  try {
    out.Stream()->WriteAll(text);
  } catch (const CTStreamError& e) {
    err << outPath << ":0: cannot write: " << e.what() << '\n';
    return 1;
  }
  if (!out.Commit()) {
    err << outPath << ":0: cannot create: " << out.ErrorText() << '\n';
    return 1;
  }
  return 0;
}
