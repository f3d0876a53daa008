// The bench's platform for native modules. Sound plays on the host's clock:
// a started buffer is playing for its bytes over the format's bytes per
// second; starting one that plays goes on without restarting it.
#include "bench/bench_platform.h"

#include <algorithm>
#include <cstring>

#include "bench/bench.h"
#include "platform/bench/bench_exports.h"

namespace panelbench {

namespace {

enum : uint32_t { STATUS_PLAYING = 0x1, DESCRIPTION_SIZE = 36 };

BenchPlatform& running() { return Host::current().bench_platform(); }

bool svc_executable_name(char* name, size_t capacity) {
  return running().executable_name(name, capacity);
}
void* svc_find_window(const char* class_name) { return running().find_window(class_name); }
bool svc_find_resource(void* module, uint32_t id, const char* type, const void** data,
                       uint32_t* size) {
  return running().find_resource(module, id, type, data, size);
}
void svc_free_resource(void* module, uint32_t id, const char* type) {
  running().free_resource(module, id, type);
}
PlatformSoundDevice* svc_create_device() { return running().create_device(); }
bool svc_cooperative_level(PlatformSoundDevice* device, void* window, uint32_t level) {
  return running().set_cooperative_level(device, window, level);
}
PlatformSoundBuffer* svc_create_buffer(PlatformSoundDevice* device, const PlatformBufferDesc* desc) {
  return running().create_buffer(device, desc);
}
bool svc_lock(PlatformSoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
              uint32_t* locked_bytes) {
  return running().lock(buffer, offset, bytes, data, locked_bytes);
}
bool svc_unlock(PlatformSoundBuffer* buffer, void* data, uint32_t bytes) {
  return running().unlock(buffer, data, bytes);
}
bool svc_set_position(PlatformSoundBuffer* buffer, uint32_t position) {
  return running().set_position(buffer, position);
}
bool svc_set_volume(PlatformSoundBuffer* buffer, int32_t volume) {
  return running().set_volume(buffer, volume);
}
bool svc_play(PlatformSoundBuffer* buffer, uint32_t flags) { return running().play(buffer, flags); }
bool svc_status(PlatformSoundBuffer* buffer, uint32_t* status) {
  return running().status(buffer, status);
}
void svc_release_buffer(PlatformSoundBuffer* buffer) { running().release_buffer(buffer); }
void svc_release_device(PlatformSoundDevice* device) { running().release_device(device); }

const PlatformServices bench_services = {
    svc_executable_name, svc_find_window,       svc_find_resource, svc_free_resource,
    svc_create_device,   svc_cooperative_level, svc_create_buffer, svc_lock,
    svc_unlock,          svc_set_position,      svc_set_volume,    svc_play,
    svc_status,          svc_release_buffer,    svc_release_device,
};

}  // namespace

const char* sound_op_name(SoundOp op) {
  static const char* const names[] = {
      "find resource", "free resource", "create device", "cooperative level", "create buffer",
      "lock",          "unlock",        "set position",  "set volume",        "play",
      "status",        "release buffer", "release device"};
  return names[size_t(op)];
}

BenchPlatform::BenchPlatform(Host& host) : host_(host) {
  fail_after_.fill(kNever);
  add_window_class("FS98MAIN");
  // Frames record status queries and plays; they should not allocate.
  calls_.reserve(4096);
}

BenchPlatform::~BenchPlatform() = default;

const PlatformServices& BenchPlatform::services() { return bench_services; }

void BenchPlatform::add_window_class(const std::string& class_name) {
  if (!windows_.count(class_name)) windows_[class_name] = std::make_unique<char>();
}

void BenchPlatform::remove_window_class(const std::string& class_name) {
  windows_.erase(class_name);
}

void* BenchPlatform::window_of(const std::string& class_name) const {
  auto found = windows_.find(class_name);
  return found == windows_.end() ? nullptr : found->second.get();
}

std::vector<SoundCall> BenchPlatform::calls_of(SoundOp op) const {
  std::vector<SoundCall> found;
  for (const SoundCall& c : calls_)
    if (c.op == op) found.push_back(c);
  return found;
}

std::vector<uint32_t> BenchPlatform::started_sounds() const {
  std::vector<uint32_t> waves;
  for (const SoundCall& c : calls_)
    if (c.op == SoundOp::play && c.started) waves.push_back(c.wave_id);
  return waves;
}

bool BenchPlatform::playing(uint32_t wave_id) const {
  for (const auto& [handle, b] : buffers_)
    if (b->wave_id == wave_id && is_playing(*b)) return true;
  return false;
}

std::vector<unsigned char> BenchPlatform::buffer_contents(uint32_t wave_id) const {
  for (const auto& [handle, b] : buffers_)
    if (b->wave_id == wave_id) return b->bytes;
  return {};
}

bool BenchPlatform::failing(SoundOp op) {
  uint64_t count = ++counts_[size_t(op)];
  return fail_after_[size_t(op)] != kNever && count > fail_after_[size_t(op)];
}

SoundCall& BenchPlatform::record(SoundOp op, bool ok) {
  SoundCall call;
  call.op = op;
  call.ok = ok;
  calls_.push_back(call);
  return calls_.back();
}

SoundCall& BenchPlatform::record_buffer_call(SoundOp op, bool ok, const Buffer* b, int64_t argument) {
  SoundCall& call = record(op, ok);
  call.object = b ? b->number : 0;
  call.wave_id = b ? b->wave_id : 0;
  call.argument = argument;
  return call;
}

BenchPlatform::Device* BenchPlatform::device(PlatformSoundDevice* handle) {
  auto found = devices_.find(handle);
  return found == devices_.end() ? nullptr : found->second.get();
}

BenchPlatform::Buffer* BenchPlatform::buffer(PlatformSoundBuffer* handle) {
  auto found = buffers_.find(handle);
  return found == buffers_.end() ? nullptr : found->second.get();
}

bool BenchPlatform::is_playing(const Buffer& b) const { return host_.time() < b.ends_at; }

// ---------------------------------------------------------------------------
// Executable, windows, resources.

bool BenchPlatform::executable_name(char* name, size_t capacity) {
  if (!name || capacity == 0) return false;
  size_t n = std::min(executable_name_.size(), capacity - 1);
  std::memcpy(name, executable_name_.data(), n);
  name[n] = '\0';
  return true;
}

void* BenchPlatform::find_window(const char* class_name) {
  window_lookups_.push_back(class_name ? class_name : "");
  return class_name ? window_of(class_name) : nullptr;
}

bool BenchPlatform::find_resource(void* module, uint32_t id, const char* type, const void** data,
                                  uint32_t* size) {
  bool ok = false;
  if (!failing(SoundOp::find_resource) && type && std::strcmp(type, "WAVE") == 0 && data && size) {
    auto replaced = waves_.find(id);
    if (replaced != waves_.end()) {
      if (replaced->second) {
        *data = replaced->second->data();
        *size = static_cast<uint32_t>(replaced->second->size());
        ok = true;
      }
    } else {
      for (const auto& m : host_.modules())
        if (m->resource_handle() == module) ok = m->resource(id, BENCH_RESOURCE_WAVE, data, size);
    }
  }
  if (ok) last_wave_ = id;
  record(SoundOp::find_resource, ok).wave_id = id;
  return ok;
}

void BenchPlatform::free_resource(void*, uint32_t id, const char*) {
  record(SoundOp::free_resource, true).wave_id = id;
}

// ---------------------------------------------------------------------------
// Sound.

PlatformSoundDevice* BenchPlatform::create_device() {
  if (failing(SoundOp::create_device)) {
    record(SoundOp::create_device, false);
    return nullptr;
  }
  auto made = std::make_unique<Device>();
  made->number = ++made_devices_;
  auto* handle = reinterpret_cast<PlatformSoundDevice*>(made.get());
  record(SoundOp::create_device, true).object = made->number;
  devices_[handle] = std::move(made);
  return handle;
}

// A device needs a window that exists.
bool BenchPlatform::set_cooperative_level(PlatformSoundDevice* handle, void* window,
                                          uint32_t level) {
  Device* d = device(handle);
  bool known_window = false;
  for (const auto& [name, w] : windows_) known_window = known_window || (window && w.get() == window);
  bool ok = !failing(SoundOp::cooperative_level) && d && known_window;
  if (ok) d->cooperative = true;
  SoundCall& call = record(SoundOp::cooperative_level, ok);
  call.object = d ? d->number : 0;
  call.window = window;
  call.argument = level;
  return ok;
}

// Like a real device: a cooperative level first, the full description record,
// a format that can be played and at least one byte.
PlatformSoundBuffer* BenchPlatform::create_buffer(PlatformSoundDevice* handle,
                                                  const PlatformBufferDesc* desc) {
  Device* d = device(handle);
  bool ok = !failing(SoundOp::create_buffer) && d && d->cooperative && desc &&
            desc->size == DESCRIPTION_SIZE && desc->buffer_bytes > 0 &&
            desc->format.avg_bytes_per_sec > 0 && desc->format.block_align > 0 &&
            desc->format.channels > 0;
  PlatformSoundBuffer* result = nullptr;
  uint32_t number = 0;
  if (ok) {
    auto made = std::make_unique<Buffer>();
    made->number = number = ++made_buffers_;
    made->wave_id = last_wave_;
    made->format = desc->format;
    made->bytes.assign(desc->buffer_bytes, 0);
    result = reinterpret_cast<PlatformSoundBuffer*>(made.get());
    buffers_[result] = std::move(made);
  }
  SoundCall& call = record(SoundOp::create_buffer, ok);
  call.object = number;
  call.wave_id = last_wave_;
  if (desc) call.desc = *desc;
  return result;
}

bool BenchPlatform::lock(PlatformSoundBuffer* handle, uint32_t offset, uint32_t bytes, void** data,
                         uint32_t* locked_bytes) {
  Buffer* b = buffer(handle);
  bool ok = !failing(SoundOp::lock) && b && !b->locked && data && locked_bytes &&
            offset < b->bytes.size();
  if (ok) {
    b->locked = true;
    *data = b->bytes.data() + offset;
    *locked_bytes = std::min<uint32_t>(bytes, uint32_t(b->bytes.size() - offset));
  }
  record_buffer_call(SoundOp::lock, ok, b, bytes);
  return ok;
}

bool BenchPlatform::unlock(PlatformSoundBuffer* handle, void*, uint32_t bytes) {
  Buffer* b = buffer(handle);
  bool ok = !failing(SoundOp::unlock) && b && b->locked;
  if (b) b->locked = false;
  record_buffer_call(SoundOp::unlock, ok, b, bytes);
  return ok;
}

bool BenchPlatform::set_position(PlatformSoundBuffer* handle, uint32_t position) {
  Buffer* b = buffer(handle);
  bool ok = !failing(SoundOp::set_position) && b && position < b->bytes.size();
  if (ok) b->position = position;
  record_buffer_call(SoundOp::set_position, ok, b, position);
  return ok;
}

bool BenchPlatform::set_volume(PlatformSoundBuffer* handle, int32_t volume) {
  Buffer* b = buffer(handle);
  bool ok = !failing(SoundOp::set_volume) && b && volume <= 0 && volume >= -10000;
  if (ok) b->volume = volume;
  record_buffer_call(SoundOp::set_volume, ok, b, volume);
  return ok;
}

// Plays from the current position to the end once; the position then stands
// at the start again.
bool BenchPlatform::play(PlatformSoundBuffer* handle, uint32_t flags) {
  Buffer* b = buffer(handle);
  bool ok = !failing(SoundOp::play) && b && !b->locked;
  bool started = ok && !is_playing(*b);
  if (started) {
    double bytes = double(b->bytes.size() - b->position);
    b->ends_at = host_.time() + bytes / b->format.avg_bytes_per_sec;
    b->position = 0;
  }
  SoundCall& call = record_buffer_call(SoundOp::play, ok, b, flags);
  call.started = started;
  if (started && on_sound_start) on_sound_start(b->wave_id);
  return ok;
}

bool BenchPlatform::status(PlatformSoundBuffer* handle, uint32_t* status) {
  Buffer* b = buffer(handle);
  bool ok = !failing(SoundOp::status) && b && status;
  if (ok) *status = is_playing(*b) ? uint32_t{STATUS_PLAYING} : 0u;
  record_buffer_call(SoundOp::status, ok, b, ok ? *status : 0);
  return ok;
}

void BenchPlatform::release_buffer(PlatformSoundBuffer* handle) {
  Buffer* b = buffer(handle);
  record_buffer_call(SoundOp::release_buffer, b != nullptr, b, 0);
  if (b) buffers_.erase(handle);
}

void BenchPlatform::release_device(PlatformSoundDevice* handle) {
  Device* d = device(handle);
  record(SoundOp::release_device, d != nullptr).object = d ? d->number : 0;
  if (d) devices_.erase(handle);
}

}  // namespace panelbench
