// The cost a defeat adds to its frame: the record is rewritten and synced to
// disk every time an enemy falls, inside a 33 ms frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/save_data.h"

namespace {

std::string MakeBenchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-bench-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return mkdtemp(name.data()) != nullptr ? std::string(name.data()) : std::string();
}

void BM_WriteSaveRecord(benchmark::State& state)
{
    const std::string directory = MakeBenchDirectory();
    if (directory.empty()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string path = directory + "/Kestrune.savedata";
    SaveRecord record;
    for (auto _ : state) {
        record.defeatCount = (record.defeatCount + 1) % MaxDefeatCount;
        benchmark::DoNotOptimize(WriteSaveRecordTo(path, record));
    }
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_WriteSaveRecord)->Unit(benchmark::kMicrosecond);

void BM_ReadSaveRecord(benchmark::State& state)
{
    const std::string directory = MakeBenchDirectory();
    if (directory.empty()) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string path = directory + "/Kestrune.savedata";
    WriteSaveRecordTo(path, SaveRecord());
    SaveRecord record;
    for (auto _ : state) {
        ReadSaveRecordFrom(path, record);
        benchmark::DoNotOptimize(record);
    }
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_ReadSaveRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
