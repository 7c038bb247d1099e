#include "workspace/ParameterForm.h"

#include <gtest/gtest.h>

#include <tuple>

#include "color/SystemColors.h"
#include "support/Numbers.h"
#include "workspace/ExportParams.h"
#include "workspace/FormProbe.h"
#include "workspace/ParameterFiles.h"
#include "workspace/ParameterSettings.h"
#include "workspace/SwatchCommands.h"

namespace tonzug {
namespace {

using enum Orientation;

using testing::FormProbe;

class ParameterFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUserNumberFormat({'.', ','});
        LoadDefaults(form);
        probe.Clear();
    }

    bool Apply(std::string_view key, std::string_view value) {
        return ApplySetting(form, key, value, error);
    }

    ParameterForm form;
    FormProbe probe{form};
    std::string error;
};

TEST_F(ParameterFormTest, SliderPercentAndPixelFieldFollowEachOther) {
    form.scrM.SetValue(30);
    EXPECT_EQ(form.txtMid.Text(), "30");
    EXPECT_EQ(form.txtM.Text(), "76");  // 30 / 100 * 256 = 76.8, truncated
    form.txtM.SetText("64");
    EXPECT_EQ(form.txtMid.Text(), "25");
    EXPECT_EQ(form.scrM.Value(), 25);
    EXPECT_FLOAT_EQ(probe.LastDraw().colors.middlePercent, 25.0f);
}

TEST_F(ParameterFormTest, PercentIsClampedAndAnEmptyOneDrawsAtZero) {
    form.txtMid.SetText("150");
    EXPECT_EQ(form.txtMid.Text(), "100");
    EXPECT_EQ(form.txtM.Text(), "256");
    for (const GradientParams& drawn : probe.draws) {
        EXPECT_LE(drawn.colors.middlePercent, 100.0f);
    }
    form.txtMid.SetText("");
    EXPECT_EQ(form.txtMid.Text(), "");
    EXPECT_FLOAT_EQ(probe.LastDraw().colors.middlePercent, 0.0f);
    EXPECT_EQ(form.scrM.Value(), 100);  // an unreadable percent leaves the slider alone
}

// 25 x 256, upright: the start and end bands end at a third, the middle band at half.
TEST_F(ParameterFormTest, BandsAreClampedToTheGradientLength) {
    form.chkMid.SetValue(1);
    const struct {
        TextField ParameterForm::*field;
        const char* typed;
        const char* expected;
    } cases[] = {{&ParameterForm::txtSBR, "86", "85"},
                 {&ParameterForm::txtMBR, "129", "128"},
                 {&ParameterForm::txtMBR, "128", "128"},
                 {&ParameterForm::txtEBR, "86", "85"},
                 {&ParameterForm::txtEBR, "-3", "1"}};
    for (const auto& c : cases) {
        (form.*c.field).SetText(c.typed);
        EXPECT_EQ((form.*c.field).Text(), c.expected) << c.typed;
    }
    EXPECT_EQ(probe.LastDraw().colors.bands.middle, 128);
}

TEST_F(ParameterFormTest, MiddleBandCountsAsOneWhileTheMiddleColourIsOff) {
    form.txtMBR.SetText("7");
    EXPECT_EQ(probe.LastDraw().colors.bands.middle, 1);
    form.chkMid.SetValue(1);
    EXPECT_EQ(probe.LastDraw().colors.bands.middle, 7);
    EXPECT_TRUE(probe.LastDraw().colors.middleOn);
}

TEST_F(ParameterFormTest, ShortGradientsSettleWithBandsOfOne) {
    for (const char* height : {"2", ""}) {
        SCOPED_TRACE(height);
        form.txtY.SetText("300");
        for (TextField* band : {&form.txtSBR, &form.txtMBR, &form.txtEBR}) {
            band->SetText("4");
        }
        form.chkMid.SetValue(1);
        probe.Clear();
        form.txtY.SetText(height);
        EXPECT_LT(probe.draws.size(), 20u);
        for (TextField* band : {&form.txtSBR, &form.txtMBR, &form.txtEBR}) {
            EXPECT_EQ(band->Text(), "1");
        }
    }
}

TEST_F(ParameterFormTest, EveryKeystrokeOfASizeRedrawsAndLaysOutOnce) {
    for (const char* text : {"3", "30", "300"}) {
        probe.Clear();
        form.txtX.SetText(text);
        EXPECT_EQ(probe.layouts, 1);
        EXPECT_EQ(probe.draws.size(), 1u);
        EXPECT_FLOAT_EQ(probe.LastDraw().width, std::stof(text));
    }
}

TEST_F(ParameterFormTest, OrientationRecomputesThePixelPosition) {
    form.optV.Select(kCircle);  // 25 x 256: radius of 12 and 128 is 129
    EXPECT_EQ(form.txtM.Text(), "64");
    form.optV.Select(kHorizontal);
    EXPECT_EQ(form.txtM.Text(), "12");
    EXPECT_EQ(probe.draws.size(), 2u);
    form.txtX.SetText("0");
    form.txtM.SetText("40");  // no length: the pixel field changes no percent
    EXPECT_EQ(form.txtMid.Text(), "50");
}

TEST_F(ParameterFormTest, EqualWritesRaiseNothingAndRefusedValuesChangeNothing) {
    form.txtX.SetText("25");
    form.optV.Select(kVertical);
    EXPECT_FALSE(form.chkMid.SetValue(5));
    EXPECT_FALSE(form.optV.Select(7));
    EXPECT_FALSE(form.scrM.SetValue(101));
    EXPECT_FALSE(form.colStart.SetColor(SystemColor(999)));
    EXPECT_TRUE(probe.draws.empty());
}

TEST_F(ParameterFormTest, ExportReadsTheFieldsUnclampedButKeepsTheCoveredMiddleBandAtOne) {
    form.txtMBR.SetText("5");
    form.txtMid.SetText("30");
    form.txtX.SetText("25.5");
    const GradientParams hidden = ReadExportParams(form);
    EXPECT_EQ(hidden.colors.bands.middle, 1);
    EXPECT_FALSE(hidden.colors.middleOn);
    EXPECT_FLOAT_EQ(hidden.width, 25.5f);
    EXPECT_FLOAT_EQ(hidden.colors.middlePercent, 30.0f);

    form.chkMid.SetValue(1);
    form.txtMBR.SetText("5");
    EXPECT_EQ(ReadExportParams(form).colors.bands.middle, 5);
    form.txtY.SetText("abc");
    EXPECT_EQ(ReadExportParams(form).height, 0.0f);
}

TEST_F(ParameterFormTest, SettingsWriteControlsWithTheirChangeHandling) {
    ASSERT_TRUE(Apply("opt", "2")) << error;
    ASSERT_TRUE(Apply("x", " 256 ")) << error;
    EXPECT_EQ(form.txtM.Text(), "90");  // 50 % of the radius 181
    ASSERT_TRUE(Apply("stcol", "#FF8000")) << error;
    EXPECT_EQ(form.colStart.Color(), 0x0080FF);
    ASSERT_TRUE(Apply("EDCOL", "255")) << error;
    EXPECT_EQ(form.colEnd.Color(), 0x0000FF);
    ASSERT_TRUE(Apply("MDCOL", "hsl(120, 100%, 25%)")) << error;
    EXPECT_EQ(form.colMid.Color(), 0x008000);
}

TEST_F(ParameterFormTest, SettingsRefuseUnknownKeysAndBadValues) {
    const std::tuple<const char*, const char*, const char*> bad[] = {
        {"WIDTH", "5", "unknown key"},
        {"OPT", "3", "expected 0 to 2"},
        {"OPT", "x", "expected 0 to 2"},
        {"HUE", "7", "expected 0 to 4"},
        {"FRB", "-1", "expected 0 to 3"},
        {"DITHER", "2", "expected 0 or 1"},
        {"DEPTH", "12", "expected 8 or 16"},
        {"STCOL", "#12345", "hex digits at character 2"},
        {"STCOL", "#GG0000", "hex digits at character 2"},
        {"EDCOL", "rgb(1 2 3 / 0.5)", "transparent"},
        {"EDCOL", "16777216", "a colour value 0 to 16777215"},
        {"MDCOL", "-5", "a colour value 0 to 16777215"}};
    for (const auto& [key, value, reason] : bad) {
        error.clear();
        EXPECT_FALSE(Apply(key, value)) << key << "=" << value;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
    EXPECT_EQ(form.SelectedOrientation(), kVertical);
    EXPECT_EQ(form.colEnd.Color(), kBlack);
}

struct LightnessCase {
    ColorValue color;
    ColorValue darker;
    ColorValue lighter;
};

TEST(SwatchCommandsTest, OneLightnessStepMovesTheChannelsAsExpected) {
    const LightnessCase cases[] = {
        {RgbColor(128, 128, 128), RgbColor(125, 125, 125), RgbColor(131, 131, 131)},
        {kWhite, RgbColor(250, 250, 250), kWhite},
        {kBlack, kBlack, kBlack},
        {RgbColor(255, 0, 0), RgbColor(250, 0, 0), RgbColor(255, 5, 5)},
    };
    for (const LightnessCase& c : cases) {
        EXPECT_EQ(ShiftLightness(c.color, kDarkerStep), c.darker) << c.color;
        EXPECT_EQ(ShiftLightness(c.color, kLighterStep), c.lighter) << c.color;
    }
}

TEST_F(ParameterFormTest, CommandsChangeTheSwatchesAndRedrawOnce) {
    form.colMid.SetColor(RgbColor(128, 128, 128));
    probe.Clear();

    ShiftAllLightness(form, kDarkerStep);
    EXPECT_EQ(form.colStart.Color(), RgbColor(250, 250, 250));
    EXPECT_EQ(form.colMid.Color(), RgbColor(125, 125, 125));  // also while switched off
    EXPECT_EQ(probe.draws.size(), 1u);

    SwapColors(form);
    EXPECT_EQ(form.colStart.Color(), kBlack);
    EXPECT_EQ(probe.LastDraw().colors.start, kBlack);
    EXPECT_EQ(probe.draws.size(), 2u);

    // A swatch announces its change like any control; a cancel changes nothing.
    ApplyChosenColor(form.colEnd, kNoColor);
    EXPECT_EQ(form.colEnd.Color(), RgbColor(250, 250, 250));
    EXPECT_EQ(probe.draws.size(), 2u);
    ApplyChosenColor(form.colEnd, RgbColor(1, 2, 3));
    EXPECT_EQ(probe.LastDraw().colors.end, RgbColor(1, 2, 3));
    EXPECT_EQ(probe.draws.size(), 3u);

    // A system colour is drawn, and made darker, as the desktop's colour it stands for.
    const ColorValue face = TranslateColor(SystemColor(15));
    ApplyChosenColor(form.colStart, SystemColor(15));
    EXPECT_EQ(probe.LastDraw().colors.start, face);
    ShiftAllLightness(form, kDarkerStep);
    EXPECT_EQ(form.colStart.Color(), ShiftLightness(face, kDarkerStep));
}

TEST_F(ParameterFormTest, SwappingTheSizeTurnsThePreviewAndResetCentresTheMiddle) {
    form.txtMid.SetText("10");
    SwapWidthAndHeight(form);
    EXPECT_EQ(form.txtX.Text(), "256");
    EXPECT_EQ(probe.layouts, 2);
    EXPECT_EQ(form.txtM.Text(), "2");  // vertical: 10 % of 25

    ResetMiddlePosition(form);
    EXPECT_EQ(form.scrM.Value(), 50);
    EXPECT_EQ(form.txtM.Text(), "12");
}

}  // namespace
}  // namespace tonzug
