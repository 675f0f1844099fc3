#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The commands of qrnsolvo-cli. Each returns the process exit code: 0 done, 1 failed (one line on
// the error stream says why), 2 the command line was not understood.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// qrnsolvo-cli compress IN OUT: writes the magic "Q3T" and the LZSS stream of IN to OUT.
int CompressFile(const std::string& in, const std::string& out, std::ostream& err);
// qrnsolvo-cli expand IN OUT: expands a compressed IN, or copies IN unchanged when it does not
// begin with the magic.
int ExpandFile(const std::string& in, const std::string& out, std::ostream& err);
