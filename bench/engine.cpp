// The element engine: for every element of a tree, the value it shows and what
// that means on the panel (needle angle, offsets, picture, text).
#include <cmath>
#include <cstdio>
#include <cstring>

#include "bench/bench.h"

namespace panelbench {

namespace {

size_t element_size(uint32_t kind) {
  switch (kind) {
    case ELEMENT_NEEDLE: return sizeof(ELEMENT_NEEDLE_T);
    case ELEMENT_STRING: return sizeof(ELEMENT_STRING_T);
    case ELEMENT_SLIDER: return sizeof(ELEMENT_SLIDER_T);
    case ELEMENT_ICON: return sizeof(ELEMENT_ICON_T);
    case ELEMENT_MOVING_IMAGE: return sizeof(ELEMENT_MOVING_IMAGE_T);
    case ELEMENT_SPRITE: return sizeof(ELEMENT_SPRITE_T);
    default: return sizeof(ELEMENT_STATIC_IMAGE_T);
  }
}

constexpr double kDegreesPerRadian = 57.29577951308232;

// Bearing of a point seen from a pivot: degrees clockwise from straight up.
double bearing(PIXPOINT pivot, PIXPOINT point) {
  double degrees = std::atan2(double(point.x - pivot.x), double(pivot.y - point.y)) * kDegreesPerRadian;
  return degrees < 0 ? degrees + 360.0 : degrees;
}

// Rows turn clockwise along the scale: each row's angle is the previous one
// plus the clockwise turn to its point, so a repeated point makes a stop.
void measure_scale(ELEMENT_NEEDLE_T& needle) {
  if (!needle.scale) return;
  for (uint32_t i = 0; i < needle.scale_rows; ++i) {
    SCALE_POINT& row = needle.scale[i];
    double a = bearing(needle.header.position, row.point);
    if (i == 0) {
      row.angle = a;
      continue;
    }
    double previous = needle.scale[i - 1].angle;
    double turn = std::fmod(a - std::fmod(previous, 360.0) + 720.0, 360.0);
    row.angle = previous + turn;
  }
}

// Angle for a value: interpolated between rows, end segments extended.
double scale_angle(const ELEMENT_NEEDLE_T& needle, double value) {
  if (!needle.scale || needle.scale_rows == 0) return value;
  const SCALE_POINT* rows = needle.scale;
  uint32_t n = needle.scale_rows;
  if (n == 1) return rows[0].angle;
  uint32_t i = 0;
  while (i + 2 < n && value > rows[i + 1].value) ++i;
  const SCALE_POINT& a = rows[i];
  const SCALE_POINT& b = rows[i + 1];
  if (b.value == a.value) return value <= a.value ? a.angle : b.angle;
  return a.angle + (value - a.value) * (b.angle - a.angle) / (b.value - a.value);
}

// Refreshes a source from the simulator and asks the callback, if any.
double source_value(Host& host, MODULE_VAR& var, ELEMENT_CALLBACK callback,
                    ELEMENT_HEADER* element) {
  if (var.id != 0 || var.var_ptr) host.lookup_var(&var);
  if (callback) return callback(element);
  return var.var_value.n;
}

double axis_value(Host& host, AXIS_SOURCE& axis, ELEMENT_HEADER* element) {
  return source_value(host, axis.source_var, axis.source_callback, element);
}

double moving_fraction(const MOVING_AXIS& axis, double value) {
  if (axis.max == axis.min || std::isnan(value)) return 0.0;
  double t = (value - axis.min) / (axis.max - axis.min);
  return t < 0 ? 0 : (t > 1 ? 1 : t);
}

// printf-style text of a string element without a callback: each conversion
// takes the next source value; %d, %i, %u, %x and %c take it as an integer.
void format_sources(char* out, size_t capacity, const char* format, const double* values,
                    size_t count) {
  size_t used = 0;
  size_t next = 0;
  auto put = [&](const char* text) {
    for (; *text && used + 1 < capacity; ++text) out[used++] = *text;
  };
  for (const char* p = format ? format : ""; *p && used + 1 < capacity; ++p) {
    if (*p != '%') {
      out[used++] = *p;
      continue;
    }
    char directive[32] = "%";
    size_t s = 1;
    ++p;
    while (*p && std::strchr("-+ #0123456789.", *p) && s < sizeof directive - 3) directive[s++] = *p++;
    if (!*p) break;
    char conversion = *p;
    char piece[64];
    double v = next < count ? values[next] : 0.0;
    if (conversion == '%') {
      put("%");
      continue;
    }
    ++next;
    if (std::strchr("diuxXc", conversion)) {
      directive[s++] = conversion;
      directive[s] = 0;
      long long i = std::isfinite(v) ? static_cast<long long>(v) : 0;
      std::snprintf(piece, sizeof piece, directive, static_cast<int>(i));
    } else if (std::strchr("feEgG", conversion)) {
      directive[s++] = conversion;
      directive[s] = 0;
      std::snprintf(piece, sizeof piece, directive, v);
    } else {
      piece[0] = 0;
    }
    put(piece);
  }
  if (capacity) out[used] = 0;
}

}  // namespace

ElementState& Host::state_of(ELEMENT_HEADER* element) {
  return *static_cast<ElementState*>(element->host_state);
}

ELEMENT_HEADER* Host::copy_tree(Placement& p, const ELEMENT_HEADER* element) {
  if (!element) return nullptr;
  size_t size = element_size(element->element_type);
  p.arena_.push_back(std::make_unique<unsigned char[]>(size));
  auto* copy = reinterpret_cast<ELEMENT_HEADER*>(p.arena_.back().get());
  std::memcpy(static_cast<void*>(copy), element, size);
  copy->host_state = nullptr;
  copy->image = nullptr;
  if (element->next_element) {
    size_t n = 0;
    while (element->next_element[n]) ++n;
    p.arena_.push_back(std::make_unique<unsigned char[]>((n + 1) * sizeof(ELEMENT_HEADER*)));
    auto** children = reinterpret_cast<ELEMENT_HEADER**>(p.arena_.back().get());
    for (size_t i = 0; i < n; ++i) children[i] = copy_tree(p, element->next_element[i]);
    children[n] = nullptr;
    copy->next_element = children;
  }
  return copy;
}

MOUSERECT* Host::copy_mouse_list(Placement& p, const MOUSERECT* list) {
  if (!list) return nullptr;
  size_t n = 0;
  while (list[n].rect_type != MOUSE_RECT_EOL) ++n;
  p.arena_.push_back(std::make_unique<unsigned char[]>((n + 1) * sizeof(MOUSERECT)));
  auto* copy = reinterpret_cast<MOUSERECT*>(p.arena_.back().get());
  std::memcpy(static_cast<void*>(copy), list, (n + 1) * sizeof(MOUSERECT));
  return copy;
}

void Host::element_list_install(ELEMENT_HEADER* element, void*) {
  Placement* owner = servicing_;
  install_tree(owner, element, nullptr, owner ? &owner->header() : nullptr);
}

void Host::install_tree(Placement* owner, ELEMENT_HEADER* element, ELEMENT_HEADER* parent,
                        GAUGEHDR* gauge) {
  for (; element; element = nullptr) {
    ElementState* state = nullptr;
    if (owner && owner->header().gauge_header_version >= GAUGE_HEADER_VERSION_320) {
      state = &owner->states_.emplace_back();
    } else {
      auto& slot = in_place_states_[element];
      slot = std::make_unique<ElementState>();
      state = slot.get();
    }
    state->element = element;
    element->host_state = state;
    element->gauge_header = gauge;
    element->previous_element = parent;
    state->image.id = element->resource_id;
    if (owner) {
      state->index = owner->elements_.size();
      owner->elements_.push_back(state);
      if (auto dim = owner->module().bitmap_size(element->resource_id)) state->image.dim = *dim;
    }
    element->image = &state->image;
    if (element->element_type == ELEMENT_NEEDLE)
      measure_scale(*reinterpret_cast<ELEMENT_NEEDLE_T*>(element));
    if (element->element_type == ELEMENT_STRING) {
      auto& s = *reinterpret_cast<ELEMENT_STRING_T*>(element);
      state->text.assign(s.char_count + 1, 0);
      s.string = state->text.data();
    }
    if (element->next_element)
      for (size_t i = 0; element->next_element[i]; ++i)
        install_tree(owner, element->next_element[i], element, gauge);
  }
}

void Host::element_list_update(ELEMENT_HEADER* element) {
  if (!element || !element->host_state) return;
  update_element(state_of(element));
  if (element->next_element)
    for (size_t i = 0; element->next_element[i]; ++i) element_list_update(element->next_element[i]);
}

void Host::update_element(ElementState& s) {
  ELEMENT_HEADER* e = s.element;
  if (s.image.id != e->resource_id) {
    s.image.id = e->resource_id;
    s.image.dim = PIXPOINT{};
    if (Placement* owner = placement_of(e->gauge_header))
      if (auto dim = owner->module().bitmap_size(e->resource_id)) s.image.dim = *dim;
  }
  double v[3] = {0, 0, 0};
  switch (e->element_type) {
    case ELEMENT_NEEDLE: {
      auto& n = *reinterpret_cast<ELEMENT_NEEDLE_T*>(e);
      v[0] = source_value(*this, n.source_var, n.source_callback, e);
      break;
    }
    case ELEMENT_STRING: {
      auto& t = *reinterpret_cast<ELEMENT_STRING_T*>(e);
      for (int i = 0; i < STRING_MAX_SOURCES; ++i)
        if (t.source_var[i].id != 0) lookup_var(&t.source_var[i]);
      if (t.source_callback) {
        v[0] = t.source_callback(e);
      } else {
        double values[STRING_MAX_SOURCES];
        for (int i = 0; i < STRING_MAX_SOURCES; ++i) values[i] = t.source_var[i].var_value.n;
        v[0] = values[0];
        if (t.string) format_sources(t.string, t.char_count + 1, t.format, values, STRING_MAX_SOURCES);
      }
      // Whatever a callback wrote, the text ends within the element's characters.
      if (t.string) t.string[t.char_count] = 0;
      break;
    }
    case ELEMENT_SLIDER: {
      auto& sl = *reinterpret_cast<ELEMENT_SLIDER_T*>(e);
      v[0] = axis_value(*this, sl.x, e);
      v[1] = axis_value(*this, sl.y, e);
      break;
    }
    case ELEMENT_ICON: {
      auto& ic = *reinterpret_cast<ELEMENT_ICON_T*>(e);
      v[0] = source_value(*this, ic.source_var, ic.source_callback, e);
      break;
    }
    case ELEMENT_MOVING_IMAGE: {
      auto& m = *reinterpret_cast<ELEMENT_MOVING_IMAGE_T*>(e);
      v[0] = axis_value(*this, m.x.source, e);
      v[1] = axis_value(*this, m.y.source, e);
      break;
    }
    case ELEMENT_SPRITE: {
      auto& sp = *reinterpret_cast<ELEMENT_SPRITE_T*>(e);
      v[0] = axis_value(*this, sp.x, e);
      v[1] = axis_value(*this, sp.y, e);
      v[2] = axis_value(*this, sp.rotation, e);
      break;
    }
    default: break;
  }

  uint32_t action = FAIL_ACTION_NONE;
  s.failed = false;
  for (const FAILURE_RECORD* r = e->failure_systems; r && r->key != 0; ++r)
    if (failed(r->key) && !s.failed) {
      s.failed = true;
      action = r->action;
    }
  if (action == FAIL_ACTION_FREEZE && s.updated) {
    s.visible = !(e->image_flags & IMAGE_HIDDEN);
    return;
  }
  if (action == FAIL_ACTION_ZERO) v[0] = v[1] = v[2] = 0;
  for (int i = 0; i < 3; ++i) s.value[i] = v[i];
  s.bitmap = e->resource_id;
  bool drawn = !(e->image_flags & IMAGE_HIDDEN) && action != FAIL_ACTION_NO_DRAW;

  switch (e->element_type) {
    case ELEMENT_NEEDLE: {
      auto& n = *reinterpret_cast<ELEMENT_NEEDLE_T*>(e);
      double target = scale_angle(n, v[0]);
      if (std::isnan(target)) target = s.updated ? s.turn : 0.0;
      if (s.updated && n.max_degrees_per_tick > 0) {
        double step = target - s.turn;
        if (step > n.max_degrees_per_tick) step = n.max_degrees_per_tick;
        if (step < -n.max_degrees_per_tick) step = -n.max_degrees_per_tick;
        target = s.turn + step;
      }
      s.turn = target;
      s.angle = std::fmod(std::fmod(target, 360.0) + 360.0, 360.0);
      break;
    }
    case ELEMENT_SLIDER: {
      auto& sl = *reinterpret_cast<ELEMENT_SLIDER_T*>(e);
      s.offset_x = v[0] * sl.x.scale;
      s.offset_y = v[1] * sl.y.scale;
      break;
    }
    case ELEMENT_ICON: {
      auto& ic = *reinterpret_cast<ELEMENT_ICON_T*>(e);
      // A value beyond the last picture shows the last one; a negative none.
      if (!(v[0] >= 0)) {
        s.picture = -1;
      } else {
        uint32_t last = ic.picture_count ? ic.picture_count - 1 : 0;
        s.picture = v[0] >= double(last) ? int32_t(last) : int32_t(v[0]);
      }
      if (s.picture < 0) drawn = false;
      s.bitmap = e->resource_id + uint32_t(s.picture < 0 ? 0 : s.picture);
      break;
    }
    case ELEMENT_MOVING_IMAGE: {
      auto& m = *reinterpret_cast<ELEMENT_MOVING_IMAGE_T*>(e);
      s.fraction_x = moving_fraction(m.x, v[0]);
      s.fraction_y = moving_fraction(m.y, v[1]);
      PIXPOINT strip = s.image.dim;
      PIXPOINT mask{};
      if (Placement* owner = placement_of(e->gauge_header))
        if (auto dim = owner->module().bitmap_size(e->resource_id + 1)) mask = *dim;
      s.offset_x = s.fraction_x * (strip.x > mask.x ? strip.x - mask.x : 0);
      s.offset_y = s.fraction_y * (strip.y > mask.y ? strip.y - mask.y : 0);
      break;
    }
    case ELEMENT_SPRITE: {
      auto& sp = *reinterpret_cast<ELEMENT_SPRITE_T*>(e);
      s.offset_x = v[0] * sp.x.scale;
      s.offset_y = v[1] * sp.y.scale;
      s.rotation = v[2] * sp.rotation.scale;
      break;
    }
    default: break;
  }
  s.updated = true;
  s.visible = drawn;
}

void Host::element_list_kill(ELEMENT_HEADER* element) { kill_tree(element); }

void Host::kill_tree(ELEMENT_HEADER* element) {
  if (!element) return;
  if (element->next_element)
    for (size_t i = 0; element->next_element[i]; ++i) kill_tree(element->next_element[i]);
  if (element->element_type == ELEMENT_STRING)
    reinterpret_cast<ELEMENT_STRING_T*>(element)->string = nullptr;
  element->image = nullptr;
  element->host_state = nullptr;
  in_place_states_.erase(element);
}

std::vector<bool> Host::highlighted(const ElementState& state) const {
  std::vector<bool> marks;
  if (state.element->element_type != ELEMENT_STRING) return marks;
  const auto& t = *reinterpret_cast<const ELEMENT_STRING_T*>(state.element);
  marks.assign(t.char_count, false);
  if (radio_selection_ == 0) return marks;
  for (const SEQ_RECORD* r = t.highlight; r && r->id != 0; ++r)
    if (r->id == radio_selection_)
      for (uint32_t c = r->first; c <= r->last && c < t.char_count; ++c) marks[c] = true;
  return marks;
}

}  // namespace panelbench
