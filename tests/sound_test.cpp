// The main module's sound player, seen through the radio altimeter's callouts
// (the gauge with the most sounds): the simulator window it looks for, the
// waves it reads, and every failure leaving the module silent for good while
// the instruments go on working.
#include <functional>

#include "bench/bench_platform.h"
#include "tests/radio_altimeter_support.h"

using panelbench::BenchPlatform;
using panelbench::SoundCall;
using panelbench::SoundOp;
using namespace radio_altimeter;

namespace {

#if defined(_WIN32)
// Real modules open DirectSound on the simulator's window: the runner makes one.
class SimulatorWindow : public ::testing::Environment {
  void SetUp() override { ASSERT_TRUE(panelbench::open_simulator_window("FS98MAIN")); }
};
[[maybe_unused]] ::testing::Environment* const simulator_window =
    ::testing::AddGlobalTestEnvironment(new SimulatorWindow);
#endif

constexpr size_t kNeedle = 2;
constexpr uint32_t kFirstWave = 1280, kLastWave = 1270;

using Bytes = std::vector<unsigned char>;

void put16(Bytes& b, uint32_t v) {
  for (int i = 0; i < 2; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
Bytes tag(const char* name) { return Bytes(name, name + 4); }

// A chunk with its real size, or the size field given; odd bodies get a pad.
Bytes chunk(const char* name, const Bytes& body, int64_t size_field = -1) {
  Bytes b = tag(name);
  put32(b, size_field < 0 ? uint32_t(body.size()) : uint32_t(size_field));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() % 2) b.push_back(0);
  return b;
}

// Mono 16-bit PCM at 22050 Hz, cut to `bytes` bytes of the record.
Bytes pcm_format(size_t bytes = 16, uint32_t extra_size = 0) {
  Bytes f;
  put16(f, 1);
  put16(f, 1);
  put32(f, 22050);
  put32(f, 44100);
  put16(f, 2);
  put16(f, 16);
  put16(f, extra_size);
  f.resize(bytes, 0);
  return f;
}

Bytes samples() {
  Bytes s;
  for (int i = 0; i < 882; ++i) s.push_back(static_cast<unsigned char>(i * 7));
  return s;
}

Bytes riff(const std::vector<Bytes>& chunks, int64_t size_adjust = 0) {
  Bytes body = tag("WAVE");
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  Bytes b = tag("RIFF");
  put32(b, uint32_t(int64_t(body.size()) + size_adjust));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

Bytes good_wave() { return riff({chunk("fmt ", pcm_format()), chunk("data", samples())}); }

std::string module_file() { return testing_support::module_path("Tarnel_Instr"); }

uint32_t last_found(const BenchPlatform& sound) {
  uint32_t id = 0;
  for (const SoundCall& c : sound.calls())
    if (c.op == SoundOp::find_resource) id = c.wave_id;
  return id;
}

TEST(MainSoundPlayer, LooksForTheSimulatorWindowByExecutableName) {
  if (!testing_support::kBenchPlatform) GTEST_SKIP() << "sets the bench's executable name";
  struct Row {
    const char* executable;
    const char* window_class;
  } rows[] = {
      {"FS2002", "FS98MAIN"},   // fourth character '0'
      {"fs9", "FS98MAIN"},      // shorter than four
      {"", "FS98MAIN"},
      {"ab2", "FS98MAIN"},      // '2' third
      {"abc2", "MSCFSMAIN"},    // '2' fourth
      {"CFS2", "MSCFSMAIN"},
      {"Cfs", "MSCFSMAIN"},     // 'C' first
      {"cfs", "FS98MAIN"},      // only a capital C
  };
  panelbench::Host host;
  BenchPlatform& sound = host.bench_platform();
  sound.add_window_class("MSCFSMAIN");
  panelbench::Module& module = host.load(module_file());
  for (const Row& r : rows) {
    SCOPED_TRACE(r.executable);
    sound.set_executable_name(r.executable);
    panelbench::Placement& p = host.add(module, "Radio_Altimeter", "s1");
    ASSERT_FALSE(sound.window_lookups().empty());
    EXPECT_EQ(sound.window_lookups().back(), r.window_class);
    SoundCall level = sound.calls_of(SoundOp::cooperative_level).back();
    EXPECT_EQ(level.window, sound.window_of(r.window_class));
    EXPECT_EQ(level.argument, 1) << "normal cooperative level";
    EXPECT_TRUE(level.ok);
    host.remove(p);
  }
  EXPECT_EQ(sound.live_devices(), 0u);
}

TEST(MainSoundPlayer, ReadsWavesWithinTheirChunks) {
  if (!testing_support::kBenchPlatform) GTEST_SKIP() << "replaces the bench's resources";
  struct Row {
    const char* why;
    Bytes wave;
    uint32_t extra_size;
  } rows[] = {
      {"16-byte format: extra size 0, not the next chunk's bytes", good_wave(), 0},
      {"20-byte format with its extra size",
       riff({chunk("fmt ", pcm_format(20, 2)), chunk("data", samples())}), 2},
      {"an odd chunk between format and data is skipped with its pad byte",
       riff({chunk("fmt ", pcm_format()), chunk("LIST", {1, 2, 3}), chunk("data", samples())}), 0},
      {"a chunk before the format is skipped",
       riff({chunk("fact", {0, 0, 0, 0}), chunk("fmt ", pcm_format()), chunk("data", samples())}),
       0},
  };
  for (Row& r : rows) {
    SCOPED_TRACE(r.why);
    panelbench::Host host;
    BenchPlatform& sound = host.bench_platform();
    sound.replace_wave(kFirstWave, r.wave);
    panelbench::Module& module = host.load(module_file());
    host.add(module, "Radio_Altimeter", "s1");
    SoundCall made = sound.calls_of(SoundOp::create_buffer).front();
    ASSERT_TRUE(made.ok);
    EXPECT_EQ(made.wave_id, kFirstWave);
    EXPECT_EQ(made.desc.size, 36u);
    EXPECT_EQ(made.desc.flags, 0x80E0u);
    EXPECT_EQ(made.desc.buffer_bytes, samples().size());
    const PlatformWaveFormat& f = made.desc.format;
    EXPECT_EQ(f.format_tag, 1);
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.samples_per_sec, 22050u);
    EXPECT_EQ(f.avg_bytes_per_sec, 44100u);
    EXPECT_EQ(f.block_align, 2);
    EXPECT_EQ(f.bits_per_sample, 16);
    EXPECT_EQ(f.extra_size, r.extra_size);
    EXPECT_EQ(sound.buffer_contents(kFirstWave), samples());
    EXPECT_EQ(sound.calls_of(SoundOp::set_position).front().argument, 0);
    EXPECT_EQ(sound.live_buffers(), 13u) << "the other callouts load behind it";
  }
}

// Each row breaks one thing; the radio altimeter then installs with "s1" and
// flies through 100 ft. Afterwards everything works again, but the module has
// switched its sound off for good: a second install opens a device (that is
// tried regardless) and does nothing else with sound, while the needle goes on.
TEST(MainSoundPlayer, AnyFailureSilencesTheModuleForGood) {
  if (!testing_support::kBenchPlatform) GTEST_SKIP() << "makes the bench's sound fail";
  auto wave = [](Bytes bytes) {
    return [bytes](BenchPlatform& s) { s.replace_wave(kFirstWave, bytes); };
  };
  auto failing = [](SoundOp op, uint32_t after = 0) {
    return [op, after](BenchPlatform& s) { s.fail(op, after); };
  };
  Bytes format = chunk("fmt ", pcm_format());
  Bytes data = chunk("data", samples());
  Bytes truncated = good_wave();
  truncated.resize(10);
  struct Row {
    const char* why;
    std::function<void(BenchPlatform&)> breakage;
    uint32_t last_found;  // loading stops at the first failure
    bool silent;
  } rows[] = {
      {"nothing breaks: the check below does see sound", [](BenchPlatform&) {}, kLastWave, false},
      {"no simulator window", [](BenchPlatform& s) { s.remove_window_class("FS98MAIN"); }, 0, true},
      {"no sound device", failing(SoundOp::create_device), 0, true},
      {"cooperative level refused", failing(SoundOp::cooperative_level), 0, true},
      {"first buffer refused", failing(SoundOp::create_buffer), kFirstWave, true},
      {"fourth buffer refused", failing(SoundOp::create_buffer, 3), 1180, true},
      {"lock fails", failing(SoundOp::lock), kFirstWave, true},
      {"unlock fails", failing(SoundOp::unlock), kFirstWave, true},
      {"play position refused", failing(SoundOp::set_position), kFirstWave, true},
      {"volume refused", failing(SoundOp::set_volume), kFirstWave, true},
      {"status query fails at the callout", failing(SoundOp::status), kLastWave, true},
      {"play fails at the callout", failing(SoundOp::play), kLastWave, true},
      {"wave resource missing", [](BenchPlatform& s) { s.remove_wave(kFirstWave); }, kFirstWave, true},
      {"header cut short", wave(truncated), kFirstWave, true},
      {"not a WAVE form", wave([&] { Bytes b = good_wave(); b[8] = 'X'; return b; }()), kFirstWave, true},
      {"RIFF size past the end", wave(riff({format, data}, 2)), kFirstWave, true},
      {"format size past the end", wave(riff({chunk("fmt ", pcm_format(), 0xFFFFFFF0), data})),
       kFirstWave, true},
      {"data size past the end", wave(riff({format, chunk("data", samples(), 0x7FFFFFFF)})),
       kFirstWave, true},
      {"data before the format", wave(riff({data, format})), kFirstWave, true},
      {"no data chunk", wave(riff({format})), kFirstWave, true},
      {"format shorter than 16 bytes", wave(riff({chunk("fmt ", pcm_format(14)), data})), kFirstWave, true},
      {"no samples", wave(riff({format, chunk("data", {})})), kFirstWave, true},
      {"a bad wave in the middle", [&](BenchPlatform& s) { s.replace_wave(1190, riff({data, format})); },
       1190, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.why);
    panelbench::Host host;
    BenchPlatform& sound = host.bench_platform();
    panelbench::Module& module = host.load(module_file());
    r.breakage(sound);
    host.set(RADIO_ALTITUDE, metres(5000));
    panelbench::Placement& first = host.add(module, "Radio_Altimeter", "s1");
    switch_on(host, first);
    descend(host, 130, 80, -800);
    EXPECT_EQ(last_found(sound), r.last_found);
    EXPECT_EQ(sound.started_sounds().empty(), r.silent);
    host.remove(first);

    for (size_t op = 0; op <= size_t(SoundOp::release_device); ++op) sound.repair(SoundOp(op));
    sound.add_window_class("FS98MAIN");
    sound.restore_wave(kFirstWave);
    sound.restore_wave(1190);
    size_t mark = sound.calls().size();
    panelbench::Placement& again = host.add(module, "Radio_Altimeter", "s1");
    descend(host, 130, 80, -800);
    EXPECT_DOUBLE_EQ(again.element(kNeedle).value[0], metres(80)) << "the instrument works";
    host.remove(again);
    bool only_device = true;
    for (size_t i = mark; i < sound.calls().size(); ++i) {
      SoundOp op = sound.calls()[i].op;
      only_device = only_device && (op == SoundOp::create_device || op == SoundOp::cooperative_level);
    }
    EXPECT_EQ(only_device, r.silent) << "after a failure nothing but the device is tried";
  }
}

// Both builds: under Wine this runs the real DirectSound path, with the null
// sound device and with none.
TEST(MainSoundPlayer, CalloutGaugeRunsWhateverTheSound) {
  panelbench::Host host;
  panelbench::Module& module = host.load(module_file());
  host.set(RADIO_ALTITUDE, metres(5000));
  for (int install = 0; install < 2; ++install) {
    SCOPED_TRACE(install);
    panelbench::Placement& p = host.add(module, "Radio_Altimeter", "s1");
    if (install == 0) switch_on(host, p);
    descend(host, 1100, 15, -3000);
    EXPECT_DOUBLE_EQ(p.element(kNeedle).value[0], metres(15));
    host.remove(p);
  }
}

}  // namespace
