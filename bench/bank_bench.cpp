// SPDX-License-Identifier: MIT
// Loading the largest bank, beside merely reading its file into memory, and the peak memory
// the load needs compared with the file's size.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bank_reader.hpp"
#include "bank_writer.hpp"
#include "file_source.hpp"

namespace {

constexpr int kQuestions = 32767;
constexpr std::size_t kTextLength = 300;

const std::filesystem::path& BankPath() {
    static const std::filesystem::path path = [] {
        auto p = std::filesystem::temp_directory_path() / "vornikat-bench-data.bin";
        std::vector<vornikat::QuestionRecord> records(kQuestions);
        for (int i = 0; i < kQuestions; ++i) {
            auto& r = records[static_cast<std::size_t>(i)];
            r.question.assign(kTextLength, static_cast<char16_t>(u'А' + i % 32));
            for (auto& option : r.options) {
                option.assign(kTextLength, static_cast<char16_t>(u'a' + i % 26));
            }
            r.rightOption = static_cast<std::int16_t>(1 + i % 5);
        }
        const auto bytes = vornikat::WriteQuestionBank(records);
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return p;
    }();
    return path;
}

void ReadWholeFile(benchmark::State& state) {
    const auto size = std::filesystem::file_size(BankPath());
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes(size);
        std::FILE* file = std::fopen(BankPath().c_str(), "rb");
        benchmark::DoNotOptimize(std::fread(bytes.data(), 1, size, file));
        std::fclose(file);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void LoadQuestionBank(benchmark::State& state) {
    const auto size = std::filesystem::file_size(BankPath());
    for (auto _ : state) {
        const auto source = vornikat::OpenFileSource(BankPath().string());
        auto bank = vornikat::ReadQuestionBank(*source);
        benchmark::DoNotOptimize(bank.QuestionMax);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// The peak resident memory of a fresh process (this program again, run with --peak) that
// loads the bank or does nothing, in bytes. A forked child would inherit our own peak.
long ChildPeakBytes(bool load) {
    const std::string command = std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --peak " + std::string(load ? "load" : "idle") + " " +
                                BankPath().string();
    FILE* pipe = popen(command.c_str(), "r");
    long peak = 0;
    if (pipe == nullptr || std::fscanf(pipe, "%ld", &peak) != 1) {
        peak = -1;
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return peak;
}

int ReportPeak(const std::string& mode, const std::string& path) {
    if (mode == "load") {
        const auto source = vornikat::OpenFileSource(path);
        auto bank = vornikat::ReadQuestionBank(*source);
        benchmark::DoNotOptimize(bank.QuestionMax);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss * 1024L);
    return 0;
}

void LoadPeakMemory(benchmark::State& state) {
    const double size = static_cast<double>(std::filesystem::file_size(BankPath()));
    double ratio = 0;
    for (auto _ : state) {
        const long idle = ChildPeakBytes(false);
        const long loaded = ChildPeakBytes(true);
        ratio = static_cast<double>(loaded - idle) / size;
    }
    state.counters["file_MB"] = size / 1e6;
    state.counters["peak_over_file"] = ratio;
}

BENCHMARK(ReadWholeFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(LoadQuestionBank)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(LoadPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--peak") {
        return ReportPeak(argv[2], argv[3]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
