// The real Windows platform: module resources, window lookup and DirectSound.
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include "platform/platform.h"

namespace {

bool executable_name(char* name, size_t capacity) {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || capacity == 0) return false;
  const char* start = path;
  for (const char* p = path; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':') start = p + 1;
  size_t n = 0;
  for (const char* p = start; *p && *p != '.' && n + 1 < capacity; ++p) name[n++] = *p;
  name[n] = '\0';
  return true;
}

void* find_window(const char* class_name) { return FindWindowA(class_name, nullptr); }

bool find_resource(void* module, uint32_t id, const char* type, const void** data,
                   uint32_t* size) {
  HMODULE handle = static_cast<HMODULE>(module);
  HRSRC found = FindResourceA(handle, MAKEINTRESOURCEA(id), type);
  if (!found) return false;
  HGLOBAL loaded = LoadResource(handle, found);
  if (!loaded) return false;
  const void* locked = LockResource(loaded);
  if (!locked) return false;
  *data = locked;
  *size = SizeofResource(handle, found);
  return true;
}

// Resources of a loaded module stay mapped with it; nothing to give back.
void free_resource(void*, uint32_t, const char*) {}

PlatformSoundDevice* sound_create_device() {
  IDirectSound* device = nullptr;
  if (FAILED(DirectSoundCreate(nullptr, &device, nullptr))) return nullptr;
  return reinterpret_cast<PlatformSoundDevice*>(device);
}

IDirectSound* as_device(PlatformSoundDevice* d) { return reinterpret_cast<IDirectSound*>(d); }
IDirectSoundBuffer* as_buffer(PlatformSoundBuffer* b) {
  return reinterpret_cast<IDirectSoundBuffer*>(b);
}

bool sound_set_cooperative_level(PlatformSoundDevice* device, void* window, uint32_t level) {
  return SUCCEEDED(as_device(device)->SetCooperativeLevel(static_cast<HWND>(window), level));
}

PlatformSoundBuffer* sound_create_buffer(PlatformSoundDevice* device,
                                         const PlatformBufferDesc* desc) {
  WAVEFORMATEX format = {};
  format.wFormatTag = desc->format.format_tag;
  format.nChannels = desc->format.channels;
  format.nSamplesPerSec = desc->format.samples_per_sec;
  format.nAvgBytesPerSec = desc->format.avg_bytes_per_sec;
  format.nBlockAlign = desc->format.block_align;
  format.wBitsPerSample = desc->format.bits_per_sample;
  format.cbSize = 0;
  DSBUFFERDESC description = {};
  description.dwSize = desc->size;
  description.dwFlags = desc->flags;
  description.dwBufferBytes = desc->buffer_bytes;
  description.lpwfxFormat = &format;
  IDirectSoundBuffer* buffer = nullptr;
  if (FAILED(as_device(device)->CreateSoundBuffer(&description, &buffer, nullptr))) return nullptr;
  return reinterpret_cast<PlatformSoundBuffer*>(buffer);
}

bool sound_lock(PlatformSoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
                uint32_t* locked_bytes) {
  DWORD first = 0;
  void* second = nullptr;
  DWORD second_bytes = 0;
  if (FAILED(as_buffer(buffer)->Lock(offset, bytes, data, &first, &second, &second_bytes, 0)))
    return false;
  *locked_bytes = first;
  return true;
}

bool sound_unlock(PlatformSoundBuffer* buffer, void* data, uint32_t bytes) {
  return SUCCEEDED(as_buffer(buffer)->Unlock(data, bytes, nullptr, 0));
}

bool sound_set_position(PlatformSoundBuffer* buffer, uint32_t position) {
  return SUCCEEDED(as_buffer(buffer)->SetCurrentPosition(position));
}

bool sound_set_volume(PlatformSoundBuffer* buffer, int32_t volume) {
  return SUCCEEDED(as_buffer(buffer)->SetVolume(volume));
}

bool sound_play(PlatformSoundBuffer* buffer, uint32_t flags) {
  return SUCCEEDED(as_buffer(buffer)->Play(0, 0, flags));
}

bool sound_status(PlatformSoundBuffer* buffer, uint32_t* status) {
  DWORD value = 0;
  if (FAILED(as_buffer(buffer)->GetStatus(&value))) return false;
  *status = value;
  return true;
}

void sound_release_buffer(PlatformSoundBuffer* buffer) { as_buffer(buffer)->Release(); }
void sound_release_device(PlatformSoundDevice* device) { as_device(device)->Release(); }

const PlatformServices windows_services = {
    executable_name,     find_window,       find_resource,         free_resource,
    sound_create_device, sound_set_cooperative_level, sound_create_buffer, sound_lock,
    sound_unlock,        sound_set_position, sound_set_volume,      sound_play,
    sound_status,        sound_release_buffer, sound_release_device,
};

}  // namespace

const PlatformServices& platform() { return windows_services; }
