#include "colordlg/ColorForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "color/ColorSpaces.h"
#include "color/ColorText.h"
#include "color/SystemColors.h"
#include "support/Numbers.h"

namespace tonzug {
namespace {

class ColorFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUserNumberFormat({'.', ','});
        ResetSystemColors();
    }

    // The colour every display must agree on after an RGB, grey, HTML or pick input.
    static void ExpectDisplaysAgree(const ColorForm& form, ColorValue rgb) {
        SCOPED_TRACE(ColorToHex(rgb, true));
        EXPECT_EQ(form.txtR.Text(), std::to_string(RedOf(rgb)));
        EXPECT_EQ(form.txtG.Text(), std::to_string(GreenOf(rgb)));
        EXPECT_EQ(form.txtB.Text(), std::to_string(BlueOf(rgb)));
        EXPECT_EQ(form.txtS.Text(), std::to_string(Luminance(rgb)));
        EXPECT_EQ(form.scrR.Value(), RedOf(rgb));
        EXPECT_EQ(form.scrG.Value(), GreenOf(rgb));
        EXPECT_EQ(form.scrB.Value(), BlueOf(rgb));
        EXPECT_EQ(form.scrS.Value(), Luminance(rgb));
        const HslColor hsl = RgbToHsl(rgb);
        EXPECT_EQ(form.txtH1.Text(), std::to_string(RoundHalfUp(hsl.hue / 360.0 * 240.0)));
        EXPECT_EQ(form.txtS1.Text(), std::to_string(RoundHalfUp(hsl.saturation * 240.0)));
        EXPECT_EQ(form.txtL1.Text(), std::to_string(RoundHalfUp(hsl.lightness * 240.0)));
        EXPECT_EQ(form.scrH1.Value(), RoundHalfUp(hsl.hue / 360.0 * 240.0));
        EXPECT_EQ(form.txtHTML.Text(), ColorToHex(rgb, true));
        EXPECT_EQ(form.picSW.Color(), RgbColor(Luminance(rgb), Luminance(rgb), Luminance(rgb)));
        EXPECT_FALSE(form.Syncing());
    }
};

TEST_F(ColorFormTest, HslScrollBarsKeepTheirNumbersAndDeriveTheColour) {
    ColorForm form;
    form.ShowColor(kBlack, kNoColor);
    form.scrS1.SetValue(240);
    form.scrL1.SetValue(120);
    form.scrH1.SetValue(160);
    EXPECT_EQ(form.txtH1.Text(), "160");
    EXPECT_EQ(form.txtS1.Text(), "240");
    EXPECT_EQ(form.txtL1.Text(), "120");
    EXPECT_EQ(form.txtHTML.Text(), "#0000FF");
    EXPECT_EQ(form.pCol.Color(), RgbColor(0, 0, 255));
    EXPECT_EQ(form.scrB.Value(), 255);

    // Typed HSL numbers stay as typed even where the round trip through RGB differs.
    form.txtH1.SetText("7");
    form.txtS1.SetText("13");
    form.txtL1.SetText("5");
    EXPECT_EQ(form.txtH1.Text(), "7");
    EXPECT_EQ(form.txtS1.Text(), "13");
    EXPECT_EQ(form.txtL1.Text(), "5");
    EXPECT_EQ(form.pCol.Color(), HslScaledToRgb(7, 13, 5, 240));
}

struct TypedText {
    const char* field;
    const char* typed;
    const char* shown;  // the field's text afterwards
    ColorValue color;   // from red 10, green 20, blue 30
};

class TypedTextTest : public ColorFormTest, public ::testing::WithParamInterface<TypedText> {};

TextField& FieldNamed(ColorForm& form, const std::string& name) {
    if (name == "R")
        return form.txtR;
    if (name == "G")
        return form.txtG;
    if (name == "B")
        return form.txtB;
    if (name == "S")
        return form.txtS;
    if (name == "H1")
        return form.txtH1;
    if (name == "S1")
        return form.txtS1;
    return form.txtL1;
}

TEST_P(TypedTextTest, TextIsClampedAndCarriedThrough) {
    const TypedText& c = GetParam();
    ColorForm form;
    form.ShowColor(RgbColor(10, 20, 30), kNoColor);
    FieldNamed(form, c.field).SetText(c.typed);
    EXPECT_EQ(FieldNamed(form, c.field).Text(), c.shown);
    EXPECT_EQ(form.pCol.Color(), c.color);
    EXPECT_FALSE(form.Syncing());
}

INSTANTIATE_TEST_SUITE_P(Inputs, TypedTextTest,
                         ::testing::Values(TypedText{"R", "300", "255", RgbColor(255, 20, 30)},
                                           TypedText{"R", "-", "0", RgbColor(0, 20, 30)},
                                           TypedText{"G", "", "0", RgbColor(10, 0, 30)},
                                           TypedText{"B", " 4 0.5", "40", RgbColor(10, 20, 40)},
                                           TypedText{"S", "999", "255", kWhite},
                                           TypedText{"H1", "250", "240",
                                                     HslScaledToRgb(240, 120, 19, 240)},
                                           TypedText{"L1", "1e9", "240", kWhite}));

TEST_F(ColorFormTest, GreyInputGivesThePureGreyAndItsSwatch) {
    ColorForm form;
    form.ShowColor(RgbColor(200, 10, 10), kNoColor);
    form.scrS.SetValue(128);
    ExpectDisplaysAgree(form, RgbColor(128, 128, 128));
    form.txtS.SetText("40");
    ExpectDisplaysAgree(form, RgbColor(40, 40, 40));
}

TEST_F(ColorFormTest, HtmlCodeAppliesAtSevenCharactersOrAtEnter) {
    ColorForm form;
    form.ShowColor(RgbColor(1, 2, 3), kNoColor);
    for (const char* partial : {"#", "#f", "#ff8", "#ff800"}) {
        form.txtHTML.SetText(partial);
        EXPECT_EQ(form.pCol.Color(), RgbColor(1, 2, 3)) << partial;
    }
    form.txtHTML.SetText("#ff8000");
    EXPECT_EQ(form.txtHTML.Text(), "#FF8000");
    ExpectDisplaysAgree(form, RgbColor(255, 128, 0));

    form.txtHTML.SetText("1234567");  // seven characters, no "#": black at once
    ExpectDisplaysAgree(form, kBlack);

    form.ShowColor(RgbColor(1, 2, 3), kNoColor);
    form.txtHTML.SetText("00ff00");  // a complete code without "#" waits for Enter
    EXPECT_EQ(form.pCol.Color(), RgbColor(1, 2, 3));
    form.ApplyHtml();
    ExpectDisplaysAgree(form, RgbColor(0, 255, 0));

    form.txtHTML.SetText("#ABC");
    form.ApplyHtml();
    ExpectDisplaysAgree(form, kBlack);

    form.ShowColor(RgbColor(1, 2, 3), kNoColor);
    form.txtHTML.SetText("#ÄÖÜ123");  // seven characters, though more bytes; Ä, Ö, Ü count 0
    EXPECT_EQ(form.txtHTML.Text(), "#000123");
}

TEST_F(ColorFormTest, EveryInputSettlesWithoutEndlessChains) {
    ColorForm form;
    int writes = 0;
    std::vector<tonzug::Subscription> subscriptions;
    for (TextField* field : {&form.txtR, &form.txtG, &form.txtB, &form.txtS, &form.txtH1,
                             &form.txtS1, &form.txtL1, &form.txtHTML}) {
        subscriptions.push_back(field->Observe([&writes] { ++writes; }));
    }
    form.ShowColor(RgbColor(12, 200, 99), kNoColor);
    const char* inputs[] = {"", "-", "+", "0", "255", "256", "-300", "12,5", "9e99", "abc", "240"};
    for (TextField* field : {&form.txtR, &form.txtS, &form.txtH1, &form.txtL1, &form.txtHTML}) {
        for (const char* text : inputs) {
            writes = 0;
            field->SetText(text);
            EXPECT_LT(writes, 40) << text;
            EXPECT_FALSE(form.Syncing());
        }
    }
    for (std::int32_t value : {0, 1, 128, 239, 240, 255}) {
        for (Slider* slider : {&form.scrR, &form.scrS, &form.scrH1, &form.scrS1, &form.scrL1}) {
            writes = 0;
            slider->SetValue(value);
            EXPECT_LT(writes, 40) << value;
        }
    }
}

TEST_F(ColorFormTest, StartColourAndResultFollowTheButtons) {
    ColorForm fresh;
    EXPECT_EQ(fresh.Result(), kNoColor);  // closed without a button
    EXPECT_FALSE(fresh.SetStartColor(0x01000000));
    EXPECT_FALSE(fresh.SetStartColor(SystemColor(99)));
    EXPECT_EQ(fresh.pCol.Color(), SystemColor(15));  // the design colour stays

    ColorForm form;
    ASSERT_TRUE(form.SetStartColor(SystemColor(1)));
    form.Initialize();
    const ColorValue desktop = TranslateColor(SystemColor(1));
    EXPECT_EQ(form.pCol.Color(), desktop);  // the reference is replaced by its RGB value
    ExpectDisplaysAgree(form, desktop);
    form.Accept();
    EXPECT_EQ(form.Result(), desktop);
    form.Cancel();
    EXPECT_EQ(form.Result(), kNoColor);

    form.ShowBackground();
    EXPECT_EQ(form.pCol.Color(), SystemColor(15));
    ExpectDisplaysAgree(form, TranslateColor(SystemColor(15)));
    form.Accept();
    EXPECT_EQ(form.Result(), TranslateColor(SystemColor(15)));
}

TEST_F(ColorFormTest, ListedSystemColourStaysAReferenceInThePreview) {
    ColorForm form;
    form.ShowColor(kWhite, kNoColor);
    SetSystemColor(15, RgbColor(1, 2, 3));
    form.ShowListedColor(" 197121 | -2147483633 ");
    EXPECT_EQ(form.pCol.Color(), SystemColor(15));
    ExpectDisplaysAgree(form, RgbColor(1, 2, 3));
    form.Accept();
    SetSystemColor(15, RgbColor(4, 5, 6));  // translated when chosen, not when clicked
    EXPECT_EQ(form.Result(), RgbColor(4, 5, 6));
}

TEST_F(ColorFormTest, NoColourChangesNothing) {
    ColorForm form;
    form.ShowColor(RgbColor(1, 2, 3), kNoColor);
    for (ColorValue bad : {kNoColor, 0x01000000, static_cast<ColorValue>(SystemColor(15))}) {
        form.ShowColor(bad, kNoColor);  // e.g. a screen pixel that cannot be read
        ExpectDisplaysAgree(form, RgbColor(1, 2, 3));
    }
    form.ApplySystemDialogColor(kNoColor);
    EXPECT_EQ(form.pCol.Color(), RgbColor(1, 2, 3));
    form.ApplySystemDialogColor(RgbColor(0, 128, 255));
    ExpectDisplaysAgree(form, RgbColor(0, 128, 255));
}

}  // namespace
}  // namespace tonzug
