#include <gtest/gtest.h>
#include "color/ColorSpaces.h"
#include "colordlg/ColorForm.h"
#include "support/Numbers.h"

namespace tonzug {
namespace {

class HslFieldsTest : public ::testing::Test {
  protected:
    void SetUp() override { SetUserNumberFormat({'.', ','}); }
};

TEST_F(HslFieldsTest, PureRedDrawsTheFieldsAroundTheCurrentValues) {
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

TEST_F(HslFieldsTest, ClicksSetTheValueAndDragsNeedTheLeftButtonAlone) {
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

TEST_F(HslFieldsTest, AFieldOfOtherHeightScalesAndRoundsTheValue) {
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

TEST_F(HslFieldsTest, StripsPickByClickAndByLeftDrag) {
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
