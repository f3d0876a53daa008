// What a native module exports for the panelbench host besides ImportTable and
// Linkage: the platform table the host fills in, and the module's embedded
// resources.
#pragma once

#include <stdint.h>

#include "platform/platform.h"

enum : uint32_t {
  BENCH_RESOURCE_BITMAP = 1,
  BENCH_RESOURCE_WAVE = 2,
};

// One embedded resource; the table ends with an all-zero row.
struct BenchResource {
  uint32_t id;
  uint32_t type;
  const unsigned char* data;
  uint64_t size;
};

#define BENCH_PLATFORM_SYMBOL "BenchPlatform"
#define BENCH_RESOURCES_SYMBOL "BenchResources"
