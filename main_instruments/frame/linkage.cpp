// The module's exported records and its catalogue.
#include "host/module_records.h"
#include "main_instruments/frame/module.h"

// ORDER: the catalogue order panel files and users know the gauges by; the
// list has room for the whole catalogue.
MODULE_RECORDS(0x900, MAIN_CATALOGUE_SIZE,
        &gauge_Kneeboard_Toggle,
        &gauge_ATC_Toggle,
        &gauge_Map_Toggle,
        &gauge_Invisible_Toggle,
        &gauge_Fuel_Zoom,
        &gauge_Close_Subpanel,
        &gauge_Radios_Toggle,
        &gauge_Show_Yoke,
        &gauge_Landing_View_Toggle,
        &gauge_Nav_Instruments_Toggle,
        &gauge_GPS_Toggle,
        &gauge_Throttle_Toggle,
        &gauge_Overhead_Toggle,
        &gauge_Compass_Toggle,
        &gauge_Electricity_Toggle,
        &gauge_Gear_Toggle,
        &gauge_Starter_Toggle,
        &gauge_Airspeed,
        &gauge_Altimeter,
        &gauge_Vertical_Speed,
        &gauge_Radio_Altimeter,
        &gauge_Magnetic_Compass,
        &gauge_Angle_Of_Attack,
        &gauge_Attitude,
        &gauge_Clock,
        &gauge_Machmeter,
        &gauge_Accelerometer)
