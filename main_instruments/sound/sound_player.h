// The module's sound player: wave resources played through a sound device on
// the simulator's main window. Each sound-owning gauge keeps its own device
// and buffer holders; one module-wide switch turns every sound off after the
// first failure, so instruments carry on silently without sound hardware.
#pragma once

#include <stdint.h>

#include "platform/platform.h"

// Holders: empty (null) until created; an operation that fails empties the
// holder it worked on.
struct SoundDevice {
  PlatformSoundDevice* object;
};

struct SoundBuffer {
  PlatformSoundBuffer* object;
};

// On at load; the first failing operation switches it off for good. While it
// is off every operation fails and touches nothing.
extern uint32_t sound_available;

// The simulator's main window: class "MSCFSMAIN" when the executable's name
// has '2' as its fourth character or starts with 'C', else "FS98MAIN". May be
// null; passed on as it is.
void* sound_find_host_window();

// Creates the default device with the normal cooperative level on the window.
// Tried whatever the switch says.
bool sound_create_device(void* window, SoundDevice* device);

// Turns the wave resource (type "WAVE") into a buffer ready to play from its
// start. Returns the size of its sample data, 0 on failure.
uint32_t sound_load(SoundDevice* device, SoundBuffer* buffer, uint32_t resource_id,
                    void* module);

// Volume in hundredths of a decibel (0 full, negative quieter).
bool sound_set_volume(SoundBuffer* buffer, int32_t volume);

// Starts the sound once; a sound already playing goes on without restarting.
bool sound_play(SoundBuffer* buffer);

bool sound_is_playing(SoundBuffer* buffer);

void sound_release_buffer(SoundBuffer* buffer);
void sound_release_device(SoundDevice* device);
