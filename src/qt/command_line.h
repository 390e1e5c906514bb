// The program's command line: --help and --version answer and end the run,
// as desktop programs do; Qt's own options pass through; anything else is
// refused with the usage text.
#pragma once

#include <optional>

namespace kalvitor::qt {

// Reads the options before any window exists (so that --help works without a
// display). Returns the exit status when the run ends here, nothing when the
// game is to start.
std::optional<int> HandleCommandLine(int argc, char** argv);

}  // namespace kalvitor::qt
