#include "bench/scenario.h"

#include "bench/bench_platform.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <vector>

namespace panelbench {

namespace {

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One word of a line as a number: all of it must convert, or it is an error.
template <typename Convert>
auto parse_word(const std::string& text, const char* what, Convert convert) {
  try {
    size_t used = 0;
    auto value = convert(text, &used);
    if (used == text.size()) return value;
  } catch (const std::exception&) {
  }
  throw ScriptError(std::string("not ") + what + ": '" + text + "'");
}

long long parse_whole(const std::string& text, const char* what, long long low, long long high) {
  long long v = parse_word(text, what, [](const std::string& t, size_t* used) {
    return std::stoll(t, used, 0);
  });
  if (v < low || v > high) throw ScriptError(std::string("not ") + what + ": '" + text + "'");
  return v;
}

uint32_t parse_u32(const std::string& text) {
  return static_cast<uint32_t>(parse_whole(text, "a number", 0, UINT32_MAX));
}

int32_t parse_i32(const std::string& text) {
  return static_cast<int32_t>(parse_whole(text, "an integer", INT32_MIN, INT32_MAX));
}

double parse_real(const std::string& text) {
  return parse_word(text, "a number",
                    [](const std::string& t, size_t* used) { return std::stod(t, used); });
}

std::string hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", v);
  return text;
}

const char* kind_name(uint32_t kind) {
  static const char* const names[] = {"static", "needle", "string", "slider",
                                      "icon",   "moving", "sprite"};
  return kind < 7 ? names[kind] : "?";
}

}  // namespace

void print_elements(const Placement& p, std::ostream& out) {
  for (const ElementState* s : p.elements()) {
    out << "  " << s->index << " " << kind_name(s->element->element_type) << " "
        << s->element->resource_id << (s->visible ? "" : " hidden");
    switch (s->element->element_type) {
      case ELEMENT_NEEDLE: out << " value " << s->value[0] << " angle " << s->angle; break;
      case ELEMENT_ICON: out << " picture " << s->picture; break;
      case ELEMENT_STRING: out << " text \"" << s->text.data() << "\""; break;
      case ELEMENT_SLIDER:
      case ELEMENT_MOVING_IMAGE:
      case ELEMENT_SPRITE:
        out << " value " << s->value[0] << ", " << s->value[1] << " offset " << s->offset_x << ", "
            << s->offset_y;
        break;
      default: break;
    }
    out << "\n";
  }
}

namespace {

class Runner {
 public:
  Runner(Host& host, const std::string& module_dir, std::ostream& out)
      : host_(host), module_dir_(module_dir), out_(out) {
    host_.on_key_event = [this](const KeyEvent& e) {
      const char* name = key_event_name(e.id);
      out_ << stamp() << "key event " << hex(e.id) << (name ? std::string(" (") + name + ")" : "")
           << " value " << e.value << "\n";
    };
    host_.on_window_change = [this](uint32_t ident, bool open) {
      out_ << stamp() << "window " << ident << (open ? " opened" : " closed") << "\n";
    };
  }
  ~Runner() {
    host_.on_key_event = nullptr;
    host_.on_window_change = nullptr;
    host_.bench_platform().on_sound_start = nullptr;
  }

  void line(const std::string& text) {
    std::istringstream in(text);
    std::string command;
    if (!(in >> command) || command[0] == '#') return;
    std::vector<std::string> args;
    std::string rest;
    std::getline(in, rest);
    std::istringstream words(rest);
    for (std::string w; words >> w;) args.push_back(w);

    if (command == "module") {
      need(args, 2, "module NAME PATH");
      std::string path = args[1];
      if (!path.empty() && path[0] != '/' && !module_dir_.empty()) path = module_dir_ + "/" + path;
      modules_[args[0]] = &host_.load(path);
    } else if (command == "window") {
      need(args, 1, "window IDENT [open]");
      host_.add_window(parse_u32(args[0]), args.size() > 1 && args[1] == "open");
    } else if (command == "place") {
      need(args, 3, "place ID MODULE GAUGE [PARAMETERS]");
      auto m = modules_.find(args[1]);
      if (m == modules_.end()) throw ScriptError("unknown module '" + args[1] + "'");
      std::string parameters = after_words(rest, 3);
      Placement& p = host_.place(*m->second, args[2], parameters);
      placements_[args[0]] = &p;
      out_ << stamp() << "placed " << args[2]
           << (parameters.empty() ? "" : " \"" + parameters + "\"") << " as " << args[0] << "\n";
      host_.install(p);
    } else if (command == "remove") {
      need(args, 1, "remove ID");
      host_.remove(placement(args[0]));
    } else if (command == "install") {
      need(args, 1, "install ID");
      host_.install(placement(args[0]));
    } else if (command == "click" || command == "rclick") {
      need(args, 3, command + " ID X Y");
      Placement& p = placement(args[0]);
      int x = parse_i32(args[1]);
      int y = parse_i32(args[2]);
      out_ << stamp() << command << " " << args[0] << " at (" << x << ", " << y << ")\n";
      if (!host_.click(p, x, y, command == "click" ? MOUSE_LEFTSINGLE : MOUSE_RIGHTSINGLE))
        out_ << stamp() << "  nothing there\n";
    } else if (command == "set" || command == "seti") {
      need(args, 2, command + " TOKEN VALUE");
      if (command == "set")
        host_.set(parse_u32(args[0]), parse_real(args[1]));
      else
        host_.set_int(parse_u32(args[0]), parse_i32(args[1]));
    } else if (command == "frames") {
      need(args, 1, "frames N");
      for (int32_t i = 0, n = parse_i32(args[0]); i < n; ++i) host_.frame();
    } else if (command == "ramp") {
      need(args, 4, "ramp TOKEN FROM TO FRAMES");
      uint32_t token = parse_u32(args[0]);
      double from = parse_real(args[1]);
      double to = parse_real(args[2]);
      int32_t n = parse_i32(args[3]);
      for (int32_t i = 1; i <= n; ++i) {
        host_.set(token, from + (to - from) * i / n);
        host_.frame();
      }
    } else if (command == "fail" || command == "repair") {
      need(args, 1, command + " KEY");
      host_.set_failure(parse_u32(args[0]), command == "fail");
    } else if (command == "show") {
      need(args, 1, "show ID");
      print_elements(placement(args[0]), out_);
    } else if (command == "watch") {
      // Native modules: each sound that starts, with the tokens' values then.
      if (args.empty() || args[0] != "sounds") throw ScriptError("usage: watch sounds [TOKEN...]");
      std::vector<uint32_t> tokens;
      for (size_t i = 1; i < args.size(); ++i) tokens.push_back(parse_u32(args[i]));
      host_.bench_platform().on_sound_start = [this, tokens](uint32_t wave_id) {
        out_ << stamp() << "sound " << wave_id << " starts";
        for (uint32_t t : tokens) out_ << "; " << hex(t) << " = " << host_.get(t);
        out_ << "\n";
      };
    } else if (command == "echo") {
      out_ << rest.substr(rest.find_first_not_of(' ') == std::string::npos
                              ? rest.size()
                              : rest.find_first_not_of(' '))
           << "\n";
    } else {
      throw ScriptError("unknown command '" + command + "'");
    }
  }

 private:
  static void need(const std::vector<std::string>& args, size_t n, const std::string& usage) {
    if (args.size() < n) throw ScriptError("usage: " + usage);
  }

  // The text after the first n words, as written.
  static std::string after_words(const std::string& text, int n) {
    size_t pos = 0;
    for (int i = 0; i < n; ++i) {
      pos = text.find_first_not_of(" \t", pos);
      pos = text.find_first_of(" \t", pos);
      if (pos == std::string::npos) return {};
    }
    pos = text.find_first_not_of(" \t", pos);
    if (pos == std::string::npos) return {};
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(pos, end - pos + 1);
  }

  Placement& placement(const std::string& id) {
    auto p = placements_.find(id);
    if (p == placements_.end()) throw ScriptError("unknown placement '" + id + "'");
    return *p->second;
  }

  std::string stamp() const {
    char text[32];
    std::snprintf(text, sizeof text, "[%5" PRIu64 "] ", host_.frame_count());
    return text;
  }

  Host& host_;
  std::string module_dir_;
  std::ostream& out_;
  std::map<std::string, Module*> modules_;
  std::map<std::string, Placement*> placements_;
};

}  // namespace

int run_scenario(Host& host, std::istream& script, const std::string& name,
                 const std::string& module_dir, std::ostream& out, std::ostream& err) {
  Runner runner(host, module_dir, out);
  std::string text;
  for (int number = 1; std::getline(script, text); ++number) {
    try {
      runner.line(text);
    } catch (const std::exception& e) {
      err << name << ":" << number << ": " << e.what() << "\n";
      return 1;
    }
  }
  return 0;
}

int run_scenario_file(Host& host, const std::string& path, const std::string& module_dir,
                      std::ostream& out) {
  std::ifstream in(path);
  if (!in) {
    std::cerr << "panelbench: cannot open scenario " << path << "\n";
    return 1;
  }
  return run_scenario(host, in, path, module_dir, out, std::cerr);
}

}  // namespace panelbench
