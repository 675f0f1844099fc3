#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The design commands of qrnsolvo-cli (args[0] is the command word).
//
// build DESIGN.json -o PROJECT.qrn: builds the JSON design into a new project and saves it. Exit
// 0 written; 1 the design was refused (one line "FILE: PATH: message" per problem on the error
// stream, nothing written) or the file could not be written; 2 the command line was not
// understood.
int RunBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// check PROJECT.qrn|DESIGN.json [--json]: opens the project (or builds the design in memory),
// recalculates it and prints the check report. Exit 0 when nothing has an error (warnings
// allowed), 1 when something has, 2 when the input cannot be read or is refused (or the command
// line was not understood).
int RunCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// demo --out DIR: writes the sample office design (DIR/design.json), builds it
// (DIR/project.qrn) and checks it (DIR/check.txt, DIR/check.json). Exit 0 when all is written
// and the check found no error.
int RunDemoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
