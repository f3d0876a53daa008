// What the modules need of the operating system, as one table of plain
// functions. The Windows build fills it with Win32, DirectSound and GDI calls;
// native builds get it from the panelbench host, which records every call.
// Every function fails cleanly (0 or false) when the facility is missing.
#pragma once

#include <stddef.h>
#include <stdint.h>

// The parts of a wave format that a sound buffer needs (18 bytes on disk).
struct PlatformWaveFormat {
  uint16_t format_tag;
  uint16_t channels;
  uint32_t samples_per_sec;
  uint32_t avg_bytes_per_sec;
  uint16_t block_align;
  uint16_t bits_per_sample;
  uint16_t extra_size;
};

struct PlatformBufferDesc {
  uint32_t size;         // of the description record: 36
  uint32_t flags;
  uint32_t buffer_bytes;
  PlatformWaveFormat format;
};

typedef struct PlatformSoundDevice PlatformSoundDevice;
typedef struct PlatformSoundBuffer PlatformSoundBuffer;

struct PlatformServices {
  // File name of the running executable, without folder and extension.
  bool (*executable_name)(char* name, size_t capacity);
  // Top-level window of a class, or null.
  void* (*find_window)(const char* class_name);

  // Module resources by numeric id and type ("WAVE"); the data stays valid
  // until free_resource.
  bool (*find_resource)(void* module, uint32_t id, const char* type, const void** data,
                        uint32_t* size);
  void (*free_resource)(void* module, uint32_t id, const char* type);

  // Sound devices and buffers.
  PlatformSoundDevice* (*sound_create_device)(void);
  bool (*sound_set_cooperative_level)(PlatformSoundDevice* device, void* window, uint32_t level);
  PlatformSoundBuffer* (*sound_create_buffer)(PlatformSoundDevice* device,
                                              const PlatformBufferDesc* desc);
  bool (*sound_lock)(PlatformSoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
                     uint32_t* locked_bytes);
  bool (*sound_unlock)(PlatformSoundBuffer* buffer, void* data, uint32_t bytes);
  bool (*sound_set_position)(PlatformSoundBuffer* buffer, uint32_t position);
  bool (*sound_set_volume)(PlatformSoundBuffer* buffer, int32_t volume);
  bool (*sound_play)(PlatformSoundBuffer* buffer, uint32_t flags);
  bool (*sound_status)(PlatformSoundBuffer* buffer, uint32_t* status);
  void (*sound_release_buffer)(PlatformSoundBuffer* buffer);
  void (*sound_release_device)(PlatformSoundDevice* device);
};

// The table in force for this module.
const PlatformServices& platform();

// Windows' wsprintfA text formatting for formats of plain text, "%d"
// conversions and "%%": the conversions take values[0] .. values[count - 1] in
// order (at most PLATFORM_FORMAT_VALUES; a missing value is 0). The text is
// cut to capacity - 1 characters and always ends with a 0. Returns its length.
enum { PLATFORM_FORMAT_VALUES = 4 };
size_t platform_format_integers(char* out, size_t capacity, const char* format,
                                const int32_t* values, size_t count);
