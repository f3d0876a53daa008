// Rolling digit drums.
#include "main_instruments/frame/drum.h"

#include <math.h>

double drum_reading(double value, double place, double band) {
  if (!isfinite(value) || !(place > 0) || !(band > 0)) return 0.0;
  double base = place * floor(value / place);
  double roll = (value - base - place + band) * (place / band);
  if (roll <= 0) roll = 0;
  double shown = base + roll;
  double top = 10 * place;
  return shown - top * floor(shown / top);
}
