#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The commands of qrnsolvo-cli. Each returns the process exit code (CliErrors.h): 0 done, 1 failed
// (one line on the error stream says why), 2 the command line was not understood (the usage, or
// one line naming the option at fault). Only resave writes settings: the commands that read
// leave the settings file alone.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The program: runs the command of argv[1..]; an exception that escapes it is reported as one
// line ("qrnsolvo-cli: " and its text) with exit code 1, and so is output that could not be
// written after a command that otherwise succeeded.
int CliMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err) noexcept;

// qrnsolvo-cli compress IN OUT: writes the magic "Q3T" and the LZSS stream of IN to OUT.
int CompressFile(const std::string& in, const std::string& out, std::ostream& err);
// qrnsolvo-cli resave IN OUT: opens the project file IN through the program's factory and saves
// it as OUT (in the current file form). Nothing is written when IN cannot be read.
int ResaveProject(const std::string& in, const std::string& out, std::ostream& err);
// qrnsolvo-cli dump IN | dump --catalogue: prints the plain text object form of a file (expanded
// when it is compressed) or of the embedded catalogue; compressed data cut short fail (after
// what could be expanded was printed).
int DumpFile(const std::string& in, std::ostream& out, std::ostream& err);
int DumpCatalogue(std::ostream& out, std::ostream& err);
// qrnsolvo-cli expand IN OUT: expands a compressed IN, or copies IN unchanged when it does not
// begin with the magic. Compressed data cut short fail; OUT is written only when complete.
int ExpandFile(const std::string& in, const std::string& out, std::ostream& err);
