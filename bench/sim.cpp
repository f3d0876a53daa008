// What the bench knows of the simulator's key events: readable names for the
// ones the modules send.
#include "bench/bench.h"

namespace panelbench {

namespace {
struct EventName {
  uint32_t id;
  const char* name;
};

// id       name
const EventName event_names[] = {
    {0x1001C, "ATC window"},
    {0x100C6, "next view"},
    {0x100C7, "previous view"},
    {0x10153, "view reset"},
    {0x10154, "kneeboard"},
    {0x10380, "map"},
    {0x103CA, "toggle panel window"},
    {0x103CB, "open panel window"},
    {0x103CC, "close panel window"},
};
}  // namespace

const char* key_event_name(uint32_t event_id) {
  for (const EventName& e : event_names)
    if (e.id == event_id) return e.name;
  return nullptr;
}

}  // namespace panelbench
