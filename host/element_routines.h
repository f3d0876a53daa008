// The seven service routines of a gauge header that hand one element list to
// the host's element-list services. Gauges of header versions 0x262 and 0x2BC
// depend on them (the host calls them instead of handling the elements
// itself); 0x320 gauges may name them too. The routines take no gauge, so they
// work on the module's static tables.
#pragma once

#include "host/gauges.h"

// Query, initialise, update, generate and draw: the same for every gauge.
#define ELEMENT_ROUTINES_COMMON(PREFIX, FIRST_ELEMENT)                                         \
  void GAUGE_CALL PREFIX##_query() { ImportTable.panels->element_list_query(FIRST_ELEMENT); } \
  void GAUGE_CALL PREFIX##_initialize() {                                                    \
    ImportTable.panels->element_list_initialize(FIRST_ELEMENT);                              \
  }                                                                                          \
  void GAUGE_CALL PREFIX##_update() { ImportTable.panels->element_list_update(FIRST_ELEMENT); } \
  void GAUGE_CALL PREFIX##_generate(uint32_t phase) {                                        \
    ImportTable.panels->element_list_generate(FIRST_ELEMENT, phase);                         \
  }                                                                                          \
  void GAUGE_CALL PREFIX##_draw() { ImportTable.panels->element_list_plot(FIRST_ELEMENT); }

// Install and kill hand over the elements only.
#define ELEMENT_ROUTINES(PREFIX, FIRST_ELEMENT)                                \
  ELEMENT_ROUTINES_COMMON(PREFIX, FIRST_ELEMENT)                               \
  void GAUGE_CALL PREFIX##_install(void* resources) {                          \
    ImportTable.panels->element_list_install(FIRST_ELEMENT, resources);        \
  }                                                                            \
  void GAUGE_CALL PREFIX##_kill() { ImportTable.panels->element_list_kill(FIRST_ELEMENT); }

// For a 0x262 header, which has no mouse list of its own: install registers the
// mouse areas after the elements (sized by the installed background picture),
// kill unregisters them before the elements go.
#define ELEMENT_AND_MOUSE_ROUTINES(PREFIX, FIRST_ELEMENT, MOUSE_LIST, GAUGE)                   \
  ELEMENT_ROUTINES_COMMON(PREFIX, FIRST_ELEMENT)                                               \
  void GAUGE_CALL PREFIX##_install(void* resources) {                                          \
    ImportTable.panels->element_list_install(FIRST_ELEMENT, resources);                        \
    IMAGE* PREFIX##_picture = (FIRST_ELEMENT)->image;                                          \
    ImportTable.panels->mouse_list_install(MOUSE_LIST, GAUGE,                                  \
                                           PREFIX##_picture ? &PREFIX##_picture->dim : nullptr); \
    ImportTable.panels->mouse_list_register(MOUSE_LIST, GAUGE);                                \
  }                                                                                            \
  void GAUGE_CALL PREFIX##_kill() {                                                            \
    ImportTable.panels->mouse_list_unregister(MOUSE_LIST, GAUGE);                              \
    ImportTable.panels->element_list_kill(FIRST_ELEMENT);                                      \
  }

// The routines in GAUGEHDR order, for a header's initialiser.
#define ELEMENT_ROUTINE_NAMES(PREFIX)                                                   \
  PREFIX##_query, PREFIX##_install, PREFIX##_initialize, PREFIX##_update,              \
      PREFIX##_generate, PREFIX##_draw, PREFIX##_kill
