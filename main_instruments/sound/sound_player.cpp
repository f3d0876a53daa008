// The sound player over the platform's sound device. Wave resources are read
// in place with a bounds-checked RIFF reader: every chunk must lie inside the
// form it belongs to, and anything malformed is a failed load.
#include "main_instruments/sound/sound_player.h"

#include <string.h>

uint32_t sound_available = 1;

namespace {

enum : uint32_t {
  COOPERATIVE_NORMAL = 1,
  BUFFER_DESC_SIZE = 36,
  BUFFER_FLAGS = 0x80E0,  // position reporting, volume, pan and frequency control
  PLAY_ONCE = 0,
  STATUS_PLAYING = 0x1,
  FORMAT_BYTES = 16,             // a wave format up to its bits per sample
  FORMAT_WITH_EXTRA_BYTES = 18,  // and its extra-size word
  CHUNK_HEADER_BYTES = 8,
  RIFF_HEADER_BYTES = 12,
  EXECUTABLE_NAME_CAPACITY = 260,
};

bool switch_off() {
  sound_available = 0;
  return false;
}

// A buffer that failed is given back before its holder is emptied.
bool fail_buffer(SoundBuffer* buffer) {
  platform().sound_release_buffer(buffer->object);
  buffer->object = nullptr;
  return switch_off();
}

uint16_t read_u16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t read_u32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
bool is_tag(const unsigned char* p, const char* tag) { return memcmp(p, tag, 4) == 0; }

// Finds the chunk named tag among the chunks from offset `from` up to `end`.
// A chunk running past the end ends the search unfound.
bool find_chunk(const unsigned char* bytes, uint64_t from, uint64_t end, const char* tag,
                uint32_t* body, uint32_t* size) {
  for (uint64_t at = from; at + CHUNK_HEADER_BYTES <= end;) {
    uint32_t chunk_size = read_u32(bytes + at + 4);
    if (at + CHUNK_HEADER_BYTES + chunk_size > end) return false;
    if (is_tag(bytes + at, tag)) {
      *body = static_cast<uint32_t>(at + CHUNK_HEADER_BYTES);
      *size = chunk_size;
      return true;
    }
    at += CHUNK_HEADER_BYTES + uint64_t{chunk_size} + (chunk_size & 1);  // chunks are word-aligned
  }
  return false;
}

struct Wave {
  PlatformWaveFormat format;
  const unsigned char* samples;
  uint32_t sample_bytes;
};

// A RIFF "WAVE" form with a "fmt " chunk and, somewhere behind it, a non-empty
// "data" chunk. A 16-byte format has no extra-size word: it counts as 0.
bool parse_wave(const unsigned char* bytes, uint32_t size, Wave* wave) {
  if (!bytes || size < RIFF_HEADER_BYTES || !is_tag(bytes, "RIFF") || !is_tag(bytes + 8, "WAVE"))
    return false;
  uint64_t form_end = CHUNK_HEADER_BYTES + uint64_t{read_u32(bytes + 4)};
  if (form_end > size) return false;
  uint32_t format_at = 0, format_size = 0, data_at = 0, data_size = 0;
  if (!find_chunk(bytes, RIFF_HEADER_BYTES, form_end, "fmt ", &format_at, &format_size) ||
      format_size < FORMAT_BYTES)
    return false;
  const unsigned char* f = bytes + format_at;
  wave->format.format_tag = read_u16(f);
  wave->format.channels = read_u16(f + 2);
  wave->format.samples_per_sec = read_u32(f + 4);
  wave->format.avg_bytes_per_sec = read_u32(f + 8);
  wave->format.block_align = read_u16(f + 12);
  wave->format.bits_per_sample = read_u16(f + 14);
  wave->format.extra_size = format_size >= FORMAT_WITH_EXTRA_BYTES ? read_u16(f + 16) : 0;
  uint64_t behind_format = uint64_t{format_at} + format_size + (format_size & 1);
  if (!find_chunk(bytes, behind_format, form_end, "data", &data_at, &data_size) || data_size == 0)
    return false;
  wave->samples = bytes + data_at;
  wave->sample_bytes = data_size;
  return true;
}

// Makes a buffer of the wave's samples, ready to play from the start.
PlatformSoundBuffer* make_buffer(PlatformSoundDevice* device, const Wave& wave) {
  const PlatformServices& os = platform();
  PlatformBufferDesc desc = {BUFFER_DESC_SIZE, BUFFER_FLAGS, wave.sample_bytes, wave.format};
  PlatformSoundBuffer* buffer = os.sound_create_buffer(device, &desc);
  if (!buffer) return nullptr;
  void* target = nullptr;
  uint32_t locked = 0;
  bool filled = os.sound_lock(buffer, 0, wave.sample_bytes, &target, &locked) && target;
  if (filled) {
    uint32_t copied = locked < wave.sample_bytes ? locked : wave.sample_bytes;
    memcpy(target, wave.samples, copied);
    filled = os.sound_unlock(buffer, target, copied) && os.sound_set_position(buffer, 0);
  }
  if (filled) return buffer;
  os.sound_release_buffer(buffer);
  return nullptr;
}

}  // namespace

void* sound_find_host_window() {
  char name[EXECUTABLE_NAME_CAPACITY] = "";
  if (!platform().executable_name(name, sizeof name)) name[0] = '\0';
  name[sizeof name - 1] = '\0';
  bool combat_simulator = name[0] == 'C' || (strlen(name) >= 4 && name[3] == '2');
  return platform().find_window(combat_simulator ? "MSCFSMAIN" : "FS98MAIN");
}

bool sound_create_device(void* window, SoundDevice* device) {
  const PlatformServices& os = platform();
  device->object = nullptr;
  PlatformSoundDevice* made = os.sound_create_device();
  if (!made) return switch_off();
  if (!os.sound_set_cooperative_level(made, window, COOPERATIVE_NORMAL)) {
    os.sound_release_device(made);
    return switch_off();
  }
  device->object = made;
  return true;
}

uint32_t sound_load(SoundDevice* device, SoundBuffer* buffer, uint32_t resource_id,
                    void* module) {
  if (!sound_available) return 0;
  const PlatformServices& os = platform();
  buffer->object = nullptr;
  const void* data = nullptr;
  uint32_t size = 0;
  if (!device->object || !os.find_resource(module, resource_id, "WAVE", &data, &size))
    return switch_off();
  Wave wave = {};
  if (parse_wave(static_cast<const unsigned char*>(data), size, &wave))
    buffer->object = make_buffer(device->object, wave);
  os.free_resource(module, resource_id, "WAVE");
  if (!buffer->object) return switch_off();
  return wave.sample_bytes;
}

bool sound_set_volume(SoundBuffer* buffer, int32_t volume) {
  if (!sound_available || !buffer->object) return false;
  return platform().sound_set_volume(buffer->object, volume) || fail_buffer(buffer);
}

bool sound_play(SoundBuffer* buffer) {
  if (!sound_available || !buffer->object) return false;
  return platform().sound_play(buffer->object, PLAY_ONCE) || fail_buffer(buffer);
}

bool sound_is_playing(SoundBuffer* buffer) {
  if (!sound_available || !buffer->object) return false;
  uint32_t status = 0;
  if (!platform().sound_status(buffer->object, &status)) return fail_buffer(buffer);
  return (status & STATUS_PLAYING) != 0;
}

void sound_release_buffer(SoundBuffer* buffer) {
  if (!sound_available || !buffer->object) return;
  platform().sound_release_buffer(buffer->object);
  buffer->object = nullptr;
}

void sound_release_device(SoundDevice* device) {
  if (!sound_available || !device->object) return;
  platform().sound_release_device(device->object);
  device->object = nullptr;
}
