// Reading a gauge's parameter string. Keys are case-sensitive substrings;
// everything from the first '/', '#' or apostrophe on is a comment.
#pragma once

#include <stdint.h>

#include "host/gauges.h"

// The parameter text of a placement, or null when none is given.
const char* param_text(const GAUGEHDR* gauge);

// First occurrence of key in text before any comment character, or null.
const char* param_find(const char* text, const char* key);

// Next occurrence behind a previous match (a pointer param_find returned).
const char* param_find_next(const char* previous, const char* key);

// Decimal real at text: blanks skipped, stops where a number cannot go on;
// nothing convertible gives 0.
double param_decimal(const char* text);

// Decimal integer at text under the same rules; saturates instead of
// overflowing. *converted tells whether any digit was read.
int32_t param_integer(const char* text, bool* converted);

// When key is found, stores the number right behind it into *holder.
bool param_read_number(const GAUGEHDR* gauge, const char* key, double* holder);

// True when the integer right behind key equals 1.
bool param_read_switch(const GAUGEHDR* gauge, const char* key);

// A name table row: text matched at the start of a parameter value.
struct ParamName {
  const char* name;
  int32_t value;
};

// Value of the text right behind a key: a name of the table (matched at the
// start), else a decimal integer (0 when not convertible); empty_value when
// the text is empty.
int32_t param_named_value(const char* text, const ParamName* names, int32_t empty_value);
