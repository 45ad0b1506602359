// SPDX-License-Identifier: MIT
#include "page_ports.hpp"

#include <string>
#include <vector>

#include "file_source.hpp"
#include "layout.hpp"
#include "page_boundary.hpp"
#include "runtime_error.hpp"
#include "text.hpp"
#include "text_bank.hpp"

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

// A text bank is read whole and handed to the quiz as the data.bin it makes.
class TextBankSource : public ByteSource {
  public:
    explicit TextBankSource(std::vector<std::uint8_t> image)
        : image_(std::move(image)), source_(image_) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        return source_.Read(buffer, size);
    }

  private:
    std::vector<std::uint8_t> image_;
    MemorySource source_;
};

// Far beyond any bank's text; a larger file is refused rather than held in memory.
constexpr std::size_t kLargestTextBank = std::size_t{64} << 20;

std::unique_ptr<ByteSource> ReadTextBank() {
    PageBankSource page;
    std::string text;
    std::uint8_t chunk[1 << 16];
    while (const std::size_t got = page.Read(chunk, sizeof chunk)) {
        if (text.size() + got > kLargestTextBank) {
            return nullptr;
        }
        text.append(reinterpret_cast<const char*>(chunk), got);
    }
    auto image = ConvertTextBank(text);
    if (!image) {
        return nullptr;
    }
    return std::make_unique<TextBankSource>(std::move(*image));
}

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
    switch (OpenPageBank()) {
        case 1:
            return std::make_unique<PageBankSource>();
        case 2:
            return ReadTextBank();
        default:
            return nullptr;
    }
}

void PageFiles::ReportUnreadableFile(std::string_view name) {
    ReportPageBank(std::string(name).c_str());
}

void PageProcess::EndProgram(ExitStatus status) {
    EndPage(static_cast<int>(status));
    throw ProgramEnd{status};
}

}  // namespace vornikat
