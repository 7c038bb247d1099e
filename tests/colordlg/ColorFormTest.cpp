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

    // Every display after an RGB, grey, HTML or pick input shows what a plain showing of
    // the colour shows (whose numbers the chooser's widget test checks).
    static void ExpectDisplaysAgree(const ColorForm& form, ColorValue rgb) {
        ColorForm shown;
        shown.ShowColor(rgb, kNoColor);
        EXPECT_EQ(Displays(form), Displays(shown)) << ColorToHex(rgb, true);
        EXPECT_EQ(form.txtHTML.Text(), ColorToHex(rgb, true));
        EXPECT_FALSE(form.Syncing());
    }
    static std::vector<std::string> Displays(const ColorForm& form) {
        std::vector<std::string> displays;
        for (const TextField* field : {&form.txtR, &form.txtG, &form.txtB, &form.txtS, &form.txtH1,
                                       &form.txtS1, &form.txtL1, &form.txtHTML}) {
            displays.push_back(field->Text());
        }
        for (const Slider* slider : {&form.scrR, &form.scrG, &form.scrB, &form.scrS, &form.scrH1}) {
            displays.push_back(std::to_string(slider->Value()));
        }
        displays.push_back(std::to_string(form.picSW.Color()));
        return displays;
    }
};

TEST_F(ColorFormTest, HslScrollBarsKeepTheirNumbersAndDeriveTheColour) {
    ColorForm form;
    form.ShowColor(kBlack, kNoColor);
    form.scrS1.SetValue(240);
    form.scrL1.SetValue(120);
    form.scrH1.SetValue(160);
    EXPECT_EQ(form.txtH1.Text() + form.txtS1.Text() + form.txtL1.Text(), "160240120");
    EXPECT_EQ(form.pCol.Color(), RgbColor(0, 0, 255));

    // Typed HSL numbers stay as typed even where the round trip through RGB differs.
    form.txtH1.SetText("7");
    form.txtS1.SetText("13");
    form.txtL1.SetText("5");
    EXPECT_EQ(form.txtH1.Text() + form.txtS1.Text() + form.txtL1.Text(), "7135");
    EXPECT_EQ(form.pCol.Color(), HslScaledToRgb(7, 13, 5, 240));
}

TEST_F(ColorFormTest, TypedTextIsClampedAndCarriedThrough) {
    const struct {
        TextField ColorForm::*field;
        const char* typed;
        const char* shown;  // the field's text afterwards
        ColorValue color;   // from red 10, green 20, blue 30
    } cases[] = {{&ColorForm::txtR, "300", "255", RgbColor(255, 20, 30)},
                 {&ColorForm::txtG, "-", "0", RgbColor(10, 0, 30)},
                 {&ColorForm::txtB, " 4 0.5", "40", RgbColor(10, 20, 40)},
                 {&ColorForm::txtS, "999", "255", kWhite},
                 {&ColorForm::txtH1, "250", "240", HslScaledToRgb(240, 120, 19, 240)}};
    for (const auto& c : cases) {
        ColorForm form;
        form.ShowColor(RgbColor(10, 20, 30), kNoColor);
        (form.*c.field).SetText(c.typed);
        EXPECT_EQ((form.*c.field).Text(), c.shown) << c.typed;
        EXPECT_EQ(form.pCol.Color(), c.color) << c.typed;
    }
}

TEST_F(ColorFormTest, HtmlCodeAppliesAtSevenCharactersOrAtEnter) {
    ColorForm form;
    form.ShowColor(RgbColor(1, 2, 3), kNoColor);
    for (const char* partial : {"#", "#f", "#ff8", "#ff800", "1234567", "skyblue"}) {
        form.txtHTML.SetText(partial);
        EXPECT_EQ(form.pCol.Color(), RgbColor(1, 2, 3)) << partial;
    }
    form.txtHTML.SetText("#ff8000");
    ExpectDisplaysAgree(form, RgbColor(255, 128, 0));

    // On Enter any opaque CSS colour, and hex digits without "#" as ever.
    const std::pair<const char*, ColorValue> entered[] = {
        {"00ff00", RgbColor(0, 255, 0)},
        {"Red", RgbColor(255, 0, 0)},
        {"hsl(120 100% 25%)", RgbColor(0, 128, 0)}};
    for (const auto& [text, color] : entered) {
        form.ShowColor(RgbColor(1, 2, 3), kNoColor);
        form.txtHTML.SetText(text);
        form.ApplyHtml();
        EXPECT_TRUE(form.htmlRefusal.Text().empty()) << text;
        ExpectDisplaysAgree(form, color);
    }
}

TEST_F(ColorFormTest, HtmlTextThatIsNoColourIsRefusedAndTheColourStays) {
    ColorForm form;
    form.ShowColor(RgbColor(1, 2, 3), kNoColor);
    const std::pair<const char*, const char*> refused[] = {
        {"#12345", "Stelle 2"},   {"#GGGGGG", "Hexadezimalziffern"}, {"1234567", "Stelle 1"},
        {"rgb(1 2)", "Stelle 8"}, {"#ff000080", "durchscheinend"},   {"", "eine Farbe"}};
    for (const auto& [text, reason] : refused) {
        form.txtHTML.SetText(text);
        form.ApplyHtml();
        EXPECT_EQ(form.txtHTML.Text(), text);
        EXPECT_EQ(form.pCol.Color(), RgbColor(1, 2, 3)) << text;
        EXPECT_NE(form.htmlRefusal.Text().find(reason), std::string::npos)
            << text << ": " << form.htmlRefusal.Text();
    }
    form.txtHTML.SetText("#12345f");  // an edit ends the refusal
    EXPECT_TRUE(form.htmlRefusal.Text().empty());
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

TEST_F(ColorFormTest, PureRedDrawsTheFieldsAroundTheCurrentValues) {
    ColorForm form;
    form.ShowColor(RgbColor(255, 0, 0), kNoColor);
    const Raster& light = form.picFFL.Picture();
    EXPECT_EQ(light.PixelAt(5, 0), kBlack);
    EXPECT_EQ(light.PixelAt(5, 120), RgbColor(255, 0, 0));
    EXPECT_EQ(light.PixelAt(5, 239), HslScaledToRgb(0, 240, 239, 240));
    EXPECT_FLOAT_EQ(form.picFFL.MarkerTop() + HslField::kMarkerHeight / 2, 120.0f);

    const Raster& hue = form.picHFF.Picture();
    EXPECT_EQ(hue.PixelAt(0, 0), RgbColor(255, 0, 0));
    EXPECT_EQ(hue.PixelAt(16, 80), RgbColor(0, 255, 0));
    EXPECT_EQ(hue.PixelAt(16, 160), RgbColor(0, 0, 255));

    const Raster& sat = form.picFSF.Picture();
    EXPECT_EQ(sat.PixelAt(3, 0), RgbColor(128, 128, 128));
    EXPECT_FLOAT_EQ(form.picFSF.MarkerTop(), 240.0f - HslField::kMarkerHeight / 2);
}

TEST_F(ColorFormTest, ClicksSetTheValueAndDragsNeedTheLeftButtonAlone) {
    ColorForm form;
    form.ShowColor(RgbColor(255, 0, 0), kNoColor);
    const auto press = [&](HslComponent c, MouseButtons b, float y) {
        form.FieldMouse(c, MouseAction::kPress, b, 3.0f, y);
    };
    const auto move = [&](HslComponent c, MouseButtons b, float y) {
        form.FieldMouse(c, MouseAction::kMove, b, 3.0f, y);
    };
    press(HslComponent::kLightness, kLeftButton, 0.0f);
    EXPECT_EQ(form.txtL1.Text(), "0");
    EXPECT_EQ(form.pCol.Color(), kBlack);
    press(HslComponent::kLightness, kRightButton, 240.0f);  // the far edge counts
    EXPECT_EQ(form.txtL1.Text(), "240");
    press(HslComponent::kHue, kMiddleButton, 80.4f);
    EXPECT_EQ(form.txtH1.Text(), "80");

    move(HslComponent::kHue, kRightButton, 120.0f);
    move(HslComponent::kHue, kLeftButton | kRightButton, 120.0f);
    EXPECT_EQ(form.txtH1.Text(), "80");
    move(HslComponent::kHue, kLeftButton, 230.0f);
    move(HslComponent::kHue, kLeftButton, 260.0f);  // past the edge: the last value stays
    move(HslComponent::kHue, kLeftButton, -4.0f);
    form.FieldMouse(HslComponent::kHue, MouseAction::kMove, kLeftButton, 18.0f, 10.0f);
    EXPECT_EQ(form.txtH1.Text(), "230");
    EXPECT_FLOAT_EQ(form.picHFF.MarkerTop(), 230.0f - HslField::kMarkerHeight / 2);
}

TEST_F(ColorFormTest, AFieldOfOtherHeightScalesAndRoundsTheValue) {
    ColorForm::PictureSizes sizes;
    sizes.fieldHeight = 236;
    ColorForm form(sizes);
    form.ShowColor(RgbColor(255, 0, 0), kNoColor);
    form.FieldMouse(HslComponent::kSaturation, MouseAction::kPress, kLeftButton, 1.0f, 100.0f);
    EXPECT_EQ(form.txtS1.Text(), "102");  // 101.6949 rounded

    SetUserNumberFormat({',', '.'});
    form.FieldMouse(HslComponent::kSaturation, MouseAction::kPress, kLeftButton, 1.0f, 50.0f);
    EXPECT_EQ(form.txtS1.Text(), "50");  // "50,84746": the comma ends the leading number
    EXPECT_FLOAT_EQ(form.picFSF.MarkerTop(), 50.0f * 236.0f / 240.0f - 3.0f);
    EXPECT_EQ(FieldValueText(50.847458f), "50,84746");
}

TEST_F(ColorFormTest, StripsPickByClickAndByLeftDrag) {
    ColorForm form;
    const Raster& hue = form.Strip(PickStrip::kHue);
    const Raster& grey = form.Strip(PickStrip::kGrey);
    EXPECT_EQ(hue.PixelAt(0, 0), RgbColor(255, 0, 0));
    EXPECT_EQ(RgbToHsl(hue.PixelAt(0, hue.Height() - 1)).lightness, 0.5);
    EXPECT_EQ(grey.PixelAt(0, 0), kWhite);

    form.StripMouse(PickStrip::kHue, MouseAction::kPress, kRightButton, 4.0f, 0.0f);
    EXPECT_EQ(form.txtHTML.Text(), "#FF0000");
    form.StripMouse(PickStrip::kGrey, MouseAction::kPress, kLeftButton, 4.0f, 239.0f);
    EXPECT_EQ(form.pCol.Color(), kBlack);

    // The far edges count as inside, but no pixel lies there: nothing changes.
    form.StripMouse(PickStrip::kGrey, MouseAction::kPress, kLeftButton, 16.0f, 10.0f);
    form.StripMouse(PickStrip::kGrey, MouseAction::kPress, kLeftButton, 4.0f, 240.0f);
    form.StripMouse(PickStrip::kGrey, MouseAction::kMove, kRightButton, 4.0f, 10.0f);
    EXPECT_EQ(form.pCol.Color(), kBlack);

    form.StripMouse(PickStrip::kGrey, MouseAction::kMove, kLeftButton, 4.0f, 0.4f);
    EXPECT_EQ(form.pCol.Color(), kWhite);
    form.StripMouse(PickStrip::kHue, MouseAction::kMove, kLeftButton, 4.0f, 80.0f);
    EXPECT_EQ(form.txtH1.Text(), "80");
}

}  // namespace
}  // namespace tonzug
