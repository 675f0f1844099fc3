#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// qrnsolvo-cli air --db T (--rh RH | --wb T) [--altitude M] [--json]: the moist-air state of a
// dry bulb and a relative humidity (pressure, humidity ratio, wet bulb, dew point, enthalpy,
// specific volume), or the relative humidity of a dry bulb and a wet bulb.
int RunAirCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
