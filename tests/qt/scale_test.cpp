// SPDX-License-Identifier: MIT
// The windows on scaled screens: text drawn by a scalable face, as large as the scale says,
// and the fonts following a window to a screen of another scale.
#include <QFontDatabase>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "fonts.hpp"
#include "front_end_harness.hpp"
#include "qt_text.hpp"

namespace vornikat::testing {
namespace {

// The rows of an image that hold text: pixels far darker than a button's face.
int InkHeight(const QImage& image, int margin) {
    int top = -1;
    int bottom = -1;
    for (int y = margin; y < image.height() - margin; ++y) {
        for (int x = margin; x < image.width() - margin; ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                top = top < 0 ? y : top;
                bottom = y;
                break;
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

// The caption drawn 1:1 at 96 dots per inch in the font a plain screen gets.
int PlainInkHeight(const QString& text) {
    QImage image(200, 60, QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    constexpr int kDotsPerMeterAt96Dpi = 3780;
    image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(MakeFont(DefaultFont(), TextScale{}));
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    painter.end();
    return InkHeight(image, 0);
}

bool DrawnScalable(const QWidget& widget) {
    const QFontInfo info = widget.fontInfo();
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}

QStringList UnscalableControls(const QWidget& window) {
    QStringList found;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty() && !DrawnScalable(*widget)) {
            found += widget->objectName();
        }
    }
    return found;
}

}  // namespace

class ScaleTest : public QObject {
    Q_OBJECT

  private:
    UnexpectedEnd process_;
    std::unique_ptr<FrontEndHarness> quiz_;

  private slots:
    void initTestCase() { AddClassicFonts(); }

    void init() {
        quiz_ = std::make_unique<FrontEndHarness>(process_);
        quiz_->StartAndPlay();
    }

    void cleanup() {
        quiz_->VerifyBoxesSettled();
        quiz_.reset();
    }

    // Run at a scale of 2 (QT_SCALE_FACTOR).
    void everyTextIsScalableAndTwiceAsTall() {
        MainWindow& main = quiz_->Main();
        QCOMPARE(main.devicePixelRatio(), 2.0);
        QCOMPARE(UnscalableControls(main), QStringList());
        QCOMPARE(UnscalableControls(quiz_->OpenAboutBox()), QStringList());

        auto& next = quiz_->Control<QPushButton>("Nxt");
        const QImage drawn = next.grab().toImage();
        const int doubled = InkHeight(drawn, 4 * 2);
        const int plain = PlainInkHeight(next.text());
        QVERIFY2(plain > 0 && doubled >= plain * 17 / 10 && doubled <= plain * 23 / 10,
                 qPrintable(QStringLiteral("«Дальше» is %1 pixels tall at scale 2, %2 at 1")
                                .arg(doubled)
                                .arg(plain)));
    }

    // The classic bitmap face serves a screen that draws it 1:1 alone: neither one of more
    // pixels per point (120 dots per inch) nor one of more device pixels per pixel.
    void bitmapFaceServesOnlyAPlainScreen() {
        const FontDesign design = DefaultFont();
        const QString face = ToQString(design.face);
        QVERIFY2(QFontDatabase::hasFamily(face) && !QFontDatabase::isSmoothlyScalable(face),
                 "the classic bitmap face is installed");
        QCOMPARE(MakeFont(design, TextScale{1.0, 96.0}).families().value(0), face);
        for (const TextScale scale : {TextScale{1.0, 120.0}, TextScale{2.0, 96.0},
                                      TextScale{1.0, 144.0}, TextScale{1.25, 96.0}}) {
            QVERIFY2(!MakeFont(design, scale).families().contains(face),
                     qPrintable(QStringLiteral("scale %1 at %2 dpi")
                                    .arg(scale.devicePixelRatio)
                                    .arg(scale.logicalDpi)));
        }
    }

    // Run on a plain screen beside a doubled one: the classic face serves only the first.
    void fontsFollowTheWindowToAnotherScale() {
        const QList<QScreen*> screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(screens[0]->devicePixelRatio(), 1.0);
        QCOMPARE(screens[1]->devicePixelRatio(), 2.0);
        MainWindow& main = quiz_->Main();
        for (int round = 0; round < 2; ++round) {
            main.windowHandle()->setScreen(screens[0]);
            QTRY_COMPARE(main.screen(), screens[0]);
            QVERIFY2(!DrawnScalable(quiz_->Control("Nxt")), "the classic bitmap face serves");

            main.windowHandle()->setScreen(screens[1]);
            QTRY_COMPARE(main.screen(), screens[1]);
            QCOMPARE(UnscalableControls(main), QStringList());
            QCOMPARE(quiz_->Control("LblT").font().pointSizeF(), 24.0);
        }
    }
};

}  // namespace vornikat::testing

QTEST_MAIN(vornikat::testing::ScaleTest)
#include "scale_test.moc"
