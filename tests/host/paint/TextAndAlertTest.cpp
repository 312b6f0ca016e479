// Text as the host's windows fit it (a name cut to end in "…", words wrapped
// to a width) and the host's alert laid out, hit and answered by keys.
#include "paint/Drawing.h"
#include "paint/HitTest.h"
#include "paint/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using host::ui::Key;

class WidthMeasure final : public host::paint::TextMeasure {
public:
    double TextWidth(const std::string& text, const host::paint::Font&) override {
        double width = 0;
        for (unsigned char c : text)
            width += (c & 0xc0) == 0x80 ? 0 : 5;
        return width;
    }
};

TEST(FitTextTest, CutsAtACharacterAndEndsInAnEllipsis) {
    WidthMeasure measure;
    const host::paint::Font font;
    EXPECT_EQ(host::paint::FitText(measure, "Layers", font, 30), "Layers");
    EXPECT_EQ(host::paint::FitText(measure, "Swatches", font, 30), "Swatc\xE2\x80\xA6");
    EXPECT_EQ(host::paint::FitText(measure, "Ab c\xC3\xA9t\xC3\xA9", font, 25), "Ab c\xE2\x80\xA6");
    EXPECT_EQ(host::paint::FitText(measure, "Ab \xC3\xA9t\xC3\xA9", font, 20), "Ab\xE2\x80\xA6");
}

TEST(AlertLookTest, WrapsItsText_OffersTheCheckBox_AndAnswersKeys) {
    WidthMeasure measure; // 5 pixels a character
    const std::string text(30, 'a');
    const auto lines = host::paint::WrapText(measure, "one two three four", {}, 45);
    EXPECT_EQ(lines, (std::vector<std::string>{"one two", "three", "four"}));
    EXPECT_EQ(host::paint::WrapText(measure, text, {}, 45), std::vector<std::string>{text});
    EXPECT_EQ(host::paint::WrapText(measure, "a\n\nb", {}, 45),
              (std::vector<std::string>{"a", "", "b"}));

    const std::string words = "The transparency will be applied to currently closed or stashed "
                              "panels (grayed items in the list) as they become active.";
    const auto plain = host::paint::LayOutAlert(measure, words, false);
    const auto offered = host::paint::LayOutAlert(measure, words, true);
    EXPECT_EQ(plain.title, host::paint::kApplicationName);
    EXPECT_GT(plain.lines.size(), 1u);
    EXPECT_EQ(plain.check.width, 0);
    EXPECT_GT(offered.check.width, 0);
    EXPECT_LE(offered.text.Bottom(), offered.ok.y);
    EXPECT_LE(offered.checkLabel.Right(), offered.ok.x);
    EXPECT_LE(offered.ok.Bottom(), offered.height);
    using Part = host::paint::AlertPart;
    EXPECT_EQ(host::paint::AlertHitTest(offered, {offered.ok.x + 2, offered.ok.y + 2}), Part::kOK);
    EXPECT_EQ(host::paint::AlertHitTest(offered, {offered.checkLabel.x + 2, offered.check.y + 2}),
              Part::kCheck);
    EXPECT_EQ(host::paint::AlertHitTest(offered, {5, 5}), Part::kTitle);
    EXPECT_EQ(host::paint::AlertHitTest(plain, {plain.check.x + 1, plain.ok.y + 4}),
              Part::kNothing);

    host::paint::AlertState state;
    const auto key = [](Key::Code code) { return Key{code, {}, false, false}; };
    EXPECT_FALSE(host::paint::AlertKey(offered, state, key(Key::Code::kTab)));
    EXPECT_EQ(state.focus, 1);
    EXPECT_FALSE(host::paint::AlertKey(offered, state, key(Key::Code::kSpace)));
    EXPECT_TRUE(state.checked);
    EXPECT_TRUE(host::paint::AlertKey(offered, state, key(Key::Code::kEscape)));
    EXPECT_TRUE(host::paint::AlertKey(plain, state, key(Key::Code::kEnter)));
}

} // namespace
