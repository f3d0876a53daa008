// Mouse areas: registration, hit tests, tooltips, cursors and dispatch.
#include <algorithm>

#include "bench/bench.h"

namespace panelbench {

namespace {

bool contains(const PIXBOX& box, PIXPOINT origin, int x, int y) {
  int left = origin.x + box.x;
  int top = origin.y + box.y;
  return x >= left && y >= top && x < left + box.w && y < top + box.h;
}

bool is_whole_gauge(const PIXBOX& box) { return box.w == 0 && box.h == 0; }

bool has_action(const MOUSERECT& area) { return area.mouse_function || area.event_id; }

// Walks one parent's records (from the one after `parent`), calling visit for
// each area that contains the point with the origin of its parent frame; a
// visit returning true stops the walk. Returns the record after the parent's
// end marker (or the list's end).
template <typename Visit>
MOUSERECT* walk(MOUSERECT* record, PIXPOINT origin, int x, int y, bool inside, Visit&& visit,
                bool& stopped) {
  while (record->rect_type != MOUSE_RECT_EOL) {
    MOUSERECT& area = *record;
    if (area.rect_type == MOUSE_RECT_END_PARENT) return record + 1;
    if (area.rect_type == MOUSE_RECT_PARENT) {
      bool here = inside && (is_whole_gauge(area.box) || contains(area.box, origin, x, y));
      PIXPOINT inner = is_whole_gauge(area.box)
                           ? origin
                           : PIXPOINT{origin.x + area.box.x, origin.y + area.box.y};
      // Children come first; the parent itself answers when none of them does.
      record = walk(record + 1, inner, x, y, here, visit, stopped);
      if (stopped) return record;
      if (here && visit(area, origin, true)) {
        stopped = true;
        return record;
      }
      continue;
    }
    if (area.rect_type == MOUSE_RECT_CHILD && inside && contains(area.box, origin, x, y) &&
        visit(area, origin, false)) {
      stopped = true;
      return record;
    }
    ++record;
  }
  return record;
}

// Help id of a parent: its own, or that of a tooltip record among its children.
uint32_t parent_help(const MOUSERECT& parent) {
  if (parent.help_id) return parent.help_id;
  for (const MOUSERECT* r = &parent + 1; r->rect_type == MOUSE_RECT_TOOLTIP ||
                                         r->rect_type == MOUSE_RECT_CHILD;
       ++r)
    if (r->rect_type == MOUSE_RECT_TOOLTIP) return r->help_id;
  return 0;
}

}  // namespace

void Host::mouse_list_install(MOUSERECT*, GAUGEHDR* gauge, PIXPOINT* size) {
  if (Placement* p = placement_of(gauge))
    if (size) p->size_ = *size;
}

void Host::mouse_list_register(MOUSERECT* rect, GAUGEHDR* gauge) {
  if (!rect) return;
  mouse_list_unregister(rect, gauge);
  registrations_.push_back({rect, gauge});
}

void Host::mouse_list_unregister(MOUSERECT* rect, GAUGEHDR* gauge) {
  std::erase_if(registrations_,
                [&](const Registration& r) { return r.rect == rect && r.gauge == gauge; });
}

MOUSERECT* Host::registered_list(Placement& placement) {
  for (const Registration& r : registrations_)
    if (r.gauge == &placement.header()) return r.rect;
  return nullptr;
}

std::optional<Host::Hit> Host::hit_test(Placement& placement, int x, int y, uint32_t action) {
  MOUSERECT* list = registered_list(placement);
  if (!list || !placement.installed()) return std::nullopt;
  std::optional<Hit> hit;
  bool stopped = false;
  walk(list, PIXPOINT{0, 0}, x, y, true,
       [&](MOUSERECT& area, PIXPOINT origin, bool) {
         if (!has_action(area) || !(area.mouse_flags & action)) return false;
         hit = Hit{&area, origin};
         return true;
       },
       stopped);
  return hit;
}

MOUSERECT* Host::area_at(Placement& placement, int x, int y, bool want_help) {
  MOUSERECT* list = registered_list(placement);
  if (!list || !placement.installed()) return nullptr;
  MOUSERECT* found = nullptr;
  bool stopped = false;
  walk(list, PIXPOINT{0, 0}, x, y, true,
       [&](MOUSERECT& area, PIXPOINT, bool is_parent) {
         uint32_t help = is_parent ? parent_help(area) : area.help_id;
         if (want_help ? help == 0 : area.cursor == CURSOR_NONE) return false;
         found = &area;
         return true;
       },
       stopped);
  return found;
}

uint32_t Host::tooltip_at(Placement& placement, int x, int y) {
  MOUSERECT* area = area_at(placement, x, y, true);
  if (!area) return 0;
  return area->rect_type == MOUSE_RECT_PARENT ? parent_help(*area) : area->help_id;
}

uint32_t Host::cursor_at(Placement& placement, int x, int y) {
  MOUSERECT* area = area_at(placement, x, y, false);
  return area ? area->cursor : CURSOR_NONE;
}

bool Host::act(Placement& placement, const Hit& hit, int x, int y, uint32_t flags) {
  Placement* outer = servicing_;
  servicing_ = &placement;
  if (hit.area->mouse_function) {
    MOUSE_POINT point{x - hit.origin.x, y - hit.origin.y, &placement.header()};
    last_mouse_result_ = hit.area->mouse_function(&point, flags);
  } else {
    trigger_key_event(hit.area->event_id, 0);
  }
  servicing_ = outer;
  return true;
}

bool Host::press(Placement& placement, int x, int y, uint32_t action) {
  held_.reset();
  auto hit = hit_test(placement, x, y, action);
  if (!hit) return false;
  held_ = Held{&placement, *hit, action, 0, x, y};
  act(placement, *hit, x, y, action);
  return true;
}

bool Host::repeat() {
  if (!held_ || !(held_->hit.area->mouse_flags & MOUSE_DOWN_REPEAT)) return false;
  return act(*held_->placement, held_->hit, held_->x, held_->y, held_->action | MOUSE_DOWN_REPEAT);
}

bool Host::drag(int x, int y) {
  if (!held_ || !(held_->hit.area->mouse_flags & MOUSE_LEFTDRAG)) return false;
  held_->x = x;
  held_->y = y;
  return act(*held_->placement, held_->hit, x, y, MOUSE_LEFTDRAG);
}

void Host::release() { held_.reset(); }

bool Host::click(Placement& placement, int x, int y, uint32_t action) {
  bool acted = press(placement, x, y, action);
  release();
  return acted;
}

}  // namespace panelbench
