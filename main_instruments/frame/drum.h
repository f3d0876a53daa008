// Rolling digit drums: counters whose wheel rests on a digit and turns on to
// the next one only while the value covers the last few units before it.
#pragma once

// Reading of a drum with place value `place` (0.01, 1, 100, 1000 ...) whose
// wheel turns through one step while the value covers the last `band` units
// below the next multiple of `place`. The reading wraps into 0 .. 10 x place:
// at 9995 ft the thousands drum (place 1000, band 10) reads 9500, halfway
// into its turn from 9000 to 10000 (shown as 0). A value that is not a
// number, or a place or band that is not positive, reads 0.
double drum_reading(double value, double place, double band);
