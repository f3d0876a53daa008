// quillon: a button that toggles panel window 43 and flips its two-state
// picture with each click. The state does not follow the window when
// something else opens or closes it.
#include "host/module_records.h"
#include "host/element_routines.h"
#include "host/table_shapes.h"

namespace {

enum : uint32_t { BUTTON_WINDOW = 43 };

// The button state, 0.0 or 1.0, lives in the icon's own variable: with no
// token the host never refreshes it and shows the module's value.
//                                    kind          bitmap x  y  hub   layers   failure  flags
ELEMENT_ICON_T button = {ELEMENT_HEAD(ELEMENT_ICON, 8192,  0, 0, 0, 0, nullptr, nullptr, 0x7),
                         NO_VAR, nullptr, 2};  // variable, callback, pictures
ELEMENT_HEADER* over_background[] = {&button.header, nullptr};
//                                               bitmap x  y  layers           flags
ELEMENT_STATIC_IMAGE_T background = {STATIC_HEAD(4096, 0, 0, over_background, 0x3)};

int32_t GAUGE_CALL press_button(MOUSE_POINT* point, uint32_t) {
  ELEMENT_HEADER* root = point && point->gauge ? point->gauge->elements_list : nullptr;
  if (root && root->next_element && root->next_element[0]) {
    VAR_VALUE& state = reinterpret_cast<ELEMENT_ICON_T*>(root->next_element[0])->source_var.var_value;
    state.n += 1.0;
    if (state.n == 2.0) state.n = 0.0;
  }
  return ImportTable.panels->panel_window_toggle(BUTTON_WINDOW);
}

MOUSERECT button_mouse[] = {
    //           box         help
    MOUSE_PARENT(0, 0, 0, 0, 0),
    //          box              cursor       help flags             event function
    MOUSE_CHILD(3, 12, 103, 105, CURSOR_HAND, 0,   MOUSE_LEFTSINGLE, 0,    press_button),
    MOUSE_END_PARENT,
    MOUSE_END_LIST,
};

extern GAUGEHDR gauge_quillon;
ELEMENT_AND_MOUSE_ROUTINES(button, &background.header, button_mouse, &gauge_quillon)

GAUGEHDR gauge_quillon = {GAUGE_HEADER_VERSION_262, "quillon", &background.header,
                          ELEMENT_ROUTINE_NAMES(button), 100, nullptr, nullptr, 0, nullptr};

}  // namespace

MODULE_RECORDS(0, 1, &gauge_quillon)
