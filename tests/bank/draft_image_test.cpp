// SPDX-License-Identifier: MIT
#include "draft_image.hpp"

#include <gtest/gtest.h>

namespace vornikat::bank {
namespace {

std::vector<DraftQuestion> Drafts() {
    DraftQuestion full;
    full.record = {u"Что такое «ламер»?", {u"Я", u"", u"Ты", u"Он", u"Она"}, 3};
    full.at = {4, 1};
    DraftQuestion draft;
    draft.record = {u"Без ответа", {u"один", u"", u"", u"", u""}, 7};
    draft.optionCount = 7;
    draft.extraOptions = {u"шесть 😀", u"семь"};
    return {full, draft, DraftQuestion{}};
}

TEST(DraftImage, RestoresEveryTextRightOptionExtraAndForm) {
    const TextForm form{TextEncoding::Windows1251, LineEnds::CrLf};
    const std::vector<DraftQuestion> drafts = Drafts();
    const auto image = ReadDraftImage(MakeDraftImage(drafts, form));
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->form, form);
    ASSERT_EQ(image->questions.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const DraftQuestion& got = image->questions[k];
        const DraftQuestion& want = drafts[k];
        EXPECT_EQ(got.record.question, want.record.question);
        EXPECT_EQ(got.record.options, want.record.options);
        EXPECT_EQ(got.record.rightOption, want.record.rightOption);
        EXPECT_EQ(got.optionCount, want.optionCount);
        EXPECT_EQ(got.extraOptions, want.extraOptions);
        EXPECT_EQ(got.at.line, want.at.line);
    }
}

TEST(DraftImage, ABrokenImageRestoresNothing) {
    const std::vector<std::uint8_t> whole = MakeDraftImage(Drafts(), {});
    std::vector<std::vector<std::uint8_t>> broken = {
        {},
        std::vector<std::uint8_t>(whole.begin(), whole.end() - 1),
        std::vector<std::uint8_t>(whole.begin(), whole.begin() + whole.size() / 2),
        whole,
        whole,
        whole,
    };
    broken[3][40] ^= 0x01;   // a flipped bit in the first letter of the first question
    broken[4][0] = 'X';      // another kind of file
    broken[5].push_back(0);  // bytes past its end
    for (std::size_t k = 0; k < broken.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(ReadDraftImage(broken[k]).has_value());
    }
}

}  // namespace
}  // namespace vornikat::bank
