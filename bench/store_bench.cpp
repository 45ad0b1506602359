// SPDX-License-Identifier: MIT
// A whole one-question game through the scripted front-end, on a store file near the size
// cap beside the same game on an empty store. Each game is a fresh process, as a real start is.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bank_writer.hpp"

namespace {

constexpr std::size_t kLargeStoreBytes = 15'000'000;
const std::string kGame = "yes\nok\nselect 2\nclick Nxt\nok\n";

const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "vornikat-store-bench";
        std::filesystem::create_directories(path);
        vornikat::QuestionRecord record;
        record.question = u"Вопрос";
        for (auto& option : record.options) {
            option = u"Ответ";
        }
        record.rightOption = 2;
        const std::vector<vornikat::QuestionRecord> records{record};
        const auto bank = vornikat::WriteQuestionBank(records);
        std::ofstream(path / "data.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(bank.data()),
                   static_cast<std::streamsize>(bank.size()));
        std::ofstream(path / "game.txt") << kGame;
        return path;
    }();
    return folder;
}

// A registry export of many keys, each with a text, a number and a binary value, holding the
// score somewhere in its middle.
const std::string& LargeStore() {
    static const std::string text = [] {
        std::string store = "Windows Registry Editor Version 5.00\n";
        char section[256];
        for (int key = 0; store.size() < kLargeStoreBytes; ++key) {
            std::snprintf(section, sizeof section,
                          "\n[HKEY_CURRENT_USER\\Software\\Filler\\Key%06d]\n"
                          "\"Text\"=\"Значение номер %d, записанное другой программой\"\n"
                          "\"Number\"=dword:%08x\n"
                          "\"Bytes\"=hex:00,11,22,33,44,55,66,77,88,99,aa,bb,cc,dd,ee,ff\n",
                          key, key, key);
            store += section;
            if (key == 20000) {
                store += "\n[HKEY_LOCAL_MACHINE\\Software\\Vornikat]\n\"LastScore\"=\" 12\"\n";
            }
        }
        return store;
    }();
    return text;
}

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One game with the store as given (absent when empty), timed from start to end of the process.
// The processor time the game took is shown beside it: on a busy machine the time to the end
// also waits for other programs.
void PlayGame(benchmark::State& state, const std::string& store) {
    double cpu = 0;
    const auto storeFile = WorkFolder() / "registry.reg";
    const std::string command = std::string(VORNIKAT_SCRIPT_PATH) + " --dir " +
                                WorkFolder().string() + " --registry " + storeFile.string() +
                                " < " + (WorkFolder() / "game.txt").string() + " > /dev/null";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(storeFile);
        if (!store.empty()) {
            std::ofstream(storeFile, std::ios::binary) << store;
        }
        state.ResumeTiming();
        const double before = ChildrenCpuSeconds();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the game did not run to its end");
            break;
        }
        cpu += ChildrenCpuSeconds() - before;
    }
    state.counters["store_MB"] = static_cast<double>(store.size()) / 1e6;
    state.counters["game_cpu_ms"] =
        1000 * cpu /
        static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void GameOnEmptyStore(benchmark::State& state) {
    PlayGame(state, std::string());
}

void GameOnLargeStore(benchmark::State& state) {
    PlayGame(state, LargeStore());
}

BENCHMARK(GameOnEmptyStore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(GameOnLargeStore)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
