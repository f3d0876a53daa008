#include "main_instruments/frame/params.h"

#include <string.h>

namespace {

bool is_comment(char c) { return c == '/' || c == '#' || c == '\''; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

const char* skip_blanks(const char* text) {
  while (is_blank(*text)) ++text;
  return text;
}

}  // namespace

const char* param_text(const GAUGEHDR* gauge) {
  if (!gauge || !gauge->parameters || !gauge->parameters[0]) return nullptr;
  return gauge->parameters;
}

const char* param_find(const char* text, const char* key) {
  if (!text || !key || !key[0]) return nullptr;
  const char* found = strstr(text, key);
  if (!found) return nullptr;
  for (const char* p = text; p < found; ++p)
    if (is_comment(*p)) return nullptr;
  return found;
}

const char* param_find_next(const char* previous, const char* key) {
  if (!previous || !key) return nullptr;
  return param_find(previous + strlen(key), key);
}

double param_decimal(const char* text) {
  if (!text) return 0.0;
  const char* p = skip_blanks(text);
  double sign = 1.0;
  if (*p == '+' || *p == '-') sign = (*p++ == '-') ? -1.0 : 1.0;
  double value = 0.0;
  bool digits = false;
  for (; is_digit(*p); ++p, digits = true) value = value * 10.0 + (*p - '0');
  if (*p == '.') {
    double scale = 0.1;
    for (++p; is_digit(*p); ++p, digits = true, scale *= 0.1) value += (*p - '0') * scale;
  }
  if (!digits) return 0.0;
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    int exponent_sign = 1;
    if (*q == '+' || *q == '-') exponent_sign = (*q++ == '-') ? -1 : 1;
    if (is_digit(*q)) {
      int exponent = 0;
      for (; is_digit(*q); ++q)
        if (exponent < 400) exponent = exponent * 10 + (*q - '0');
      for (int i = 0; i < exponent; ++i) value = exponent_sign > 0 ? value * 10.0 : value / 10.0;
    }
  }
  return sign * value;
}

int32_t param_integer(const char* text, bool* converted) {
  if (converted) *converted = false;
  if (!text) return 0;
  const char* p = skip_blanks(text);
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  int64_t value = 0;
  for (; is_digit(*p); ++p) {
    if (converted) *converted = true;
    if (value <= INT32_MAX) value = value * 10 + (*p - '0');
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool param_read_number(const GAUGEHDR* gauge, const char* key, double* holder) {
  const char* found = param_find(param_text(gauge), key);
  if (!found) return false;
  *holder = param_decimal(found + strlen(key));
  return true;
}

bool param_read_switch(const GAUGEHDR* gauge, const char* key) {
  const char* found = param_find(param_text(gauge), key);
  return found && param_integer(found + strlen(key), nullptr) == 1;
}

int32_t param_named_value(const char* text, const ParamName* names, int32_t empty_value) {
  if (!text || !text[0]) return empty_value;
  for (const ParamName* row = names; row->name; ++row)
    if (strncmp(text, row->name, strlen(row->name)) == 0) return row->value;
  return param_integer(text, nullptr);
}
