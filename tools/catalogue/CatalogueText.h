#pragma once

#include <string>
#include <vector>

#include "tools/catalogue/CatalogueBuild.h"

class CTStream;

// Writes compiled tables in the plain text object form the memory engine loads: the header line,
// the declaration of every table given (fields in field order), then the records of each table
// that has any, in the order given. Stream failures throw CTStreamError.
void WriteCatalogueText(const std::string& signatureWord, int version,
                        const std::vector<LTCompiledTable>& tables, CTStream& out);
