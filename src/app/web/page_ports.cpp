// SPDX-License-Identifier: MIT
#include "page_ports.hpp"

#include <emscripten.h>

#include <cstdlib>

#include "file_source.hpp"
#include "layout.hpp"
#include "runtime_error.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

// clang-format off
// Texts cross to the script as UTF-16 code units in the module's memory.
EM_JS(void, SetPageCaption, (const char* control, const char16_t* text, int length), {
    Vornikat.setCaption(UTF8ToString(control), Vornikat.text(text, length));
});
EM_JS(int, GetPageValue, (const char* control), {
    return Vornikat.getValue(UTF8ToString(control));
});
EM_JS(void, SetPageValue, (const char* control, int value), {
    Vornikat.setValue(UTF8ToString(control), value);
});
EM_JS(void, FocusPageControl, (const char* control), {
    Vornikat.focus(UTF8ToString(control));
});
EM_JS(void, SetPageTimer, (int milliseconds), {
    Vornikat.setTimer(milliseconds);
});
EM_JS(void, PlayPageSound, (const std::uint8_t* image, int size), {
    Vornikat.playWave(HEAPU8.slice(image, image + size));
});
EM_JS(void, ReportPageBank, (const char* name), {
    Vornikat.reportUnreadable(UTF8ToString(name));
});
EM_JS(void, EndPage, (int status), {
    Vornikat.end(status);
});

// The two that wait for the player or the network: the module's stack is put aside meanwhile.
EM_ASYNC_JS(int, AskPage, (const char16_t* text, int length, int flags), {
    return await Vornikat.showMessage(Vornikat.text(text, length), flags);
});
// The bank's bytes in a block the caller frees, its size in *size; null when it cannot be had.
EM_ASYNC_JS(std::uint8_t*, FetchPageBank, (int* size), {
    const bytes = await Vornikat.fetchBank();
    if (bytes == null) {
        return 0;
    }
    const block = _malloc(Math.max(bytes.length, 1));
    HEAPU8.set(bytes, block);
    HEAP32[size >> 2] = bytes.length;
    return block;
});
// clang-format on

const char* NameOf(ControlId control) {
    return ControlName(control).data();
}

}  // namespace

void PageWindow::SetCaption(ControlId control, std::u16string_view text) {
    SetPageCaption(NameOf(control), text.data(), static_cast<int>(text.size()));
}

std::int16_t PageWindow::GetValue(ControlId option) {
    return static_cast<std::int16_t>(GetPageValue(NameOf(option)));
}

void PageWindow::SetValue(ControlId option, std::int16_t value) {
    SetPageValue(NameOf(option), value);
}

void PageWindow::SetFocus(ControlId control) {
    FocusPageControl(NameOf(control));
}

void PageWindow::SetTimerInterval(std::int32_t milliseconds) {
    SetPageTimer(milliseconds);
}

int PageDialogs::ShowMessage(std::u16string_view text, int flags) {
    return AskPage(text.data(), static_cast<int>(text.size()), flags);
}

void PageDialogs::ShowRuntimeError(const RuntimeError& error) {
    ShowMessage(error.BoxText(), msgbox::kCritical | msgbox::kOkOnly);
}

void PageSound::PlayWave(std::span<const std::uint8_t> image) {
    PlayPageSound(image.data(), static_cast<int>(image.size()));
}

std::unique_ptr<ByteSource> PageFiles::OpenForReading(std::string_view name) {
    if (name != "data.bin") {
        return nullptr;
    }
    int size = 0;
    std::uint8_t* block = FetchPageBank(&size);
    if (block == nullptr) {
        return nullptr;
    }
    bank_.assign(block, block + size);
    std::free(block);
    return std::make_unique<MemorySource>(bank_);
}

void PageFiles::ReportUnreadableFile(std::string_view name) {
    ReportPageBank(std::string(name).c_str());
}

void PageProcess::EndProgram(ExitStatus status) {
    EndPage(static_cast<int>(status));
    throw ProgramEnd{status};
}

}  // namespace vornikat
