#include "workspace/ParameterForm.h"

#include <gtest/gtest.h>

#include "support/Numbers.h"
#include "workspace/FormProbe.h"
#include "workspace/ParameterFiles.h"

namespace tonzug {
namespace {

using testing::FormProbe;

class ParameterFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUserNumberFormat({'.', ','});
        LoadDefaults(form);
        probe.Clear();
    }

    ParameterForm form;
    FormProbe probe{form};
};

TEST_F(ParameterFormTest, SliderPercentAndPixelFieldFollowEachOther) {
    form.scrM.SetValue(30);
    EXPECT_EQ(form.txtMid.Text(), "30");
    EXPECT_EQ(form.txtM.Text(), "76");  // 30 / 100 * 256 = 76.8, truncated

    form.txtM.SetText("64");
    EXPECT_EQ(form.txtMid.Text(), "25");
    EXPECT_EQ(form.scrM.Value(), 25);
    ASSERT_FALSE(probe.draws.empty());
    EXPECT_FLOAT_EQ(probe.LastDraw().middlePercent, 25.0f);
}

TEST_F(ParameterFormTest, PercentAboveHundredIsClampedAndWrittenBack) {
    form.txtMid.SetText("150");
    EXPECT_EQ(form.txtMid.Text(), "100");
    EXPECT_EQ(form.scrM.Value(), 100);
    EXPECT_EQ(form.txtM.Text(), "256");
    EXPECT_FLOAT_EQ(probe.LastDraw().middlePercent, 100.0f);
    for (const GradientParams& drawn : probe.draws) {
        EXPECT_LE(drawn.middlePercent, 100.0f);
    }
}

TEST_F(ParameterFormTest, EmptyPercentDrawsAtZeroAndStaysEmpty) {
    form.txtMid.SetText("");
    EXPECT_EQ(form.txtMid.Text(), "");
    EXPECT_FLOAT_EQ(probe.LastDraw().middlePercent, 0.0f);
    EXPECT_EQ(form.scrM.Value(), 50);  // an unreadable percent leaves the slider alone
}

TEST_F(ParameterFormTest, BandsAreClampedToTheGradientLength) {
    form.chkMid.SetValue(1);
    form.txtSBR.SetText("200");
    EXPECT_EQ(form.txtSBR.Text(), "85");
    form.txtMBR.SetText("200");
    EXPECT_EQ(form.txtMBR.Text(), "128");
    form.txtEBR.SetText("-3");
    EXPECT_EQ(form.txtEBR.Text(), "1");
    form.txtSBR.SetText("0");
    EXPECT_EQ(form.txtSBR.Text(), "1");
    EXPECT_EQ(probe.LastDraw().middleBand, 128);
}

TEST_F(ParameterFormTest, MiddleBandCountsAsOneWhileTheMiddleColourIsOff) {
    form.txtMBR.SetText("7");
    EXPECT_EQ(form.txtMBR.Text(), "7");
    EXPECT_EQ(probe.LastDraw().middleBand, 1);
    form.chkMid.SetValue(1);
    EXPECT_EQ(probe.LastDraw().middleBand, 7);
    EXPECT_EQ(probe.LastDraw().middleOn, -1);
}

TEST_F(ParameterFormTest, ShortGradientsSettleWithBandsOfOne) {
    for (const char* height : {"2", "1", "0", "-5", ""}) {
        SCOPED_TRACE(height);
        form.txtY.SetText("300");
        form.txtSBR.SetText("4");
        form.txtMBR.SetText("4");
        form.txtEBR.SetText("4");
        form.chkMid.SetValue(1);
        probe.Clear();
        form.txtY.SetText(height);
        EXPECT_LT(probe.draws.size(), 20u);
        EXPECT_EQ(form.txtSBR.Text(), "1");
        EXPECT_EQ(form.txtMBR.Text(), "1");
        EXPECT_EQ(form.txtEBR.Text(), "1");
        const GradientParams& drawn = probe.LastDraw();
        EXPECT_EQ(drawn.startBand, 1);
        EXPECT_EQ(drawn.endBand, 1);
    }
}

TEST_F(ParameterFormTest, EveryKeystrokeOfASizeRedrawsAndLaysOut) {
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
    EXPECT_EQ(probe.LastDraw().orientation, kHorizontal);
}

TEST_F(ParameterFormTest, PixelFieldIsIgnoredWhileTheLengthIsZero) {
    form.optV.Select(kHorizontal);
    form.txtX.SetText("0");
    form.txtM.SetText("40");
    EXPECT_EQ(form.txtMid.Text(), "50");
}

TEST_F(ParameterFormTest, EqualWritesRaiseNothingAndRefusedValuesChangeNothing) {
    form.txtX.SetText("25");
    form.optV.Select(kVertical);
    form.chkMid.SetValue(0);
    EXPECT_TRUE(probe.draws.empty());
    EXPECT_FALSE(form.chkMid.SetValue(5));
    EXPECT_FALSE(form.optV.Select(7));
    EXPECT_FALSE(form.scrM.SetValue(101));
    EXPECT_FALSE(form.colStart.SetColor(SystemColor(999)));
    EXPECT_EQ(form.colStart.Color(), kWhite);
    EXPECT_TRUE(probe.draws.empty());
}

TEST_F(ParameterFormTest, SwitchAndColourModeUpdateTheMiddleControlsThenRedraw) {
    form.chkMid.SetValue(1);
    form.optF.Select(kModeHsl);
    EXPECT_EQ(probe.midUpdates, 2);
    EXPECT_EQ(probe.draws.size(), 2u);
    EXPECT_EQ(probe.LastDraw().colorMode, kModeHsl);
}

TEST(GradientLengthTest, CircleUsesTheRoundedCornerRadius) {
    EXPECT_EQ(GradientLength(kCircle, 25, 256), 129);
    EXPECT_EQ(GradientLength(kCircle, 256, 256), 181);
    EXPECT_EQ(GradientLength(kCircle, 100, 50), 56);
    EXPECT_EQ(GradientLength(7, 100, 50), 0);
}

}  // namespace
}  // namespace tonzug
