// SPDX-License-Identifier: MIT
// The fit check against the picture: a text at the edge of its control is flagged exactly when
// the preview, the quiz's own window, cuts it, as its rendered pixels show.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

#include "editor_application.hpp"
#include "preview_text_measure.hpp"
#include "question_check.hpp"
#include "quiz_preview.hpp"

namespace vornikat::editor {
namespace {

constexpr int kRoom = 300;  // pixels a control is grown by to show what it cuts

// Whether the image holds a pixel other than its background, which the corner far from any
// text has, inside the rectangle.
bool HasInk(const QImage& image, const QRect& area) {
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != background) {
                return true;
            }
        }
    }
    return false;
}

// The control rendered grown to its right or below, the way its own layout of the text does
// not change: the text's ink in the room is what the control at its size cuts.
QImage RenderGrown(QWidget& control, int wider, int taller) {
    const QRect original = control.geometry();
    control.resize(original.width() + wider, original.height() + taller);
    const QImage image = control.grab().toImage();
    control.setGeometry(original);
    return image;
}

bool OptionIsCut(QuizPreview& preview) {
    QWidget& button = preview.Control("Ans1");
    // A button keeps its text on the one line across its middle.
    const QImage grown = RenderGrown(button, kRoom, 0);
    return HasInk(grown, QRect(button.width(), 0, kRoom - 1, button.height()));
}

// The label keeps its width, so its lines break where they did; a line wider than the label,
// centred, reaches past both its edges, where the columns at either edge carry ink.
bool QuestionIsCut(QuizPreview& preview) {
    QWidget& label = preview.Control("LblQ");
    const QImage grown = RenderGrown(label, 0, kRoom);
    const int w = label.width();
    const int h = label.height();
    return HasInk(grown, QRect(0, h, w, kRoom - 1)) ||
           (HasInk(grown, QRect(0, 0, 2, h)) && HasInk(grown, QRect(w - 2, 0, 2, h)));
}

bool Flagged(const std::vector<bank::FieldIssue>& issues, int field) {
    return std::any_of(issues.begin(), issues.end(), [field](const bank::FieldIssue& issue) {
        return issue.field == field && issue.kind == bank::IssueKind::MayNotFit;
    });
}

QuestionRecord Question(std::u16string question, std::u16string option) {
    return {std::move(question), {std::move(option), u"Б", u"В", u"Г", u"Д"}, 1};
}

}  // namespace

class FitCheckTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { SetUpEditorApplication(*qApp); }
    void aTextIsFlaggedExactlyWhenThePreviewCutsIt();
};

void FitCheckTest::aTextIsFlaggedExactlyWhenThePreviewCutsIt() {
    QuizPreview preview;
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const PreviewTextMeasure measure(preview);
    const auto cut = [&preview](const QuestionRecord& q, int field) {
        preview.ShowQuestion(q, 0);
        return field == bank::kQuestionField ? QuestionIsCut(preview) : OptionIsCut(preview);
    };

    // The edges as the picture finds them: an option grown a letter at a time, a question a
    // word at a time, until the preview first cuts it.
    const std::u16string letters = u"Вызывает системного администратора и его кота, ой";
    std::u16string option;
    while (!cut(Question(u"Вопрос", option + letters[option.size() % letters.size()]), 1)) {
        option += letters[option.size() % letters.size()];
    }
    std::u16string question = u"Сколько";
    while (!cut(Question(question + u" байтов", u"А"), bank::kQuestionField)) {
        question += u" байтов";
    }
    const struct {
        const char* what;
        QuestionRecord question;
        int field;
        bool cut;
    } cases[] = {
        {"option just under the limit", Question(u"Вопрос", option), 1, false},
        {"option just over it",
         Question(u"Вопрос", option + letters[option.size() % letters.size()]), 1, true},
        {"question of exactly the lines shown", Question(question, u"А"), 0, false},
        {"question one line over", Question(question + u" байтов", u"А"), 0, true},
        {"40-letter word", Question(std::u16string(40, u'ж'), u"А"), 0, true},
        {"40-letter word in a sentence", Question(u"Это " + std::u16string(40, u'ж'), u"А"), 0,
         true},
    };
    for (const auto& c : cases) {
        const bool flagged = Flagged(bank::CheckQuestion(c.question, false, measure), c.field);
        QVERIFY2(cut(c.question, c.field) == c.cut, c.what);
        QVERIFY2(flagged == c.cut, c.what);
    }
}

}  // namespace vornikat::editor

QTEST_MAIN(vornikat::editor::FitCheckTest)
#include "fit_check_test.moc"
