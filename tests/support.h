// Shared helpers of the test suites: where the built modules are, and a host
// with a module loaded.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "bench/bench.h"

namespace testing_support {

// Built modules live in the build's "modules" folder; PANEL_MODULE_DIR
// overrides it (the Wine run points it at the real .gau files).
inline std::string module_path(const std::string& name) {
  const char* dir = std::getenv("PANEL_MODULE_DIR");
  return std::string(dir && *dir ? dir : PANEL_DEFAULT_MODULE_DIR) + "/" + name + ".gau";
}

// True in the native build, where the bench supplies the platform layer.
constexpr bool kBenchPlatform =
#if defined(_WIN32)
    false;
#else
    true;
#endif

class ModuleTest : public ::testing::Test {
 protected:
  explicit ModuleTest(const std::string& module) : module_(host_.load(module_path(module))) {}
  panelbench::Host host_;
  panelbench::Module& module_;
};

// Key events sent since the last call, oldest first.
inline std::vector<panelbench::KeyEvent> take_events(panelbench::Host& host) {
  auto events = host.key_events();
  host.clear_key_events();
  return events;
}

}  // namespace testing_support
