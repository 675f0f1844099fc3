#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// qrnsolvo-cli capacity --model NAME --mode cool|heat --indoor-db T [--indoor-rh RH]
//   --outdoor T [--index CI] [--length L] [--height H] [--altitude M] [--catalogue FILE] [--json]
// The capacity and power input of a catalogue outdoor model at design conditions for a total
// connected capacity index (its index at 100 % when not given), with the status, the piping
// factor for an equivalent length and level difference and the defrost factor.
int RunCapacityCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
