// After its gauges are installed, a frame allocates nothing: the host keeps
// what it needs from install on, and gauge logic never allocates.
#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/support.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(FrameAllocation, InstalledGaugesRunWithoutAllocating) {
  panelbench::Host host;
  for (const auto& module : {"Tarnel_Instr", "bench_fixture"}) {
    panelbench::Module& m = host.load(testing_support::module_path(module));
    for (int copy = 0; copy < 3; ++copy)
      for (GAUGEHDR* gauge : m.gauges()) host.add(m, gauge->gauge_name, "b1050 h43000 t50");
  }
  host.frames(2);  // first frames may cache bitmap sizes of changed pictures
  long before = allocations.load();
  host.frames(50);
  EXPECT_EQ(allocations.load() - before, 0);
}

}  // namespace
