// Scenario files: a line-based script that loads modules, places gauges, sets
// variables, clicks and runs frames, printing the key events, window changes
// and element values that result. See docs/architecture.md for the commands.
#pragma once

#include <iosfwd>
#include <string>

#include "bench/bench.h"

namespace panelbench {

// Runs the script; module paths are taken relative to module_dir. Returns the
// exit status: 0, or 1 after printing "file:line: message" for a bad line.
int run_scenario(Host& host, std::istream& script, const std::string& name,
                 const std::string& module_dir, std::ostream& out, std::ostream& err);
// What every element of a placement shows, one line each.
void print_elements(const Placement& placement, std::ostream& out);

int run_scenario_file(Host& host, const std::string& path, const std::string& module_dir,
                      std::ostream& out);

}  // namespace panelbench
