// SPDX-License-Identifier: MIT
// The bank editor with a bank at the format's limit, 32767 questions: opening it beside the
// quiz's own load of the same file, and as Windows-1251 Aiken, GIFT and CSV beside UTF-8 Aiken;
// saving it beside the bank tool's build of the same text, a search that finds nothing, and one
// keystroke in the form with the window redrawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "aiken_parser.hpp"
#include "bank_document.hpp"
#include "bank_file.hpp"
#include "bank_reader.hpp"
#include "bank_source.hpp"
#include "cp1251.hpp"
#include "edit_commands.hpp"
#include "editor_window.hpp"
#include "file_source.hpp"
#include "question_form.hpp"
#include "text.hpp"

namespace {

using vornikat::editor::BankFormat;

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A GIFT text of the questions: each in braces, "=" before the right answer.
std::string FormatGift(const std::vector<vornikat::QuestionRecord>& records) {
    const auto escaped = [](const std::u16string& text) {
        std::string out;
        for (const char c : vornikat::ToUtf8(text)) {
            if (std::string_view("~=#{}:\\").find(c) != std::string_view::npos) {
                out += '\\';
            }
            out += c;
        }
        return out;
    };
    std::string gift;
    for (const auto& r : records) {
        gift += escaped(r.question);
        gift += " {\n";
        for (std::size_t k = 0; k < r.options.size(); ++k) {
            // Appended piece by piece: a literal + a temporary string trips GCC 12's -Wrestrict.
            gift += static_cast<int>(k) + 1 == r.rightOption ? '=' : '~';
            gift += escaped(r.options[k]);
            gift += '\n';
        }
        gift += "}\n\n";
    }
    return gift;
}

// A spreadsheet's CSV of the questions: a header, ";" between quoted fields, the right one by
// number.
std::string FormatCsv(const std::vector<vornikat::QuestionRecord>& records) {
    const auto quoted = [](const std::u16string& text) {
        std::string out = "\"";
        for (const char c : vornikat::ToUtf8(text)) {
            out += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        out += '"';
        return out;
    };
    std::string csv = "Вопрос;A;B;C;D;E;Ответ\r\n";
    for (const auto& r : records) {
        csv += quoted(r.question);
        for (const auto& option : r.options) {
            csv += ';';
            csv += quoted(option);
        }
        csv += ';';
        csv += std::to_string(r.rightOption);
        csv += "\r\n";
    }
    return csv;
}

constexpr int kQuestions = 32767;

struct Fixture {
    QTemporaryDir dir;
    std::string text;  // the bank as Aiken text
    std::string data;  // and as data.bin
    std::string built;
    std::string cp1251;  // the Aiken text as Notepad's "ANSI" on a Russian Windows saves it
    std::string gift;
    std::string csv;
    std::unique_ptr<vornikat::editor::EditorWindow> window;
};

Fixture& Bank() {
    static Fixture fixture = [] {
        Fixture f;
        f.text = f.dir.filePath("bank.txt").toStdString();
        f.data = f.dir.filePath("data.bin").toStdString();
        f.built = f.dir.filePath("built.bin").toStdString();
        f.cp1251 = f.dir.filePath("ansi.txt").toStdString();
        f.gift = f.dir.filePath("bank.gift").toStdString();
        f.csv = f.dir.filePath("bank.csv").toStdString();
        // The shipped questions over and over: texts of the lengths authors write.
        std::ifstream shipped(VORNIKAT_BANK_SOURCE, std::ios::binary);
        const std::string source((std::istreambuf_iterator<char>(shipped)), {});
        const auto parsed = vornikat::bank::ParseAiken(source);
        std::vector<vornikat::QuestionRecord> records;
        for (int i = 0; i < kQuestions; ++i) {
            records.push_back(
                parsed.questions[static_cast<std::size_t>(i) % parsed.questions.size()].record);
        }
        vornikat::editor::WriteBankFile(f.text, records, BankFormat::Aiken);
        vornikat::editor::WriteBankFile(f.data, records, BankFormat::Binary);
        std::ifstream utf8(f.text, std::ios::binary);
        const std::string aiken((std::istreambuf_iterator<char>(utf8)), {});
        WriteBytes(f.cp1251, *vornikat::EncodeCp1251(vornikat::FromUtf8(aiken)));
        WriteBytes(f.gift, FormatGift(records));
        WriteBytes(f.csv, FormatCsv(records));
        f.window = std::make_unique<vornikat::editor::EditorWindow>();
        f.window->show();
        QCoreApplication::processEvents();
        return f;
    }();
    return fixture;
}

void QuizLoad(benchmark::State& state) {
    for (auto _ : state) {
        const auto source = vornikat::OpenFileSource(Bank().data);
        auto bank = vornikat::ReadQuestionBank(*source);
        benchmark::DoNotOptimize(bank.QuestionMax);
    }
}

// Until the window answers again: the bank read, the list shown with its first rows and the
// chosen question in the form and the preview. The checks of the rest follow between events.
// Each open starts from a new bank, as an editor does that has just started; letting go of a
// bank as big as this one takes some milliseconds more (EditorReopenDataBin).
void EditorOpen(benchmark::State& state, const std::string& path) {
    Fixture& f = Bank();
    for (auto _ : state) {
        state.PauseTiming();
        f.window->NewBank();
        state.ResumeTiming();
        f.window->OpenFile(QString::fromStdString(path));
        f.window->repaint();
    }
    state.counters["questions"] = f.window->Document().Count();
}

void EditorOpenDataBin(benchmark::State& state) {
    EditorOpen(state, Bank().data);
}

void EditorReopenDataBin(benchmark::State& state) {
    Fixture& f = Bank();
    for (auto _ : state) {
        f.window->OpenFile(QString::fromStdString(f.data));
        f.window->repaint();
    }
}

// The open with every question checked, as a save needs them.
void EditorOpenAndCheckDataBin(benchmark::State& state) {
    Fixture& f = Bank();
    for (auto _ : state) {
        f.window->OpenFile(QString::fromStdString(f.data));
        f.window->Document().FinishChecks();
        f.window->repaint();
    }
}

void EditorOpenAiken(benchmark::State& state) {
    EditorOpen(state, Bank().text);
}

// The same open as EditorOpenAiken, measured as its forms' baseline.
void EditorOpenAikenUtf8(benchmark::State& state) {
    EditorOpen(state, Bank().text);
}

void EditorOpenAikenCp1251(benchmark::State& state) {
    EditorOpen(state, Bank().cp1251);
}

// An import as the File menu's «Импорт…» makes it: a new, unnamed bank, shown.
void EditorImport(benchmark::State& state, const std::string& path) {
    Fixture& f = Bank();
    for (auto _ : state) {
        state.PauseTiming();
        f.window->NewBank();
        state.ResumeTiming();
        if (!f.window->ImportFile(path)) {
            state.SkipWithError("the editor did not import");
        }
        f.window->repaint();
    }
    state.counters["questions"] = f.window->Document().Count();
    f.window->UndoStack().setClean();
}

void EditorImportGift(benchmark::State& state) {
    EditorImport(state, Bank().gift);
}

void EditorImportCsv(benchmark::State& state) {
    EditorImport(state, Bank().csv);
}

void ToolBuild(benchmark::State& state) {
    const std::string command =
        std::string(VORNIKAT_BANK_TOOL_PATH) + " build " + Bank().text + " -o " + Bank().built;
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("vornikat-bank build failed");
        }
    }
}

void EditorSave(benchmark::State& state, BankFormat format) {
    Fixture& f = Bank();
    f.window->OpenFile(QString::fromStdString(f.text));
    const QString target = f.dir.filePath(format == BankFormat::Binary ? "saved.bin" : "saved.txt");
    for (auto _ : state) {
        if (!f.window->SaveTo(target, format)) {
            state.SkipWithError("the editor did not save");
        }
    }
}

void EditorSaveDataBin(benchmark::State& state) {
    EditorSave(state, BankFormat::Binary);
}

void EditorSaveAiken(benchmark::State& state) {
    EditorSave(state, BankFormat::Aiken);
}

void FindNothing(benchmark::State& state) {
    Fixture& f = Bank();
    f.window->OpenFile(QString::fromStdString(f.data));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.window->Document().FindText("нет такого текста", 0));
    }
}

// One letter typed into the question of the last question, through the undo stack, with the
// list, the form, the preview and the checks of the whole bank brought up to date and painted.
void Keystroke(benchmark::State& state) {
    Fixture& f = Bank();
    f.window->OpenFile(QString::fromStdString(f.data));
    f.window->SelectRow(kQuestions - 1);
    QCoreApplication::processEvents();
    QLineEdit& field = f.window->Form().TextField(0);
    for (auto _ : state) {
        field.end(false);
        field.insert(QStringLiteral("ж"));
        f.window->repaint();
        QCoreApplication::processEvents();
    }
    f.window->UndoStack().setClean();
}

BENCHMARK(QuizLoad)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(EditorOpenDataBin)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(EditorReopenDataBin)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(EditorOpenAndCheckDataBin)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(EditorOpenAiken)->Unit(benchmark::kMillisecond)->MinTime(1.0);
// Each form of the source beside UTF-8 Aiken, as medians of five runs: within 2x is the goal.
BENCHMARK(EditorOpenAikenUtf8)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(EditorOpenAikenCp1251)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(EditorImportGift)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(EditorImportCsv)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(ToolBuild)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(EditorSaveDataBin)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(EditorSaveAiken)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(FindNothing)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(Keystroke)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
    // No display needed, and no real user's settings touched: the recent files are written.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Bank().window.reset();
    return 0;
}
