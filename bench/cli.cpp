// panelbench: list a module's gauges, or run a scenario file against modules.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>

#include "bench/bench.h"
#include "bench/scenario.h"

int main(int argc, char** argv) {
  CLI::App app{"panelbench: a host for flight-simulator gauge modules"};
  app.require_subcommand(1);

  std::string module_path;
  auto* list = app.add_subcommand("list", "print a module's gauges in catalogue order");
  list->add_option("module", module_path, "gauge module file (.gau)")->required();

  std::string gauge_name;
  std::vector<std::string> parameter_words;
  auto* show = app.add_subcommand("show", "place one gauge, run a frame, print its elements");
  show->add_option("module", module_path, "gauge module file (.gau)")->required();
  show->add_option("gauge", gauge_name, "gauge name")->required();
  show->add_option("parameters", parameter_words, "the gauge's parameter text");

  std::string scenario_path;
  auto* run = app.add_subcommand("run", "run a scenario file and print what the panel does");
  run->add_option("scenario", scenario_path, "scenario file")->required();
  std::string module_dir;
  run->add_option("--module-dir", module_dir, "folder that relative module paths start from");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }

  try {
    panelbench::Host host;
    if (*list) {
      panelbench::Module& module = host.load(module_path);
      int number = 0;
      for (GAUGEHDR* g : module.gauges()) {
        uint32_t help = panelbench::catalogue_help_id(*g);
        std::printf("%2d  %-26s %4u mm  %s\n", ++number, g->gauge_name ? g->gauge_name : "?",
                    g->size_x_mm, help ? std::to_string(help).c_str() : "-");
      }
      return 0;
    }
    if (*show) {
      panelbench::Module& module = host.load(module_path);
      std::string parameters;
      for (const std::string& word : parameter_words)
        parameters += (parameters.empty() ? "" : " ") + word;
      panelbench::Placement& placement = host.add(module, gauge_name, parameters);
      host.frame();
      std::printf("%s (%d x %d pixels)\n", gauge_name.c_str(), placement.size().x,
                  placement.size().y);
      panelbench::print_elements(placement, std::cout);
      return 0;
    }
    return panelbench::run_scenario_file(host, scenario_path, module_dir, std::cout);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "panelbench: %s\n", e.what());
    return 1;
  }
}
