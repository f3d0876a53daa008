// Shared pieces of the main instrument module: the host's services and the
// gauge headers that make up the catalogue.
#pragma once

#include "host/gauges.h"

inline PANELS& host() { return *ImportTable.panels; }

enum { MAIN_CATALOGUE_SIZE = 61 };

// Module state that crosses gauges.
// Radio altimeter power: toggled by the radio altimeter's button, read by its
// display and callouts and by the attitude director. Off at load.
extern uint32_t radio_altimeter_power;

// Catalogue, in Linkage order. Each gauge's tables sit beside its logic.
extern GAUGEHDR gauge_Kneeboard_Toggle, gauge_ATC_Toggle, gauge_Map_Toggle,
    gauge_Invisible_Toggle, gauge_Fuel_Zoom, gauge_Close_Subpanel, gauge_Radios_Toggle,
    gauge_Show_Yoke, gauge_Landing_View_Toggle, gauge_Nav_Instruments_Toggle, gauge_GPS_Toggle,
    gauge_Throttle_Toggle, gauge_Overhead_Toggle, gauge_Compass_Toggle,
    gauge_Electricity_Toggle, gauge_Gear_Toggle, gauge_Starter_Toggle;
extern GAUGEHDR gauge_Airspeed, gauge_Altimeter, gauge_Vertical_Speed;
extern GAUGEHDR gauge_Radio_Altimeter;
extern GAUGEHDR gauge_Magnetic_Compass, gauge_Angle_Of_Attack, gauge_Attitude, gauge_Clock,
    gauge_Machmeter, gauge_Accelerometer;
