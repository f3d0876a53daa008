// A module's two exported records, for modules whose init and deinit do no
// work: ImportTable (the host writes its service table into it before any
// gauge code runs) and Linkage with the version and the gauges in catalogue
// order. CAPACITY is the size of the list; it ends at its first empty entry.
#pragma once

#include "host/gauges.h"

#define MODULE_RECORDS(VERSION, CAPACITY, ...)                                         \
  namespace {                                                                          \
  void GAUGE_CALL module_init() {}                                                     \
  void GAUGE_CALL module_deinit() {}                                                   \
  }                                                                                    \
  extern "C" {                                                                         \
  GAUGE_EXPORT IMPORT_TABLE ImportTable = {IMPORT_TABLE_KEYWORD, nullptr, 0, nullptr}; \
  GAUGE_EXPORT GAUGESLINKAGE<CAPACITY> Linkage = {                                     \
      GAUGES_LINKAGE_ID, module_init, module_deinit, 0, 0, VERSION, {__VA_ARGS__}};     \
  }
