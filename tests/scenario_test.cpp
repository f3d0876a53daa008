// Scenario files: what they print, and one clear line for each bad line.
#include <sstream>

#include "bench/scenario.h"
#include "tests/support.h"

namespace {

std::string module_dir() {
  std::string path = testing_support::module_path("Tarnel_Instr");
  return path.substr(0, path.rfind('/'));
}

int run(const std::string& script, std::string& out, std::string& err) {
  panelbench::Host host;
  std::istringstream in(script);
  std::ostringstream o, e;
  int status = panelbench::run_scenario(host, in, "s", module_dir(), o, e);
  out = o.str();
  err = e.str();
  return status;
}

TEST(Scenario, PrintsKeyEventsAndWindowChanges) {
  std::string out, err;
  ASSERT_EQ(run("module m Tarnel_Instr.gau\nwindow 225\nplace g m GPS_Toggle tGPS_PANEL\n"
                "click g 8 8\nframes 2\nclick g 8 8\n",
                out, err),
            0)
      << err;
  EXPECT_NE(out.find("[    0] key event 0x103CA (toggle panel window) value 225\n"
                     "[    0] window 225 opened"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("[    2] window 225 closed"), std::string::npos) << out;
}

TEST(Scenario, BadLinesGiveOneClearError) {
  struct Case {
    const char* script;
    const char* error;
  } cases[] = {
      {"fly away", "s:1: unknown command 'fly'"},
      {"module m", "s:1: usage: module NAME PATH"},
      {"module m nothing.gau", "s:1: "},
      {"\nplace g nowhere GPS_Toggle", "s:2: unknown module 'nowhere'"},
      {"module m Tarnel_Instr.gau\nplace g m No_Such_Gauge", "s:2: "},
      {"click g 1 1", "s:1: unknown placement 'g'"},
      {"set 0x3D fast", "s:1: not a number: 'fast'"},
      {"frames 1e9x", "s:1: not an integer: '1e9x'"},
      {"seti 99999999999 1", "s:1: not a number: '99999999999'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    std::string out, err;
    EXPECT_EQ(run(c.script, out, err), 1);
    EXPECT_EQ(err.rfind(c.error, 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  }
}

}  // namespace
