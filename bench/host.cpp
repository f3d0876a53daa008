// The host: module loading, placements and their service sequence, the
// service table, variables, key events, panel windows and failures.
#include <algorithm>
#include <cstring>

#include "bench/bench.h"
#include "bench/bench_platform.h"
#include "platform/bench/bench_exports.h"

namespace panelbench {

namespace {

Host* active_host = nullptr;

// Service table thunks: modules call plain functions; they reach the host that
// is running them.
void GAUGE_CALL svc_element_list_query(ELEMENT_HEADER*) {}
void GAUGE_CALL svc_element_list_install(ELEMENT_HEADER* e, void* resources) {
  Host::current().element_list_install(e, resources);
}
void GAUGE_CALL svc_element_list_initialize(ELEMENT_HEADER*) {}
void GAUGE_CALL svc_element_list_update(ELEMENT_HEADER* e) { Host::current().element_list_update(e); }
void GAUGE_CALL svc_element_list_generate(ELEMENT_HEADER*, uint32_t) {}
void GAUGE_CALL svc_element_list_plot(ELEMENT_HEADER*) {}
void GAUGE_CALL svc_element_list_erase(ELEMENT_HEADER*) {}
void GAUGE_CALL svc_element_list_kill(ELEMENT_HEADER* e) { Host::current().element_list_kill(e); }
void GAUGE_CALL svc_mouse_list_install(MOUSERECT* r, GAUGEHDR* g, PIXPOINT* size) {
  Host::current().mouse_list_install(r, g, size);
}
void GAUGE_CALL svc_mouse_list_register(MOUSERECT* r, GAUGEHDR* g) {
  Host::current().mouse_list_register(r, g);
}
void GAUGE_CALL svc_mouse_list_unregister(MOUSERECT* r, GAUGEHDR* g) {
  Host::current().mouse_list_unregister(r, g);
}
int32_t GAUGE_CALL svc_panel_window_toggle(uint32_t ident) {
  return Host::current().panel_window_toggle(ident);
}
int32_t GAUGE_CALL svc_trigger_key_event(uint32_t id, uint32_t value) {
  return Host::current().trigger_key_event(id, value);
}
void GAUGE_CALL svc_initialize_var_by_name(MODULE_VAR* var, const char* name) {
  Host::current().initialize_var_by_name(var, name);
}
void GAUGE_CALL svc_lookup_var(MODULE_VAR* var) { Host::current().lookup_var(var); }
int32_t GAUGE_CALL svc_register_key_event_handler(KEY_EVENT_HANDLER h, void* user) {
  return Host::current().register_key_event_handler(h, user);
}
int32_t GAUGE_CALL svc_unregister_key_event_handler(KEY_EVENT_HANDLER h, void* user) {
  return Host::current().unregister_key_event_handler(h, user);
}

// Key events by which the simulator opens, closes and toggles panel windows.
enum : uint32_t {
  EVENT_PANEL_TOGGLE = 0x103CA,
  EVENT_PANEL_OPEN = 0x103CB,
  EVENT_PANEL_CLOSE = 0x103CC,
};

}  // namespace

Host& Host::current() {
  if (!active_host) throw BenchError("no panelbench host is running");
  return *active_host;
}

Host::Host() : bench_platform_(std::make_unique<BenchPlatform>(*this)) {
  platform_ = &BenchPlatform::services();
  services_.element_list_query = svc_element_list_query;
  services_.element_list_install = svc_element_list_install;
  services_.element_list_initialize = svc_element_list_initialize;
  services_.element_list_update = svc_element_list_update;
  services_.element_list_generate = svc_element_list_generate;
  services_.element_list_plot = svc_element_list_plot;
  services_.element_list_erase = svc_element_list_erase;
  services_.element_list_kill = svc_element_list_kill;
  services_.mouse_list_install = svc_mouse_list_install;
  services_.mouse_list_register = svc_mouse_list_register;
  services_.mouse_list_unregister = svc_mouse_list_unregister;
  services_.panel_window_toggle = svc_panel_window_toggle;
  services_.trigger_key_event = svc_trigger_key_event;
  services_.initialize_var_by_name = svc_initialize_var_by_name;
  services_.lookup_var = svc_lookup_var;
  services_.register_key_event_handler = svc_register_key_event_handler;
  services_.unregister_key_event_handler = svc_unregister_key_event_handler;
  previous_host_ = active_host;
  active_host = this;
  key_events_.reserve(1024);
}

Host::~Host() {
  while (!modules_.empty()) unload(*modules_.back());
  active_host = previous_host_;
}

// ---------------------------------------------------------------------------
// Modules.

Module::~Module() {
  if (library_) close_library(library_);
}

GAUGEHDR* Module::find(std::string_view gauge_name) const {
  for (GAUGEHDR* g : gauges_)
    if (g->gauge_name && gauge_name == g->gauge_name) return g;
  return nullptr;
}

std::optional<PIXPOINT> Module::bitmap_size(uint32_t id) const {
  auto cached = bitmap_sizes_.find(id);
  if (cached != bitmap_sizes_.end()) return cached->second;
  const void* data = nullptr;
  uint32_t size = 0;
  std::optional<PIXPOINT> dim;
  if (resource(id, BENCH_RESOURCE_BITMAP, &data, &size)) dim = bitmap_dimensions(data, size);
  bitmap_sizes_.emplace(id, dim);
  return dim;
}

bool Module::resource(uint32_t id, uint32_t type, const void** data, uint32_t* size) const {
  return library_resource(*this, id, type, data, size);
}

uint32_t catalogue_help_id(const GAUGEHDR& gauge) {
  if (gauge.gauge_header_version < GAUGE_HEADER_VERSION_2BC || !gauge.mouse_rect) return 0;
  const MOUSERECT* first = gauge.mouse_rect;
  if (first->rect_type == MOUSE_RECT_EOL) return 0;
  if (first->help_id) return first->help_id;
  if (first[1].rect_type == MOUSE_RECT_TOOLTIP) return first[1].help_id;
  return 0;
}

Module& Host::load(const std::string& path) {
  std::string error;
  void* library = open_library(path, error);
  if (!library) throw BenchError(path + ": cannot load: " + error);
  auto module = std::make_unique<Module>();
  module->path_ = path;
  module->library_ = library;
  auto* linkage = static_cast<GAUGESLINKAGE_HEAD*>(library_symbol(library, "Linkage"));
  auto* import = static_cast<IMPORT_TABLE*>(library_symbol(library, "ImportTable"));
  if (!linkage || !import || linkage->module_id != GAUGES_LINKAGE_ID ||
      import->keyword != IMPORT_TABLE_KEYWORD)
    throw BenchError(path + ": not a gauge module (no Linkage and ImportTable records)");
  module->linkage_ = linkage;
  module->version_ = linkage->version;
  module->resource_handle_ = library_resource_handle(library);
  module->resources_ = library_symbol(library, BENCH_RESOURCES_SYMBOL);
  auto** gauges = reinterpret_cast<GAUGEHDR**>(reinterpret_cast<unsigned char*>(linkage) +
                                               GAUGES_LINKAGE_LIST_OFFSET);
  for (size_t i = 0; gauges[i]; ++i) module->gauges_.push_back(gauges[i]);

  if (auto** platform_slot =
          static_cast<const PlatformServices**>(library_symbol(library, BENCH_PLATFORM_SYMBOL)))
    *platform_slot = platform_;
  import->panels = &services_;
  if (linkage->module_init) linkage->module_init();
  modules_.push_back(std::move(module));
  return *modules_.back();
}

void Host::unload(Module& module) {
  for (auto& p : placements_)
    if (&p->module() == &module && p->installed()) remove(*p);
  std::erase_if(placements_, [&](const auto& p) { return &p->module() == &module; });
  if (module.linkage_->module_deinit) module.linkage_->module_deinit();
  std::erase_if(modules_, [&](const auto& m) { return m.get() == &module; });
}

// ---------------------------------------------------------------------------
// Placements and the service sequence.

ElementState& Placement::element(size_t index) {
  if (index >= elements_.size())
    throw BenchError(std::string(name()) + ": no element " + std::to_string(index));
  return *elements_[index];
}

ElementState& Placement::element_by_bitmap(uint32_t bitmap_id) {
  for (ElementState* s : elements_)
    if (s->element->resource_id == bitmap_id) return *s;
  throw BenchError(std::string(name()) + ": no element with bitmap " + std::to_string(bitmap_id));
}

Placement& Host::place(Module& module, std::string_view gauge_name, std::string parameters) {
  GAUGEHDR* gauge = module.find(gauge_name);
  if (!gauge)
    throw BenchError(module.path() + ": no gauge named " + std::string(gauge_name));
  auto placement = std::make_unique<Placement>();
  placement->module_ = &module;
  placement->static_header_ = gauge;
  placement->parameters_ = std::move(parameters);
  if (gauge->gauge_header_version >= GAUGE_HEADER_VERSION_320) {
    placement->own_header_ = std::make_unique<GAUGEHDR>(*gauge);
    placement->own_header_->parameters =
        placement->parameters_.empty() ? nullptr : placement->parameters_.c_str();
    placement->header_ = placement->own_header_.get();
  } else {
    placement->header_ = gauge;
  }
  placements_.push_back(std::move(placement));
  return *placements_.back();
}

Placement& Host::add(Module& module, std::string_view gauge_name, std::string parameters) {
  Placement& p = place(module, gauge_name, std::move(parameters));
  install(p);
  return p;
}

void Host::callback(Placement& placement, int32_t service, uintptr_t extra) {
  GAUGEHDR& h = placement.header();
  if (h.gauge_header_version >= GAUGE_HEADER_VERSION_320 && h.gauge_callback)
    h.gauge_callback(&h, service, extra);
}

void Host::install(Placement& p) {
  if (p.installed_) return;
  Placement* outer = servicing_;
  servicing_ = &p;
  p.elements_.clear();
  p.states_.clear();
  p.arena_.clear();
  GAUGEHDR& h = p.header();
  void* resources = p.module().resource_handle();
  if (h.gauge_header_version >= GAUGE_HEADER_VERSION_320) {
    h.elements_list = copy_tree(p, p.static_header_->elements_list);
    h.mouse_rect = copy_mouse_list(p, p.static_header_->mouse_rect);
    p.root_ = h.elements_list;
    element_list_install(p.root_, resources);
    if (p.root_) p.size_ = state_of(p.root_).image.dim;
    if (h.mouse_rect) {
      mouse_list_install(h.mouse_rect, &h, p.root_ ? &state_of(p.root_).image.dim : nullptr);
      mouse_list_register(h.mouse_rect, &h);
    }
    p.installed_ = true;
    callback(p, SERVICE_INSTALL, reinterpret_cast<uintptr_t>(resources));
    callback(p, SERVICE_PRE_INITIALIZE);
    callback(p, SERVICE_CONNECT_TO_WINDOW);
  } else {
    p.root_ = h.elements_list;
    p.installed_ = true;
    if (h.query_routine) h.query_routine();
    if (h.install_routine) h.install_routine(resources);
    if (h.gauge_header_version >= GAUGE_HEADER_VERSION_2BC && h.mouse_rect) {
      mouse_list_install(h.mouse_rect, &h,
                         p.root_ && p.root_->host_state ? &state_of(p.root_).image.dim : nullptr);
      mouse_list_register(h.mouse_rect, &h);
    }
    if (h.initialize_routine) h.initialize_routine();
  }
  servicing_ = outer;
}

void Host::remove(Placement& p) {
  if (!p.installed_) return;
  if (held_ && held_->placement == &p) held_.reset();
  Placement* outer = servicing_;
  servicing_ = &p;
  GAUGEHDR& h = p.header();
  if (h.gauge_header_version >= GAUGE_HEADER_VERSION_320) {
    callback(p, SERVICE_DISCONNECT);
    callback(p, SERVICE_PRE_KILL);
    if (h.mouse_rect) mouse_list_unregister(h.mouse_rect, &h);
    element_list_kill(p.root_);
  } else {
    if (h.kill_routine) h.kill_routine();
    if (h.gauge_header_version >= GAUGE_HEADER_VERSION_2BC && h.mouse_rect)
      mouse_list_unregister(h.mouse_rect, &h);
  }
  // Registrations the gauge left behind go with it.
  std::erase_if(registrations_, [&](const Registration& r) { return r.gauge == &h; });
  p.installed_ = false;
  p.elements_.clear();
  servicing_ = outer;
}

void Host::frame() {
  for (auto& owned : placements_) {
    Placement& p = *owned;
    if (!p.installed_) continue;
    servicing_ = &p;
    GAUGEHDR& h = p.header();
    if (h.gauge_header_version >= GAUGE_HEADER_VERSION_320) {
      callback(p, SERVICE_PRE_UPDATE);
      element_list_update(p.root_);
      callback(p, SERVICE_PRE_DRAW);
      callback(p, SERVICE_POST_DRAW);
    } else {
      if (h.update_routine) h.update_routine();
      if (h.generate_routine) h.generate_routine(0);
      if (h.draw_routine) h.draw_routine();
    }
    servicing_ = nullptr;
  }
  if (held_ && ++held_->frames % repeat_interval_ == 0) repeat();
  time_ += frame_period_;
  ++frame_count_;
}

Placement* Host::placement_of(GAUGEHDR* gauge) {
  for (auto& p : placements_)
    if (&p->header() == gauge) return p.get();
  return nullptr;
}

// ---------------------------------------------------------------------------
// Variables, events, windows, failures.

void Host::set(uint32_t token, double value) {
  VAR_VALUE v;
  v.n = value;
  variables_[token] = v.bits;
}

void Host::set_int(uint32_t token, int32_t value) {
  variables_[token] = static_cast<uint32_t>(value);
}

VAR_VALUE Host::raw(uint32_t token) const {
  VAR_VALUE v;
  auto found = variables_.find(token);
  v.bits = found == variables_.end() ? 0 : found->second;
  return v;
}

double Host::get(uint32_t token) const { return raw(token).n; }

void Host::lookup_var(MODULE_VAR* var) {
  if (!var) return;
  if (var->var_ptr) {
    var->var_value = *static_cast<VAR_VALUE*>(var->var_ptr);
    return;
  }
  var->var_value = raw(var->id);
}

void Host::initialize_var_by_name(MODULE_VAR* var, const char* name) {
  if (!var || !name) return;
  auto [entry, fresh] = named_.try_emplace(name, VAR_VALUE{});
  (void)fresh;
  var->var_ptr = &entry->second;
  var->var_value = entry->second;
  named_bindings_.push_back(name);
}

int32_t Host::trigger_key_event(uint32_t event_id, uint32_t value) {
  KeyEvent event{event_id, value};
  key_events_.push_back(event);
  if (on_key_event) on_key_event(event);
  for (size_t i = 0; i < handlers_.size(); ++i) handlers_[i].first(event_id, value, handlers_[i].second);
  auto set_window = [&](bool open) {
    auto w = windows_.find(value);
    if (w == windows_.end() || w->second == open) return;
    w->second = open;
    if (on_window_change) on_window_change(value, open);
  };
  switch (event_id) {
    case EVENT_PANEL_OPEN: set_window(true); break;
    case EVENT_PANEL_CLOSE: set_window(false); break;
    case EVENT_PANEL_TOGGLE: set_window(!window_open(value)); break;
    default: break;
  }
  return 0;
}

int32_t Host::register_key_event_handler(KEY_EVENT_HANDLER handler, void* user) {
  if (!handler) return 0;
  handlers_.emplace_back(handler, user);
  return 1;
}

int32_t Host::unregister_key_event_handler(KEY_EVENT_HANDLER handler, void* user) {
  auto found = std::find(handlers_.begin(), handlers_.end(), std::make_pair(handler, user));
  if (found == handlers_.end()) return 0;
  handlers_.erase(found);
  return 1;
}

bool Host::window_open(uint32_t ident) const {
  auto w = windows_.find(ident);
  return w != windows_.end() && w->second;
}

int32_t Host::panel_window_toggle(uint32_t ident) {
  window_toggles_.push_back(ident);
  auto w = windows_.find(ident);
  if (w == windows_.end()) return 0;
  w->second = !w->second;
  if (on_window_change) on_window_change(ident, w->second);
  return 1;
}

void Host::set_failure(uint32_t key, bool is_failed) {
  if (is_failed)
    failures_[key] = true;
  else
    failures_.erase(key);
}

}  // namespace panelbench
