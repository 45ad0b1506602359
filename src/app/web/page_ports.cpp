// SPDX-License-Identifier: MIT
#include "page_ports.hpp"

#include "layout.hpp"
#include "page_boundary.hpp"
#include "runtime_error.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

// What is left of the bank when the reader has done is not fetched.
class PageBankSource : public ByteSource {
  public:
    ~PageBankSource() override { ClosePageBank(); }
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        return static_cast<std::size_t>(ReadPageBank(buffer, static_cast<int>(size)));
    }
};

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
    if (!OpenPageBank()) {
        return nullptr;
    }
    return std::make_unique<PageBankSource>();
}

void PageFiles::ReportUnreadableFile(std::string_view name) {
    ReportPageBank(std::string(name).c_str());
}

void PageProcess::EndProgram(ExitStatus status) {
    EndPage(static_cast<int>(status));
    throw ProgramEnd{status};
}

}  // namespace vornikat
