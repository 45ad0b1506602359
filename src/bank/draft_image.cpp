// SPDX-License-Identifier: MIT
#include "draft_image.hpp"

#include "question_check.hpp"

#include <algorithm>
#include <array>
#include <string>

namespace vornikat::bank {
namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'V', 'K', 'D', 'R', 'A', 'F', 'T', 1};

// FNV-1a: a storage that hands back other bytes than it was given is caught.
std::uint32_t Checksum(std::span<const std::uint8_t> bytes) {
    std::uint32_t hash = 2166136261u;
    for (const std::uint8_t byte : bytes) {
        hash = (hash ^ byte) * 16777619u;
    }
    return hash;
}

// Writes into bytes sized beforehand: a bank of 32767 questions is written in one pass, with no
// growing on the way.
class ImageWriter {
  public:
    explicit ImageWriter(std::size_t size) : out_(size) {}

    void Bytes(std::span<const std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), out_.begin() + static_cast<std::ptrdiff_t>(pos_));
        pos_ += bytes.size();
    }
    void Number(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            out_[pos_++] = static_cast<std::uint8_t>(value >> shift);
        }
    }
    void Text(const std::u16string& text) {
        Number(static_cast<std::uint32_t>(text.size()));
        for (const char16_t unit : text) {
            out_[pos_++] = static_cast<std::uint8_t>(unit);
            out_[pos_++] = static_cast<std::uint8_t>(unit >> 8);
        }
    }
    std::vector<std::uint8_t> Finish() {
        Number(Checksum(std::span(out_).first(pos_)));
        return std::move(out_);
    }

  private:
    std::vector<std::uint8_t> out_;
    std::size_t pos_ = 0;
};

constexpr std::size_t kHeadSize = 8 + 3 * 4;
// Four numbers, six lengths, the extras' count.
constexpr std::size_t kLeastQuestion = 11 * 4;

std::size_t ImageSize(std::span<const DraftQuestion> questions) {
    std::size_t size = kHeadSize + 4;
    for (const DraftQuestion& question : questions) {
        size += kLeastQuestion;
        for (int field = kQuestionField; field < kTextFieldCount; ++field) {
            size += 2 * TextOf(question.record, field).size();
        }
        for (const std::u16string& extra : question.extraOptions) {
            size += 4 + 2 * extra.size();
        }
    }
    return size;
}

// Every read is checked against what is left, so a broken count never asks for more memory
// than the image holds.
class ImageReader {
  public:
    explicit ImageReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Left(std::size_t size) const { return bytes_.size() - pos_ >= size; }
    bool AtEnd() const { return pos_ == bytes_.size(); }
    std::optional<std::uint32_t> Number() {
        if (!Left(4)) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int k = 0; k < 4; ++k) {
            value |= static_cast<std::uint32_t>(bytes_[pos_++]) << (8 * k);
        }
        return value;
    }
    std::optional<std::u16string> Text() {
        const auto length = Number();
        if (!length || !Left(std::size_t{*length} * 2)) {
            return std::nullopt;
        }
        std::u16string text(*length, u'\0');
        for (char16_t& unit : text) {
            unit = static_cast<char16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
            pos_ += 2;
        }
        return text;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

std::optional<DraftQuestion> ReadQuestion(ImageReader& reader) {
    DraftQuestion question;
    const auto right = reader.Number();
    const auto optionCount = reader.Number();
    const auto line = reader.Number();
    const auto column = reader.Number();
    if (!column) {
        return std::nullopt;
    }
    question.record.rightOption = static_cast<std::int16_t>(*right);
    question.optionCount = static_cast<int>(*optionCount);
    question.at = {static_cast<int>(*line), static_cast<int>(*column)};
    for (int field = kQuestionField; field < kTextFieldCount; ++field) {
        auto text = reader.Text();
        if (!text) {
            return std::nullopt;
        }
        TextOf(question.record, field) = std::move(*text);
    }
    const auto extras = reader.Number();
    if (!extras || !reader.Left(std::size_t{*extras} * 4)) {
        return std::nullopt;
    }
    for (std::uint32_t k = 0; k < *extras; ++k) {
        auto text = reader.Text();
        if (!text) {
            return std::nullopt;
        }
        question.extraOptions.push_back(std::move(*text));
    }
    return question;
}

}  // namespace

std::vector<std::uint8_t> MakeDraftImage(std::span<const DraftQuestion> questions, TextForm form) {
    ImageWriter writer(ImageSize(questions));
    writer.Bytes(kMagic);
    writer.Number(static_cast<std::uint32_t>(form.encoding));
    writer.Number(static_cast<std::uint32_t>(form.lineEnds));
    writer.Number(static_cast<std::uint32_t>(questions.size()));
    for (const DraftQuestion& question : questions) {
        writer.Number(static_cast<std::uint16_t>(question.record.rightOption));
        writer.Number(static_cast<std::uint32_t>(question.optionCount));
        writer.Number(static_cast<std::uint32_t>(question.at.line));
        writer.Number(static_cast<std::uint32_t>(question.at.column));
        for (int field = kQuestionField; field < kTextFieldCount; ++field) {
            writer.Text(TextOf(question.record, field));
        }
        writer.Number(static_cast<std::uint32_t>(question.extraOptions.size()));
        for (const std::u16string& extra : question.extraOptions) {
            writer.Text(extra);
        }
    }
    return writer.Finish();
}

std::optional<DraftImage> ReadDraftImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kMagic.size() + 4 ||
        !std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> body = bytes.first(bytes.size() - 4);
    ImageReader tail(bytes.last(4));
    if (tail.Number() != Checksum(body)) {
        return std::nullopt;
    }
    ImageReader reader(body.subspan(kMagic.size()));
    const auto encoding = reader.Number();
    const auto lineEnds = reader.Number();
    const auto count = reader.Number();
    if (!count || *encoding > static_cast<std::uint32_t>(TextEncoding::Windows1251) ||
        *lineEnds > static_cast<std::uint32_t>(LineEnds::Cr) ||
        !reader.Left(std::size_t{*count} * kLeastQuestion)) {
        return std::nullopt;
    }
    DraftImage image;
    image.form = {static_cast<TextEncoding>(*encoding), static_cast<LineEnds>(*lineEnds)};
    image.questions.reserve(*count);
    for (std::uint32_t k = 0; k < *count; ++k) {
        auto question = ReadQuestion(reader);
        if (!question) {
            return std::nullopt;
        }
        image.questions.push_back(std::move(*question));
    }
    if (!reader.AtEnd()) {
        return std::nullopt;
    }
    return image;
}

}  // namespace vornikat::bank
