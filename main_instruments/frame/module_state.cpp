// Module state shared by several gauges, with its start values.
#include "main_instruments/frame/module.h"

uint32_t radio_altimeter_power = 0;
