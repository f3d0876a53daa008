// Native modules take their platform from the panelbench host that loads them.
// Until a host fills BenchPlatform in, every facility is missing.
#include "platform/bench/bench_exports.h"
#include "host/gauges.h"

extern "C" {
GAUGE_EXPORT const PlatformServices* BenchPlatform = nullptr;
}

namespace {

bool no_name(char*, size_t) { return false; }
void* no_window(const char*) { return nullptr; }
bool no_resource(void*, uint32_t, const char*, const void**, uint32_t*) { return false; }
void no_free(void*, uint32_t, const char*) {}
PlatformSoundDevice* no_device() { return nullptr; }
bool no_level(PlatformSoundDevice*, void*, uint32_t) { return false; }
PlatformSoundBuffer* no_buffer(PlatformSoundDevice*, const PlatformBufferDesc*) { return nullptr; }
bool no_lock(PlatformSoundBuffer*, uint32_t, uint32_t, void**, uint32_t*) { return false; }
bool no_unlock(PlatformSoundBuffer*, void*, uint32_t) { return false; }
bool no_u32(PlatformSoundBuffer*, uint32_t) { return false; }
bool no_volume(PlatformSoundBuffer*, int32_t) { return false; }
bool no_status(PlatformSoundBuffer*, uint32_t*) { return false; }
void no_release_buffer(PlatformSoundBuffer*) {}
void no_release_device(PlatformSoundDevice*) {}

const PlatformServices unavailable = {
    no_name,   no_window, no_resource, no_free,  no_device,         no_level,
    no_buffer, no_lock,   no_unlock,   no_u32,   no_volume,         no_u32,
    no_status, no_release_buffer, no_release_device,
};

}  // namespace

const PlatformServices& platform() { return BenchPlatform ? *BenchPlatform : unavailable; }
