// tarnelrad: a radio panel showing COM 1 and 2, NAV 1 and 2, the transponder
// and the ADF as text from the simulator's binary-coded-decimal values. The
// tuning areas send the simulator's radio events themselves; the module sends
// only the push button's event.
#include "host/module_records.h"
#include "host/element_routines.h"
#include "host/table_shapes.h"
#include "platform/platform.h"

namespace {

enum : uint32_t {
  COM1_FREQUENCY = 0x17,
  COM2_FREQUENCY = 0x366,
  NAV1_FREQUENCY = 0x18,
  NAV2_FREQUENCY = 0x1b,
  TRANSPONDER_CODE = 0x26,
  ADF_FREQUENCY = 0x10,
  ADF_FRACTION = 0x12,
  EVENT_PUSH_BUTTON = 0x10344,
};

ELEMENT_STRING_T& as_string(ELEMENT_HEADER* element) {
  return *reinterpret_cast<ELEMENT_STRING_T*>(element);
}

uint32_t source_bits(const ELEMENT_STRING_T& text, int source) {
  return text.source_var[source].var_value.d;
}

// Decimal digit `place` (0 the lowest) of a BCD value. The simulator never
// delivers a group above 9; one shows modulo 10 so the text keeps its width.
int32_t bcd_digit(uint32_t bcd, int place) { return int32_t((bcd >> (4 * place)) & 0xF) % 10; }

// Writes the window's text into the element's host-owned buffer and returns
// the first source as an unsigned number.
double show(ELEMENT_HEADER* element, const int32_t (&digits)[PLATFORM_FORMAT_VALUES]) {
  ELEMENT_STRING_T& text = as_string(element);
  if (text.string)
    platform_format_integers(text.string, text.char_count + 1, text.format, digits,
                             PLATFORM_FORMAT_VALUES);
  return source_bits(text, 0);
}

// COM, NAV and the transponder: the four low digits, highest first.
double GAUGE_CALL four_digit_text(ELEMENT_HEADER* element) {
  uint32_t v = source_bits(as_string(element), 0);
  return show(element, {bcd_digit(v, 3), bcd_digit(v, 2), bcd_digit(v, 1), bcd_digit(v, 0)});
}

// ADF: hundreds, tens and units of the frequency, then the fraction's digit.
double GAUGE_CALL adf_text(ELEMENT_HEADER* element) {
  const ELEMENT_STRING_T& text = as_string(element);
  uint32_t v = source_bits(text, 0);
  uint32_t w = source_bits(text, 1);
  return show(element, {bcd_digit(v, 2), bcd_digit(v, 1), bcd_digit(v, 0), bcd_digit(w, 0)});
}

int32_t GAUGE_CALL push_button(MOUSE_POINT*, uint32_t) {
  ImportTable.panels->trigger_key_event(EVENT_PUSH_BUTTON, 0);
  return 0;
}

// Highlight lists: selection id, first and last character lit.
const SEQ_RECORD adf_highlight[] = {{19, 0, 0}, {20, 1, 1}, {21, 2, 4}, {0, 0, 0}};
const SEQ_RECORD transponder_highlight[] = {{10, 0, 0}, {11, 1, 1}, {12, 2, 2}, {13, 3, 3}, {0, 0, 0}};
const SEQ_RECORD nav2_highlight[] = {{8, 0, 2}, {9, 4, 5}, {0, 0, 0}};
const SEQ_RECORD nav1_highlight[] = {{6, 0, 2}, {7, 4, 5}, {0, 0, 0}};
const SEQ_RECORD com_highlight[] = {{4, 0, 2}, {5, 4, 5}, {0, 0, 0}};  // both COM windows

// White Courier New on black, yellow where highlighted, centred on one line.
#define RADIO_WINDOW(NAME, X, Y, W, H, CHARS, CHILD, SOURCE_1, SOURCE_2, CALLBACK, FORMAT, LIST) \
  ELEMENT_STRING_T NAME = {                                                                      \
      ELEMENT_HEAD(ELEMENT_STRING, 0, X, Y, 0, 0, CHILD, nullptr, 6),                            \
      {TOKEN_VAR(SOURCE_1), TOKEN_VAR(SOURCE_2), NO_VAR},                                        \
      CALLBACK, {W, H}, CHARS, FORMAT, 0x00FFFFFF, 0x00000000, 0x0000FFFF, "Courier New", 400,   \
      1, 0x25, LIST, nullptr}

//           window       position  box     chars child         sources
RADIO_WINDOW(com1,        40,  24,  65, 24, 6,    nullptr,      COM1_FREQUENCY,   0,
             four_digit_text, "1%d%d.%d%d", com_highlight);
ELEMENT_HEADER* over_com2[] = {&com1.header, nullptr};
RADIO_WINDOW(com2,        40,  144, 65, 24, 6,    over_com2,    COM2_FREQUENCY,   0,
             four_digit_text, "1%d%d.%d%d", com_highlight);
ELEMENT_HEADER* over_nav1[] = {&com2.header, nullptr};
RADIO_WINDOW(nav1,        163, 24,  65, 24, 6,    over_nav1,    NAV1_FREQUENCY,   0,
             four_digit_text, "1%d%d.%d%d", nav1_highlight);
ELEMENT_HEADER* over_nav2[] = {&nav1.header, nullptr};
RADIO_WINDOW(nav2,        163, 144, 65, 24, 6,    over_nav2,    NAV2_FREQUENCY,   0,
             four_digit_text, "1%d%d.%d%d", nav2_highlight);
ELEMENT_HEADER* over_transponder[] = {&nav2.header, nullptr};
RADIO_WINDOW(transponder, 102, 268, 66, 24, 4,    over_transponder, TRANSPONDER_CODE, 0,
             four_digit_text, "%d%d%d%d", transponder_highlight);
ELEMENT_HEADER* over_adf[] = {&transponder.header, nullptr};
RADIO_WINDOW(adf,         99,  387, 66, 23, 5,    over_adf,     ADF_FREQUENCY,    ADF_FRACTION,
             adf_text, "%d%d%d.%d", adf_highlight);
ELEMENT_HEADER* over_background[] = {&adf.header, nullptr};
//                                               bitmap x  y  layers           flags
ELEMENT_STATIC_IMAGE_T background = {STATIC_HEAD(4096, 0, 0, over_background, 0)};

// A tuning area: a stepping child at the top of its parent sending EVENT.
#define STEP(X, W, H, CURSOR, EVENT) \
  MOUSE_CHILD(X, 0, W, H, CURSOR, 0, MOUSE_STEPPING, EVENT, nullptr)

// Child boxes are relative to their parent's. In each frequency window the
// left pair lies over the megahertz digits, the right pair over the fraction;
// the first of a pair lowers, the second raises.
MOUSERECT radio_mouse[] = {
    //           parent box        help
    MOUSE_PARENT(0, 0, 0, 0,       0),
    MOUSE_PARENT(40, 24, 66, 25,   43609),  // COM 1
    //   x   w   h   cursor            event
    STEP(0,  14, 25, CURSOR_DOWNARROW, 0x10064),
    STEP(16, 14, 25, CURSOR_UPARROW,   0x10065),
    STEP(36, 14, 25, CURSOR_DOWNARROW, 0x10066),
    STEP(52, 14, 25, CURSOR_UPARROW,   0x10067),
    MOUSE_END_PARENT,
    MOUSE_PARENT(40, 144, 66, 25,  43610),  // COM 2
    STEP(0,  14, 25, CURSOR_DOWNARROW, 0x10384),
    STEP(16, 14, 25, CURSOR_UPARROW,   0x10385),
    STEP(36, 14, 25, CURSOR_DOWNARROW, 0x10386),
    STEP(52, 14, 25, CURSOR_UPARROW,   0x10388),
    MOUSE_END_PARENT,
    MOUSE_PARENT(163, 24, 65, 24,  41256),  // NAV 1
    STEP(0,  14, 25, CURSOR_DOWNARROW, 0x10068),
    STEP(16, 14, 25, CURSOR_UPARROW,   0x10069),
    STEP(36, 14, 25, CURSOR_DOWNARROW, 0x1006a),
    STEP(52, 14, 25, CURSOR_UPARROW,   0x1006b),
    MOUSE_END_PARENT,
    MOUSE_PARENT(163, 144, 65, 24, 41257),  // NAV 2
    STEP(0,  14, 25, CURSOR_DOWNARROW, 0x1006c),
    STEP(16, 14, 25, CURSOR_UPARROW,   0x1006d),
    STEP(36, 14, 25, CURSOR_DOWNARROW, 0x1006e),
    STEP(52, 14, 25, CURSOR_UPARROW,   0x1006f),
    MOUSE_END_PARENT,
    MOUSE_PARENT(102, 268, 66, 24, 41258),  // transponder, thousands first
    STEP(0,  15, 24, CURSOR_UPARROW,   0x10073),
    STEP(17, 15, 24, CURSOR_UPARROW,   0x10074),
    STEP(34, 15, 24, CURSOR_UPARROW,   0x10075),
    STEP(51, 15, 24, CURSOR_UPARROW,   0x10076),
    MOUSE_END_PARENT,
    MOUSE_PARENT(99, 387, 67, 24,  43606),  // ADF: its left end comes before the digits
    //          box            cursor       help flags             event    function
    MOUSE_CHILD(0, 0, 20, 40,  CURSOR_HAND, 0,   MOUSE_LEFTSINGLE, 0x10136, nullptr),
    STEP(0,  12, 24, CURSOR_UPARROW,   0x10070),
    STEP(15, 12, 24, CURSOR_UPARROW,   0x10071),
    STEP(31, 36, 24, CURSOR_UPARROW,   0x10072),
    MOUSE_END_PARENT,
    MOUSE_PARENT(60, 91, 23, 27,   43616),  // push button
    MOUSE_CHILD(0, 0, 23, 27,  CURSOR_HAND, 0,   MOUSE_LEFTSINGLE, 0,       push_button),
    MOUSE_END_PARENT,
    MOUSE_END_PARENT,
    MOUSE_END_LIST,
};

extern GAUGEHDR gauge_tarnelrad;
ELEMENT_AND_MOUSE_ROUTINES(radio, &background.header, radio_mouse, &gauge_tarnelrad)

GAUGEHDR gauge_tarnelrad = {GAUGE_HEADER_VERSION_262, "tarnelrad", &background.header,
                            ELEMENT_ROUTINE_NAMES(radio), 100, nullptr, nullptr, 0, nullptr};

}  // namespace

MODULE_RECORDS(0, 1, &gauge_tarnelrad)
