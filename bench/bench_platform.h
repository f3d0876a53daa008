// The platform the bench hands to native modules: an executable name and the
// window classes a test chooses, the loaded modules' own resources (which a
// test may replace), and sound devices and buffers that play on the bench's
// simulated clock. Every sound operation is recorded with its arguments, and
// each kind of operation can be made to fail on demand.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace panelbench {

class Host;

enum class SoundOp {
  find_resource,
  free_resource,
  create_device,
  cooperative_level,
  create_buffer,
  lock,
  unlock,
  set_position,
  set_volume,
  play,
  status,
  release_buffer,
  release_device,
};
const char* sound_op_name(SoundOp op);

// One recorded call. Devices and buffers are numbered from 1 in creation
// order; a buffer carries the wave resource found last before it was made.
struct SoundCall {
  SoundOp op;
  bool ok = false;
  uint32_t object = 0;          // device (device calls) or buffer number; 0 none
  uint32_t wave_id = 0;         // resource calls and buffer calls
  int64_t argument = 0;         // level, volume, play flags, position, byte count, status
  void* window = nullptr;       // cooperative level
  PlatformBufferDesc desc{};    // create buffer
  bool started = false;         // play: the sound began (it was not playing)
};

class BenchPlatform {
 public:
  explicit BenchPlatform(Host& host);
  ~BenchPlatform();
  BenchPlatform(const BenchPlatform&) = delete;
  BenchPlatform& operator=(const BenchPlatform&) = delete;

  // The table handed to native modules; its functions reach the platform of
  // the running host (Host::current()).
  static const PlatformServices& services();

  // The executable: "fs9" unless set. Window classes: "FS98MAIN" exists unless
  // removed.
  void set_executable_name(std::string name) { executable_name_ = std::move(name); }
  void add_window_class(const std::string& class_name);
  void remove_window_class(const std::string& class_name);
  // The handle find_window gives for a class, or null.
  void* window_of(const std::string& class_name) const;
  // Every find_window call's class, in order.
  const std::vector<std::string>& window_lookups() const { return window_lookups_; }

  // A wave resource's bytes as every module of the host will find them, or
  // (remove) no such resource at all.
  void replace_wave(uint32_t id, std::vector<unsigned char> bytes) { waves_[id] = std::move(bytes); }
  void remove_wave(uint32_t id) { waves_[id] = std::nullopt; }
  void restore_wave(uint32_t id) { waves_.erase(id); }

  // Operation kind op fails from its (after + 1)th call on, until repaired
  // (find resource: not found). Freeing and releasing always work.
  void fail(SoundOp op, uint32_t after = 0) { fail_after_[size_t(op)] = counts_[size_t(op)] + after; }
  void repair(SoundOp op) { fail_after_[size_t(op)] = kNever; }

  const std::vector<SoundCall>& calls() const { return calls_; }
  std::vector<SoundCall> calls_of(SoundOp op) const;
  // Wave ids of the sounds that began, in order.
  std::vector<uint32_t> started_sounds() const;
  // Called whenever a sound begins.
  std::function<void(uint32_t wave_id)> on_sound_start;
  bool playing(uint32_t wave_id) const;
  // The samples a live buffer made from the wave holds (empty when none).
  std::vector<unsigned char> buffer_contents(uint32_t wave_id) const;
  size_t live_devices() const { return devices_.size(); }
  size_t live_buffers() const { return buffers_.size(); }

  // The platform functions, as the table calls them.
  bool executable_name(char* name, size_t capacity);
  void* find_window(const char* class_name);
  bool find_resource(void* module, uint32_t id, const char* type, const void** data,
                     uint32_t* size);
  void free_resource(void* module, uint32_t id, const char* type);
  PlatformSoundDevice* create_device();
  bool set_cooperative_level(PlatformSoundDevice* device, void* window, uint32_t level);
  PlatformSoundBuffer* create_buffer(PlatformSoundDevice* device, const PlatformBufferDesc* desc);
  bool lock(PlatformSoundBuffer* buffer, uint32_t offset, uint32_t bytes, void** data,
            uint32_t* locked_bytes);
  bool unlock(PlatformSoundBuffer* buffer, void* data, uint32_t bytes);
  bool set_position(PlatformSoundBuffer* buffer, uint32_t position);
  bool set_volume(PlatformSoundBuffer* buffer, int32_t volume);
  bool play(PlatformSoundBuffer* buffer, uint32_t flags);
  bool status(PlatformSoundBuffer* buffer, uint32_t* status);
  void release_buffer(PlatformSoundBuffer* buffer);
  void release_device(PlatformSoundDevice* device);

 private:
  struct Device {
    uint32_t number = 0;
    bool cooperative = false;
  };
  struct Buffer {
    uint32_t number = 0;
    uint32_t wave_id = 0;
    PlatformWaveFormat format{};
    std::vector<unsigned char> bytes;
    uint32_t position = 0;
    int32_t volume = 0;
    bool locked = false;
    double ends_at = -1;  // simulated time the sound stops; before it, playing
  };

  // Counts the call and tells whether it is to fail.
  bool failing(SoundOp op);
  SoundCall& record(SoundOp op, bool ok);
  // A call on a buffer (which may be unknown: null).
  SoundCall& record_buffer_call(SoundOp op, bool ok, const Buffer* b, int64_t argument);
  Device* device(PlatformSoundDevice* handle);
  Buffer* buffer(PlatformSoundBuffer* handle);
  bool is_playing(const Buffer& buffer) const;

  Host& host_;
  std::string executable_name_ = "fs9";
  std::map<std::string, std::unique_ptr<char>> windows_;  // a unique address per class
  std::vector<std::string> window_lookups_;
  std::map<uint32_t, std::optional<std::vector<unsigned char>>> waves_;
  uint32_t last_wave_ = 0;
  static constexpr size_t kOps = size_t(SoundOp::release_device) + 1;
  static constexpr uint64_t kNever = ~uint64_t{0};
  std::array<uint64_t, kOps> counts_{};
  std::array<uint64_t, kOps> fail_after_;  // kNever: works
  std::vector<SoundCall> calls_;
  std::map<PlatformSoundDevice*, std::unique_ptr<Device>> devices_;
  std::map<PlatformSoundBuffer*, std::unique_ptr<Buffer>> buffers_;
  uint32_t made_devices_ = 0;
  uint32_t made_buffers_ = 0;
};

#if defined(_WIN32)
// Windows builds, where real modules find the simulator's window by class:
// registers the class and creates a hidden top-level window of it.
bool open_simulator_window(const char* class_name);
#endif

}  // namespace panelbench
