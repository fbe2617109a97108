// INI files up to the 16 MiB read limit: reading the settings file at start, saving it, and reading
// "Radio.ini". Every step should grow in proportion to the file, so the 16 MiB case takes about a
// second; compare the time per MiB across the sizes. The shapes a file may take at the limit
// (empty keys, many short keys, a few huge lines, many sections) also report the peak of heap
// memory while a file is loaded or saved, as a multiple of the file's size (peak_x_size).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/base/ini_file.h"
#include "core/ports/file_store.h"
#include "core/settings/settings.h"
#include "core/settings/station_list.h"
#include "fakes/fake_file_store.h"
#include "support/counting_allocator.h"

namespace {

using namespace zr4;

void AppendLine(std::string& text, const std::string& line) {
  text += line;
  text += "\r\n";
}

// A settings file of about `size` bytes: a quarter gestures, a quarter timers, the rest sections
// the program does not know (kept by every save).
std::string SettingsText(std::size_t size) {
  std::string text;
  AppendLine(text, "[Window]");
  AppendLine(text, "Left=10");
  AppendLine(text, "Top=20");
  AppendLine(text, "[Setting]");
  AppendLine(text, "VolMax=60");
  AppendLine(text, "Modebtn=1,1,0,0,1");
  AppendLine(text, "[RemoCon]");
  AppendLine(text, "Enable=1");
  for (int n = 0; text.size() < size / 4; ++n)
    AppendLine(text, "Cmd" + std::to_string(n) + "=↑↑↓,\"01,スタンバイ\",1");
  AppendLine(text, "[Timer]");
  for (int n = 0; text.size() < size / 2; ++n)
    AppendLine(text, "Timer" + std::to_string(n) + "=8,7,30,-ON -PCALL 5,1");
  for (int n = 0; text.size() < size - 100; ++n) {
    AppendLine(text, "[Extra" + std::to_string(n) + "]");
    AppendLine(text, "Name=value " + std::to_string(n));
    AppendLine(text, "Path=C:\\Program Files\\Player\\player.exe");
  }
  return text;
}

// A "Radio.ini" of about `size` bytes: one station per frequency, FM then AM.
std::string RadioText(std::size_t size) {
  std::string text;
  AppendLine(text, "[FM]");
  for (int n = 0; text.size() < size / 2; ++n)
    AppendLine(text, std::to_string(n) + ".00=FM Station " + std::to_string(n));
  AppendLine(text, "[AM]");
  for (int n = 0; text.size() < size - 100; ++n)
    AppendLine(text, std::to_string(n) + "=AM Station " + std::to_string(n));
  return text;
}

// What start-up does with the settings file: decode, parse, read every setting.
void BM_LoadSettings(benchmark::State& state) {
  const std::string bytes = SettingsText(static_cast<std::size_t>(state.range(0)));
  test::FakeTextCodec codec;
  for (auto _ : state) {
    const TIniFile ini = TIniFile::Parse(DecodeIniText(bytes, codec));
    benchmark::DoNotOptimize(ReadSettings(ini, 0, 0));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// What a save does: read the file again (to keep the keys the program does not know), write every
// setting into it and serialise it.
void BM_SaveSettings(benchmark::State& state) {
  const std::string bytes = SettingsText(static_cast<std::size_t>(state.range(0)));
  test::FakeTextCodec codec;
  const TSettings settings = ReadSettings(TIniFile::Parse(bytes), 0, 0);
  for (auto _ : state) {
    TIniFile ini = TIniFile::Parse(DecodeIniText(bytes, codec));
    WriteSettings(settings, ini);
    benchmark::DoNotOptimize(ini.Serialize());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_LoadStations(benchmark::State& state) {
  const std::string bytes = RadioText(static_cast<std::size_t>(state.range(0)));
  test::FakeTextCodec codec;
  for (auto _ : state)
    benchmark::DoNotOptimize(ReadStations(TIniFile::Parse(DecodeIniText(bytes, codec))));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Arg(256 << 10)->Arg(1 << 20)->Arg(4 << 20);
  b->Arg(static_cast<std::int64_t>(kFileReadLimit));
}

// Settings files of kFileReadLimit bytes in the shapes that cost the most per byte.
enum Shape { kEmptyKeys, kShortKeys, kHugeLines, kManySections };

std::string ShapeText(int shape) {
  const std::size_t size = kFileReadLimit;
  std::string text = "[Setting]\n";
  char line[64];
  for (unsigned n = 0; text.size() < size; ++n) {
    std::size_t length = 0;
    switch (shape) {
      case kEmptyKeys:  // "=" alone
        length = static_cast<std::size_t>(std::snprintf(line, sizeof line, "=\n"));
        break;
      case kShortKeys:  // distinct keys, as short as they can be
        length = static_cast<std::size_t>(std::snprintf(line, sizeof line, "%x=\n", n));
        break;
      case kManySections:  // a distinct section with one key each
        length = static_cast<std::size_t>(std::snprintf(line, sizeof line, "[%x]\nk=v\n", n));
        break;
      default: {  // sixteen lines of a MiB each
        const std::size_t value = std::min<std::size_t>(1 << 20, size - text.size());
        text += "Key" + std::to_string(n) + "=" + std::string(value, 'v') + "\n";
        continue;
      }
    }
    if (text.size() + length > size) break;
    text.append(line, length);
  }
  return text;
}

void ReportPeak(benchmark::State& state, std::size_t before, std::size_t fileSize) {
  state.counters["peak_MiB"] = static_cast<double>(peakBytes - before) / (1 << 20);
  state.counters["peak_x_size"] = static_cast<double>(peakBytes - before) / fileSize;
}

// Start-up with a file of the shape: the file's bytes as read, decoded, parsed, every setting
// read. The peak counts the bytes read too.
void BM_LoadShape(benchmark::State& state) {
  const std::string file = ShapeText(static_cast<int>(state.range(0)));
  test::FakeTextCodec codec;
  const std::size_t before = liveBytes;
  peakBytes = liveBytes;
  for (auto _ : state) {
    const std::string bytes = file;
    const TIniFile ini = TIniFile::Parse(DecodeIniText(bytes, codec));
    benchmark::DoNotOptimize(ReadSettings(ini, 0, 0));
  }
  ReportPeak(state, before, file.size());
}

// The save at exit with a file of the shape.
void BM_SaveShape(benchmark::State& state) {
  const std::string file = ShapeText(static_cast<int>(state.range(0)));
  test::FakeTextCodec codec;
  const TSettings settings;
  const std::size_t before = liveBytes;
  peakBytes = liveBytes;
  for (auto _ : state) {
    const std::string bytes = file;
    TIniFile ini = TIniFile::Parse(DecodeIniText(bytes, codec));
    WriteSettings(settings, ini);
    benchmark::DoNotOptimize(ini.Serialize());
  }
  ReportPeak(state, before, file.size());
}

void Shapes(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->ArgName("shape");
  for (int shape : {kEmptyKeys, kShortKeys, kHugeLines, kManySections}) b->Arg(shape);
}

BENCHMARK(BM_LoadShape)->Apply(Shapes);
BENCHMARK(BM_SaveShape)->Apply(Shapes);
BENCHMARK(BM_LoadSettings)->Apply(Sizes);
BENCHMARK(BM_SaveSettings)->Apply(Sizes);
BENCHMARK(BM_LoadStations)->Apply(Sizes);

}  // namespace
