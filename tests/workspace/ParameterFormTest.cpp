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
    EXPECT_FLOAT_EQ(probe.LastDraw().middlePercent, 25.0f);
}

TEST_F(ParameterFormTest, PercentIsClampedAndAnEmptyOneDrawsAtZero) {
    form.txtMid.SetText("150");
    EXPECT_EQ(form.txtMid.Text(), "100");
    EXPECT_EQ(form.txtM.Text(), "256");
    for (const GradientParams& drawn : probe.draws) {
        EXPECT_LE(drawn.middlePercent, 100.0f);
    }
    form.txtMid.SetText("");
    EXPECT_EQ(form.txtMid.Text(), "");
    EXPECT_FLOAT_EQ(probe.LastDraw().middlePercent, 0.0f);
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
    EXPECT_EQ(probe.LastDraw().middleBand, 128);
}

TEST_F(ParameterFormTest, MiddleBandCountsAsOneWhileTheMiddleColourIsOff) {
    form.txtMBR.SetText("7");
    EXPECT_EQ(probe.LastDraw().middleBand, 1);
    form.chkMid.SetValue(1);
    EXPECT_EQ(probe.LastDraw().middleBand, 7);
    EXPECT_EQ(probe.LastDraw().middleOn, -1);
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

}  // namespace
}  // namespace tonzug
