// The simulator's panel interface as a gauge module sees it: the records a module
// exports, the host's service table, and the gauge, element and mouse records that
// the host and the module share. Every module and the panelbench host include this.
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define GAUGE_CALL __stdcall
#else
#define GAUGE_CALL
#endif

// Marks a module's exported records; define them inside extern "C" { }.
#if defined(_WIN32)
#define GAUGE_EXPORT __declspec(dllexport)
#else
#define GAUGE_EXPORT __attribute__((visibility("default")))
#endif

struct GAUGEHDR;
struct ELEMENT_HEADER;

struct PIXPOINT {
  int32_t x;
  int32_t y;
};

struct PIXBOX {
  int32_t x;
  int32_t y;
  int32_t w;
  int32_t h;
};

// A value-to-point row of a needle's scale: where the needle points for a value.
struct SCALE_POINT {
  PIXPOINT point;
  double value;
  double angle;  // host-owned: bearing of the point seen from the pivot, degrees
};

// ---------------------------------------------------------------------------
// Service ids passed to the gauge callback.
enum : uint32_t {
  SERVICE_QUERY = 0,
  SERVICE_INSTALL = 2,          // extra word: the module's resource handle
  SERVICE_PRE_INITIALIZE = 4,
  SERVICE_PRE_UPDATE = 6,       // every frame
  SERVICE_PRE_DRAW = 10,
  SERVICE_POST_DRAW = 11,
  SERVICE_PRE_KILL = 12,
  SERVICE_CONNECT_TO_WINDOW = 14,
  SERVICE_DISCONNECT = 15,
};

// Mouse action bits, as handed to a mouse function and named in an area's flags.
enum : uint32_t {
  MOUSE_RIGHTSINGLE = 0x80000000u,
  MOUSE_LEFTSINGLE = 0x20000000u,
  MOUSE_LEFTDRAG = 0x00800000u,
  MOUSE_DOWN_REPEAT = 0x00200000u,
};

// Cursors named by mouse areas.
enum : uint32_t {
  CURSOR_NONE = 0,
  CURSOR_UPARROW = 1,     // increase
  CURSOR_DOWNARROW = 2,   // decrease
  CURSOR_HAND = 5,        // button
};

enum : uint32_t {
  IMAGE_TRANSPARENT = 0x00000001u,
  IMAGE_HIDDEN = 0x40000000u,
};

enum : uint32_t {
  GAUGE_HEADER_VERSION_262 = 0x262,  // own service routines, no mouse list or callback
  GAUGE_HEADER_VERSION_2BC = 0x2BC,  // own service routines, mouse list in the header
  GAUGE_HEADER_VERSION_320 = 0x320,  // host element handling, callback, parameters
};

// ---------------------------------------------------------------------------
// Simulator variables. The value is a 64-bit real; integer-valued variables
// deliver their integer in the low 32 bits.
union VAR_VALUE {
  double n;
  uint32_t d;
  int32_t o;
  uint64_t bits;
};

struct MODULE_VAR {
  uint32_t id;  // variable token; 0 = none, the module owns the value
  VAR_VALUE var_value;
  void* var_ptr;       // host-owned binding of a named variable
  uint32_t var_type;
  uint32_t var_old_i;
};

// Failure records: (failure key, action) pairs ended by key 0.
enum : uint32_t {
  FAIL_ACTION_NONE = 0,
  FAIL_ACTION_FREEZE = 1,
  FAIL_ACTION_ZERO = 2,
  FAIL_ACTION_NO_DRAW = 3,
};

struct FAILURE_RECORD {
  uint32_t key;
  uint32_t action;
};

// ---------------------------------------------------------------------------
// Elements.
enum : uint32_t {
  ELEMENT_STATIC_IMAGE = 0,
  ELEMENT_NEEDLE = 1,
  ELEMENT_STRING = 2,
  ELEMENT_SLIDER = 3,
  ELEMENT_ICON = 4,
  ELEMENT_MOVING_IMAGE = 5,
  ELEMENT_SPRITE = 6,
};

typedef double(GAUGE_CALL* ELEMENT_CALLBACK)(ELEMENT_HEADER* element);

// A picture the host installed for an element; dim is its size in pixels.
struct IMAGE {
  PIXPOINT dim;
  uint32_t id;
};

struct ELEMENT_HEADER {
  uint32_t element_type;
  uint32_t resource_id;         // bitmap id
  PIXPOINT position;            // on the gauge; a needle's pivot
  PIXPOINT hub;                 // needle: pivot inside the needle bitmap
  GAUGEHDR* gauge_header;       // host-owned
  ELEMENT_HEADER* previous_element;  // host-owned: the parent in the tree
  ELEMENT_HEADER** next_element;     // children, drawn over this one; null-ended
  const FAILURE_RECORD* failure_systems;
  uint32_t image_flags;
  IMAGE* image;                 // host-owned, valid while installed
  void* host_state;             // host-owned
};

struct ELEMENT_STATIC_IMAGE_T {
  ELEMENT_HEADER header;
};

struct ELEMENT_NEEDLE_T {
  ELEMENT_HEADER header;
  MODULE_VAR source_var;
  ELEMENT_CALLBACK source_callback;
  SCALE_POINT* scale;           // null: the value is the angle in degrees
  uint32_t scale_rows;
  double max_degrees_per_tick;  // 0: no limit
};

// Highlight list rows of a string: while the simulator's radio-tuning selection
// equals id, characters first..last draw in the highlight colour. Ends at id 0.
struct SEQ_RECORD {
  uint32_t id;
  uint32_t first;
  uint32_t last;
};

enum { STRING_MAX_SOURCES = 3 };

struct ELEMENT_STRING_T {
  ELEMENT_HEADER header;
  MODULE_VAR source_var[STRING_MAX_SOURCES];
  ELEMENT_CALLBACK source_callback;  // writes string itself when given
  PIXPOINT box;                 // width, height
  uint32_t char_count;
  const char* format;           // used by the host when there is no callback
  uint32_t fg_color;            // Windows colour values 0x00BBGGRR
  uint32_t bg_color;
  uint32_t hilite_color;
  const char* font_name;
  uint32_t font_weight;
  uint32_t char_set;
  uint32_t draw_text_flags;
  const SEQ_RECORD* highlight;
  char* string;                 // host-owned, char_count + 1 bytes while installed
};

// One axis of a slider, moving image or sprite.
struct AXIS_SOURCE {
  MODULE_VAR source_var;
  ELEMENT_CALLBACK source_callback;
  double scale;                 // slider and sprite: pixels (or degrees) per unit
};

struct ELEMENT_SLIDER_T {
  ELEMENT_HEADER header;
  AXIS_SOURCE x;
  AXIS_SOURCE y;
};

struct ELEMENT_ICON_T {
  ELEMENT_HEADER header;
  MODULE_VAR source_var;
  ELEMENT_CALLBACK source_callback;
  uint32_t picture_count;       // pictures are resource_id + 0 .. count - 1
};

// A strip shifted behind its mask (bitmap resource_id + 1) so that the value
// range min..max spans the strip's travel on each axis.
struct MOVING_AXIS {
  AXIS_SOURCE source;
  double min;
  double max;
};

struct ELEMENT_MOVING_IMAGE_T {
  ELEMENT_HEADER header;
  MOVING_AXIS x;
  MOVING_AXIS y;
};

struct ELEMENT_SPRITE_T {
  ELEMENT_HEADER header;
  PIXPOINT texture_center;
  AXIS_SOURCE x;
  AXIS_SOURCE y;
  AXIS_SOURCE rotation;         // degrees per unit
  double texture_scale_x;
  double texture_scale_y;
};

// ---------------------------------------------------------------------------
// Mouse areas.
enum : uint32_t {
  MOUSE_RECT_EOL = 0,
  MOUSE_RECT_PARENT = 1,
  MOUSE_RECT_CHILD = 2,
  MOUSE_RECT_END_PARENT = 3,
  MOUSE_RECT_TOOLTIP = 4,
};

// What a mouse function receives: the point in the frame of the hit area's
// parent (the gauge for a top-level area), then the gauge's header.
struct MOUSE_POINT {
  int32_t x;
  int32_t y;
  GAUGEHDR* gauge;
};

typedef int32_t(GAUGE_CALL* MOUSE_FUNCTION)(MOUSE_POINT* point, uint32_t mouse_flags);

struct MOUSERECT {
  uint32_t rect_type;
  PIXBOX box;                   // a parent's empty box covers the whole gauge
  uint32_t cursor;
  uint32_t help_id;
  uint32_t mouse_flags;
  uint32_t event_id;            // sent by the host when there is no function
  MOUSE_FUNCTION mouse_function;
};

// ---------------------------------------------------------------------------
// Gauges.
typedef void(GAUGE_CALL* GAUGE_CALLBACK)(GAUGEHDR* gauge, int32_t service_id, uintptr_t extra);
typedef void(GAUGE_CALL* QUERY_ROUTINE)(void);
typedef void(GAUGE_CALL* INSTALL_ROUTINE)(void* resource_handle);
typedef void(GAUGE_CALL* INITIALIZE_ROUTINE)(void);
typedef void(GAUGE_CALL* UPDATE_ROUTINE)(void);
typedef void(GAUGE_CALL* GENERATE_ROUTINE)(uint32_t phase);
typedef void(GAUGE_CALL* DRAW_ROUTINE)(void);
typedef void(GAUGE_CALL* KILL_ROUTINE)(void);

// Fields are in the order the header versions grew: a host reads the mouse list
// only from version 0x2BC on, the callback, user word and parameters from 0x320.
struct GAUGEHDR {
  uint32_t gauge_header_version;
  const char* gauge_name;
  ELEMENT_HEADER* elements_list;  // the first (bottom) element
  QUERY_ROUTINE query_routine;
  INSTALL_ROUTINE install_routine;
  INITIALIZE_ROUTINE initialize_routine;
  UPDATE_ROUTINE update_routine;
  GENERATE_ROUTINE generate_routine;
  DRAW_ROUTINE draw_routine;
  KILL_ROUTINE kill_routine;
  uint32_t size_x_mm;
  MOUSERECT* mouse_rect;          // 0x2BC and later
  GAUGE_CALLBACK gauge_callback;  // 0x320
  uint32_t user_data;             // 0x320
  const char* parameters;         // 0x320: text after the gauge in the panel file
};

// ---------------------------------------------------------------------------
// The host's service table. The module finds it in ImportTable.
typedef void(GAUGE_CALL* KEY_EVENT_HANDLER)(uint32_t event_id, uint32_t value, void* user);

struct PANELS {
  void* reserved_0x00[24];
  void(GAUGE_CALL* element_list_query)(ELEMENT_HEADER* element);
  void(GAUGE_CALL* element_list_install)(ELEMENT_HEADER* element, void* resource_handle);
  void(GAUGE_CALL* element_list_initialize)(ELEMENT_HEADER* element);
  void(GAUGE_CALL* element_list_update)(ELEMENT_HEADER* element);
  void(GAUGE_CALL* element_list_generate)(ELEMENT_HEADER* element, uint32_t phase);
  void(GAUGE_CALL* element_list_plot)(ELEMENT_HEADER* element);
  void(GAUGE_CALL* element_list_erase)(ELEMENT_HEADER* element);
  void(GAUGE_CALL* element_list_kill)(ELEMENT_HEADER* element);
  void(GAUGE_CALL* mouse_list_install)(MOUSERECT* rect, GAUGEHDR* gauge, PIXPOINT* size);
  void(GAUGE_CALL* mouse_list_register)(MOUSERECT* rect, GAUGEHDR* gauge);
  void(GAUGE_CALL* mouse_list_unregister)(MOUSERECT* rect, GAUGEHDR* gauge);
  int32_t(GAUGE_CALL* panel_window_toggle)(uint32_t panel_ident);
  int32_t(GAUGE_CALL* trigger_key_event)(uint32_t event_id, uint32_t value);
  void* reserved_0x94[2];
  void(GAUGE_CALL* initialize_var_by_name)(MODULE_VAR* var, const char* name);
  void(GAUGE_CALL* lookup_var)(MODULE_VAR* var);
  void* reserved_0xA4[39];
  int32_t(GAUGE_CALL* register_key_event_handler)(KEY_EVENT_HANDLER handler, void* user);
  int32_t(GAUGE_CALL* unregister_key_event_handler)(KEY_EVENT_HANDLER handler, void* user);
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(PANELS, element_list_query) == 0x60, "service table layout");
static_assert(offsetof(PANELS, element_list_plot) == 0x74, "service table layout");
static_assert(offsetof(PANELS, element_list_kill) == 0x7C, "service table layout");
static_assert(offsetof(PANELS, mouse_list_install) == 0x80, "service table layout");
static_assert(offsetof(PANELS, mouse_list_unregister) == 0x88, "service table layout");
static_assert(offsetof(PANELS, panel_window_toggle) == 0x8C, "service table layout");
static_assert(offsetof(PANELS, trigger_key_event) == 0x90, "service table layout");
static_assert(offsetof(PANELS, initialize_var_by_name) == 0x9C, "service table layout");
static_assert(offsetof(PANELS, lookup_var) == 0xA0, "service table layout");
static_assert(offsetof(PANELS, register_key_event_handler) == 0x140, "service table layout");
static_assert(offsetof(PANELS, unregister_key_event_handler) == 0x144, "service table layout");
#endif

// ---------------------------------------------------------------------------
// The two exported records.
struct IMPORT_TABLE {
  uint32_t keyword;   // 0x0F
  PANELS* panels;     // written by the host before any gauge code runs
  uint32_t reserved1;
  void* reserved2;
};

typedef void(GAUGE_CALL* MODULE_INIT)(void);
typedef void(GAUGE_CALL* MODULE_DEINIT)(void);

enum : uint32_t {
  GAUGES_LINKAGE_ID = 0x13,
  IMPORT_TABLE_KEYWORD = 0x0F,
};

// Linkage's fixed head; the gauge-header pointers follow, ended by a null entry.
// Each module declares its own record of this shape with its list length.
#define GAUGES_LINKAGE_HEAD    \
  uint32_t module_id;          \
  MODULE_INIT module_init;     \
  MODULE_DEINIT module_deinit; \
  uint32_t flags;              \
  uint32_t priority;           \
  uint32_t version

struct GAUGESLINKAGE_HEAD {
  GAUGES_LINKAGE_HEAD;
};

template <size_t N>
struct GAUGESLINKAGE {
  GAUGES_LINKAGE_HEAD;
  GAUGEHDR* gauges[N + 1];
};

// Offset of the gauge list inside any module's Linkage record.
enum { GAUGES_LINKAGE_LIST_OFFSET = sizeof(GAUGESLINKAGE_HEAD) };
static_assert(offsetof(GAUGESLINKAGE<1>, gauges) == sizeof(GAUGESLINKAGE_HEAD),
              "the gauge list follows the head directly");

// Service table of the running host, kept by each module.
extern "C" IMPORT_TABLE ImportTable;
