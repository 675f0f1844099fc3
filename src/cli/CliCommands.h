#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The commands of qrnsolvo-cli. Each returns the process exit code: 0 done, 1 failed (one line on
// the error stream says why), 2 the command line was not understood.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// qrnsolvo-cli compress IN OUT: writes the magic "Q3T" and the LZSS stream of IN to OUT.
int CompressFile(const std::string& in, const std::string& out, std::ostream& err);
// qrnsolvo-cli resave IN OUT: opens the project file IN through the program's factory and saves
// it as OUT (in the current file form). Nothing is written when IN cannot be read.
int ResaveProject(const std::string& in, const std::string& out, std::ostream& err);
// qrnsolvo-cli dump IN | dump --catalogue: prints the plain text object form of a file (expanded
// when it is compressed) or of the embedded catalogue.
int DumpFile(const std::string& in, std::ostream& out, std::ostream& err);
int DumpCatalogue(std::ostream& out, std::ostream& err);
// qrnsolvo-cli expand IN OUT: expands a compressed IN, or copies IN unchanged when it does not
// begin with the magic.
int ExpandFile(const std::string& in, const std::string& out, std::ostream& err);
