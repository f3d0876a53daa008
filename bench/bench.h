// panelbench: a host for gauge modules. It loads a module, places its gauges,
// runs the simulator's service sequence frame by frame, keeps the simulator
// variables, key events and panel windows, dispatches the mouse and works out
// what every element shows. Everything is deterministic: the caller decides
// each frame, variable and click.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/gauges.h"

struct PlatformServices;

namespace panelbench {

class BenchPlatform;

// A module that cannot be loaded or a gauge that does not exist.
struct BenchError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct KeyEvent {
  uint32_t id;
  uint32_t value;
  bool operator==(const KeyEvent&) const = default;
};

// What one element shows after the last update.
struct ElementState {
  ELEMENT_HEADER* element = nullptr;
  size_t index = 0;          // drawing order within its placement
  IMAGE image{};             // the installed picture (size 0 x 0 when missing)
  bool visible = false;      // drawn at all: not hidden by flag, failure or icon
  bool failed = false;       // a failure key of its record is set
  double value[3] = {};      // value on each source: needle/icon/string 0; x, y(, rotation)
  double angle = 0;          // needle: bearing clockwise from up, degrees, 0..360
  double turn = 0;           // needle: the same angle unwrapped along the scale
  bool updated = false;      // the first update has been made
  double offset_x = 0;       // slider, moving image, sprite: pixels
  double offset_y = 0;
  double fraction_x = 0;     // moving image: position in its range, 0..1
  double fraction_y = 0;
  double rotation = 0;       // sprite: degrees
  int32_t picture = -1;      // icon: picture index, or -1 for none
  uint32_t bitmap = 0;       // bitmap id drawn (icon: first id + picture)
  std::vector<char> text;    // string: host-owned buffer, char_count + 1
};

class Module;
class Host;

// One gauge on the panel. Version 0x320 gauges get their own copy of the
// header (kept while the module is loaded) and fresh copies of the element
// tree and mouse list at every install; older versions work in place.
class Placement {
 public:
  GAUGEHDR& header() { return *header_; }
  Module& module() { return *module_; }
  bool installed() const { return installed_; }
  ELEMENT_HEADER* root() { return root_; }
  MOUSERECT* mouse_list() { return mouse_; }
  PIXPOINT size() const { return size_; }
  std::string_view name() const { return header_->gauge_name; }

  // Elements in drawing order after the last update.
  const std::vector<ElementState*>& elements() const { return elements_; }
  ElementState& element(size_t index);
  // First element drawing the bitmap (icon: whose first picture is the id).
  ElementState& element_by_bitmap(uint32_t bitmap_id);

 private:
  friend class Host;
  Module* module_ = nullptr;
  GAUGEHDR* static_header_ = nullptr;
  GAUGEHDR* header_ = nullptr;
  std::unique_ptr<GAUGEHDR> own_header_;
  std::string parameters_;
  bool installed_ = false;
  ELEMENT_HEADER* root_ = nullptr;
  MOUSERECT* mouse_ = nullptr;
  PIXPOINT size_{};
  std::vector<ElementState*> elements_;
  std::deque<ElementState> states_;                       // per install
  std::vector<std::unique_ptr<unsigned char[]>> arena_;  // per-install copies
};

class Module {
 public:
  ~Module();
  const std::string& path() const { return path_; }
  uint32_t version() const { return version_; }
  const std::vector<GAUGEHDR*>& gauges() const { return gauges_; }
  GAUGEHDR* find(std::string_view gauge_name) const;
  void* resource_handle() const { return resource_handle_; }
  // Size of a bitmap resource of the module, when it has one.
  std::optional<PIXPOINT> bitmap_size(uint32_t id) const;
  // Raw bytes of a resource (type 1 bitmap, 2 wave) as the module carries it.
  bool resource(uint32_t id, uint32_t type, const void** data, uint32_t* size) const;
  // Native builds: the module's embedded resource table.
  const void* embedded_resources() const { return resources_; }

 private:
  friend class Host;
  std::string path_;
  void* library_ = nullptr;
  void* resource_handle_ = nullptr;
  const void* resources_ = nullptr;  // native builds: the embedded table
  uint32_t version_ = 0;
  GAUGESLINKAGE_HEAD* linkage_ = nullptr;
  std::vector<GAUGEHDR*> gauges_;
  mutable std::unordered_map<uint32_t, std::optional<PIXPOINT>> bitmap_sizes_;
};

// A readable name of a simulator key event, or null when the bench has none.
const char* key_event_name(uint32_t event_id);

// The help id shown for a gauge in a catalogue: its first mouse area's, or a
// tooltip record's right behind it; 0 when it has none.
uint32_t catalogue_help_id(const GAUGEHDR& gauge);

class Host {
 public:
  Host();
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The host whose services the modules are calling.
  static Host& current();

  // Loads a module: binds Linkage, fills ImportTable, calls its init.
  Module& load(const std::string& path);
  // Calls deinit and unloads; its placements go with it.
  void unload(Module& module);

  // A placement of a gauge by name with the parameter text of the panel file.
  Placement& place(Module& module, std::string_view gauge_name, std::string parameters = {});
  // Install, before-initialise and connect to window.
  void install(Placement& placement);
  // Disconnect and kill.
  void remove(Placement& placement);
  // place + install.
  Placement& add(Module& module, std::string_view gauge_name, std::string parameters = {});

  // One frame for every installed placement: update, draw, after draw; then
  // the held mouse button repeats and the clock advances one frame period.
  void frame();
  void frames(int count) {
    for (int i = 0; i < count; ++i) frame();
  }
  void set_frame_rate(double frames_per_second) { frame_period_ = 1.0 / frames_per_second; }
  double frame_period() const { return frame_period_; }
  double time() const { return time_; }
  uint64_t frame_count() const { return frame_count_; }

  // Simulator variables by token. set() stores a 64-bit real; set_int() an
  // integer in the low 32 bits, as the simulator delivers integer variables.
  void set(uint32_t token, double value);
  void set_int(uint32_t token, int32_t value);
  double get(uint32_t token) const;
  VAR_VALUE raw(uint32_t token) const;

  // Named variables bound with initialize_var_by_name, in binding order.
  const std::vector<std::string>& named_bindings() const { return named_bindings_; }

  // Key events sent by modules (and by mouse areas), oldest first.
  const std::vector<KeyEvent>& key_events() const { return key_events_; }
  void clear_key_events() { key_events_.clear(); }
  // Called for every key event, before the registered handlers see it.
  std::function<void(const KeyEvent&)> on_key_event;

  // Panel windows: idents defined by the panel configuration.
  void add_window(uint32_t ident, bool open = false) { windows_[ident] = open; }
  bool window_open(uint32_t ident) const;
  bool has_window(uint32_t ident) const { return windows_.count(ident) != 0; }
  // Every panel_window_toggle call, in order.
  const std::vector<uint32_t>& window_toggles() const { return window_toggles_; }
  std::function<void(uint32_t ident, bool open)> on_window_change;

  // Failures: a set key makes the elements whose records name it act as their
  // record says (see docs/architecture.md).
  void set_failure(uint32_t key, bool failed = true);
  bool failed(uint32_t key) const { return failures_.count(key) != 0; }

  // The simulator's radio-tuning selection; string highlight lists follow it.
  void set_radio_selection(uint32_t id) { radio_selection_ = id; }
  uint32_t radio_selection() const { return radio_selection_; }
  // Characters of a string element drawn in its highlight colour now.
  std::vector<bool> highlighted(const ElementState& string_element) const;

  // Mouse, in gauge pixels. A click is a press and a release; while a press
  // is held, each repeat interval of frames sends a repeat (action bit plus
  // MOUSE_DOWN_REPEAT) to an area that takes repeats.
  bool click(Placement& placement, int x, int y, uint32_t action = MOUSE_LEFTSINGLE);
  bool press(Placement& placement, int x, int y, uint32_t action = MOUSE_LEFTSINGLE);
  bool repeat();
  bool drag(int x, int y);
  void release();
  void set_repeat_interval(int frames) { repeat_interval_ = frames > 0 ? frames : 1; }
  // Tooltip (help id, 0 for none) and cursor of the area under a point.
  uint32_t tooltip_at(Placement& placement, int x, int y);
  uint32_t cursor_at(Placement& placement, int x, int y);
  // The last value a mouse function returned.
  int32_t last_mouse_result() const { return last_mouse_result_; }

  // The platform table handed to native modules (sound, windows, resources):
  // the host's own bench platform unless set otherwise before loading.
  void set_platform(const PlatformServices* services) { platform_ = services; }
  const PlatformServices* platform() const { return platform_; }
  BenchPlatform& bench_platform() { return *bench_platform_; }

  const std::deque<std::unique_ptr<Module>>& modules() const { return modules_; }
  const std::deque<std::unique_ptr<Placement>>& placements() const { return placements_; }

  // Host services, called through the service table.
  void element_list_install(ELEMENT_HEADER* element, void* resource_handle);
  void element_list_update(ELEMENT_HEADER* element);
  void element_list_kill(ELEMENT_HEADER* element);
  void mouse_list_install(MOUSERECT* rect, GAUGEHDR* gauge, PIXPOINT* size);
  void mouse_list_register(MOUSERECT* rect, GAUGEHDR* gauge);
  void mouse_list_unregister(MOUSERECT* rect, GAUGEHDR* gauge);
  int32_t panel_window_toggle(uint32_t ident);
  int32_t trigger_key_event(uint32_t event_id, uint32_t value);
  void initialize_var_by_name(MODULE_VAR* var, const char* name);
  void lookup_var(MODULE_VAR* var);
  int32_t register_key_event_handler(KEY_EVENT_HANDLER handler, void* user);
  int32_t unregister_key_event_handler(KEY_EVENT_HANDLER handler, void* user);

 private:
  struct Registration {
    MOUSERECT* rect;
    GAUGEHDR* gauge;
  };
  struct Hit {
    MOUSERECT* area = nullptr;
    PIXPOINT origin{};  // of the area's parent frame, in gauge pixels
  };
  struct Held {
    Placement* placement = nullptr;
    Hit hit;
    uint32_t action = 0;
    int frames = 0;
    int x = 0;
    int y = 0;
  };

  Placement* placement_of(GAUGEHDR* gauge);
  ElementState& state_of(ELEMENT_HEADER* element);
  void install_tree(Placement* owner, ELEMENT_HEADER* element, ELEMENT_HEADER* parent,
                    GAUGEHDR* gauge);
  void update_element(ElementState& state);
  void kill_tree(ELEMENT_HEADER* element);
  ELEMENT_HEADER* copy_tree(Placement& placement, const ELEMENT_HEADER* element);
  MOUSERECT* copy_mouse_list(Placement& placement, const MOUSERECT* list);
  void callback(Placement& placement, int32_t service, uintptr_t extra = 0);
  MOUSERECT* registered_list(Placement& placement);
  std::optional<Hit> hit_test(Placement& placement, int x, int y, uint32_t action);
  MOUSERECT* area_at(Placement& placement, int x, int y, bool want_help);
  bool act(Placement& placement, const Hit& hit, int x, int y, uint32_t flags);

  std::deque<std::unique_ptr<Module>> modules_;
  std::deque<std::unique_ptr<Placement>> placements_;
  std::vector<Registration> registrations_;
  std::unordered_map<ELEMENT_HEADER*, std::unique_ptr<ElementState>> in_place_states_;
  Placement* servicing_ = nullptr;  // whose code is running

  std::unordered_map<uint32_t, uint64_t> variables_;
  std::map<std::string, VAR_VALUE> named_;
  std::vector<std::string> named_bindings_;
  std::vector<KeyEvent> key_events_;
  std::vector<std::pair<KEY_EVENT_HANDLER, void*>> handlers_;
  std::map<uint32_t, bool> windows_;
  std::vector<uint32_t> window_toggles_;
  std::map<uint32_t, bool> failures_;
  uint32_t radio_selection_ = 0;

  double frame_period_ = 1.0 / 18.0;
  double time_ = 0;
  uint64_t frame_count_ = 0;

  std::optional<Held> held_;
  int repeat_interval_ = 3;
  int32_t last_mouse_result_ = 0;

  std::unique_ptr<BenchPlatform> bench_platform_;
  const PlatformServices* platform_ = nullptr;
  PANELS services_{};
  Host* previous_host_ = nullptr;
};

// Loader, one per operating system.
void* open_library(const std::string& path, std::string& error);
void* library_symbol(void* library, const char* name);
void close_library(void* library);
// What a loaded library hands its code as the resource handle.
void* library_resource_handle(void* library);
// A bitmap resource's pixel size from its bytes (a BMP file or a bare DIB).
std::optional<PIXPOINT> bitmap_dimensions(const void* data, uint32_t size);
// Resource lookup in a loaded library by id and type (1 bitmap, 2 wave).
bool library_resource(const Module& module, uint32_t id, uint32_t type, const void** data,
                      uint32_t* size);

}  // namespace panelbench
