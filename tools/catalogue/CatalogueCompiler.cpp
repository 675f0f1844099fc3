#include "tools/catalogue/CatalogueCompiler.h"

#include <ostream>

#include "objectstore/BaseFactory.h"
#include "platform/FileStream.h"
#include "platform/MemoryStream.h"
#include "tools/catalogue/CatalogueText.h"

CTCatalogueCompiler::CTCatalogueCompiler(const CTBaseFactory& factory, int databaseIndex)
    : word_(factory.SignatureWord()),
      version_(factory.CurrentVersion()),
      schema_(factory, databaseIndex) {}

void CTCatalogueCompiler::AddSource(const std::string& path, std::string_view bytes) {
  ReadTableSource(schema_, path, bytes, rows_, errors_);
}

void CTCatalogueCompiler::AddSourceFile(const std::string& path) {
  std::string reason;
  auto in = CTFileStream::Open(path, CTFileStream::Mode::Read, &reason);
  if (!in) {
    errors_.Add(LTSourcePlace{path, 0}, "cannot open: " + reason);
    return;
  }
  std::string bytes;
  try {
    ReadRest(*in, bytes);
  } catch (const CTStreamError& e) {
    errors_.Add(LTSourcePlace{path, 0}, std::string("cannot read: ") + e.what());
    return;
  }
  AddSource(path, bytes);
}

bool CTCatalogueCompiler::Compile() {
  if (!errors_.Empty()) return false;
  return BuildCatalogue(schema_, rows_, tables_, errors_);
}

void CTCatalogueCompiler::Write(CTStream& out) const {
  WriteCatalogueText(word_, version_, tables_, out);
}

std::string CTCatalogueCompiler::Text() const {
  CTMemoryStream out;
  Write(out);
  return out.Text();
}
