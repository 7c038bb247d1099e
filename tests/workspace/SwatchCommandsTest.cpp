#include "workspace/SwatchCommands.h"

#include <gtest/gtest.h>

#include "support/Numbers.h"
#include "workspace/FormProbe.h"

namespace tonzug {
namespace {

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

TEST(SwatchCommandsTest, CommandsChangeTheSwatchesAndRedrawOnce) {
    SetUserNumberFormat({'.', ','});
    ParameterForm form;
    testing::FormProbe probe(form);
    form.colMid.SetColor(RgbColor(128, 128, 128));
    probe.Clear();

    ShiftAllLightness(form, kDarkerStep);
    EXPECT_EQ(form.colStart.Color(), RgbColor(250, 250, 250));
    EXPECT_EQ(form.colMid.Color(), RgbColor(125, 125, 125));  // also while switched off
    EXPECT_EQ(probe.draws.size(), 1u);

    SwapColors(form);
    EXPECT_EQ(form.colStart.Color(), kBlack);
    EXPECT_EQ(probe.LastDraw().startColor, kBlack);
    EXPECT_EQ(probe.draws.size(), 2u);

    // A swatch announces its change like any control; a cancel changes nothing.
    ApplyChosenColor(form.colEnd, kNoColor);
    EXPECT_EQ(form.colEnd.Color(), RgbColor(250, 250, 250));
    EXPECT_EQ(probe.draws.size(), 2u);
    ApplyChosenColor(form.colEnd, RgbColor(1, 2, 3));
    EXPECT_EQ(probe.LastDraw().endColor, RgbColor(1, 2, 3));
    EXPECT_EQ(probe.draws.size(), 3u);
}

TEST(SwatchCommandsTest, SwappingTheSizeTurnsThePreviewAndResetCentresTheMiddle) {
    SetUserNumberFormat({'.', ','});
    ParameterForm form;
    testing::FormProbe probe(form);
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
