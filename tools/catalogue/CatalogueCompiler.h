#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "tools/catalogue/CatalogueBuild.h"
#include "tools/catalogue/CatalogueSchema.h"
#include "tools/catalogue/SourcePlace.h"
#include "tools/catalogue/TableSource.h"

class CTBaseFactory;
class CTStream;

// Compiles table sources (.tsv) into the catalogue's plain text object form, with the tables,
// fields, defaults and references of one database of a factory.
class CTCatalogueCompiler {
 public:
  CTCatalogueCompiler(const CTBaseFactory& factory, int databaseIndex);

  // Adds a source; path names it in messages and anchors its file: paths.
  void AddSource(const std::string& path, std::string_view bytes);
  // Reads and adds a source file; a file that cannot be read is an error.
  void AddSourceFile(const std::string& path);
  // Builds the records of every source added so far; false when any source had errors.
  bool Compile();

  const CTCompileErrors& Errors() const { return errors_; }
  const std::vector<LTCompiledTable>& Tables() const { return tables_; }
  // The compiled catalogue (after a successful Compile).
  void Write(CTStream& out) const;
  std::string Text() const;

 private:
  std::string word_;
  int version_;
  CTCatalogueSchema schema_;
  std::vector<LTSourceRow> rows_;
  std::vector<LTCompiledTable> tables_;
  CTCompileErrors errors_;
};

// qrn-catalogue OUT IN... with the catalogue database of the program's factory: compiles the
// sources in order and writes OUT (replaced only when complete). Errors go to err, one line each
// ("file:line: message"). Returns 0, 1 on errors (nothing written) or 2 for a bad command line.
int RunCatalogueCompiler(const std::vector<std::string>& args, std::ostream& err);
