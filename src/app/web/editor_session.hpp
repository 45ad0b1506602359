// SPDX-License-Identifier: MIT
// The bank the editor page edits: its document and undo history over the toolkit-free model,
// the form an Aiken save keeps, opened from the bytes of any file the editor reads and saved to
// the bytes of data.bin or Aiken text, in the desktop editor's words.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bank_bytes.hpp"
#include "edit_history.hpp"
#include "layout_fit.hpp"
#include "page_text_measure.hpp"

namespace vornikat {

// The page's preview once the page gives one; until then the bank tool's estimate.
class ChosenMeasure final : public bank::TextMeasure {
  public:
    void UsePage(bool page) { page_ = page; }
    bank::TextRoom MeasureQuestion(std::u16string_view text) const override {
        return page_ ? page_measure_.MeasureQuestion(text) : estimate_.MeasureQuestion(text);
    }
    bank::TextRoom MeasureOption(std::u16string_view text) const override {
        return page_ ? page_measure_.MeasureOption(text) : estimate_.MeasureOption(text);
    }

  private:
    bool page_ = false;
    PageTextMeasure page_measure_;
    bank::EstimatedTextMeasure estimate_;
};

class EditorSession {
  public:
    bank::DraftDocument& Document() { return document_; }
    bank::EditHistory& History() { return history_; }
    // The page's preview measures the fit once the page gives one; until then the estimate.
    void UsePageMeasure(bool page);

    // Any file the editor reads: Aiken text in any encoding, GIFT, Moodle XML, CSV, data.bin.
    // Nothing opened leaves the bank as it was; Message() says what was skipped or wrong.
    bool Open(std::string_view bytes, const std::string& name);
    // One empty question, as the desktop editor's New.
    void New();
    // Nothing, with Message() saying why, while the bank has errors.
    std::optional<std::vector<std::uint8_t>> BankBytes();
    // The draft in the form its text came in (UTF-8 for a new bank or a data.bin); nothing only
    // when Aiken cannot carry a text.
    std::optional<std::vector<std::uint8_t>> AikenBytes();
    std::vector<std::uint8_t> DraftImage() const;
    // A broken image restores nothing.
    bool RestoreDraft(std::span<const std::uint8_t> image);

    const std::string& Message() const { return message_; }
    // The file the last save's message speaks of, and the name to download it as.
    const std::string& SaveName() const { return saveName_; }
    // "Windows-1251, CRLF".
    std::string FormWords() const { return bank::DescribeTextForm(form_); }
    // The bank came from another tool's file: nothing of it is saved in a form the quiz reads.
    bool Imported() const { return imported_; }

  private:
    void PutBank(std::vector<bank::DraftQuestion> questions, bank::TextForm form, std::string name,
                 bool cameAsText);
    std::string AikenName() const;

    ChosenMeasure measure_;
    bank::DraftDocument document_{measure_};
    bank::EditHistory history_{document_};
    bank::TextForm form_;
    // The name of the file the bank came from; empty for a new bank.
    std::string name_;
    bool cameAsText_ = false;
    bool imported_ = false;
    std::string message_;
    std::string saveName_;
};

}  // namespace vornikat
