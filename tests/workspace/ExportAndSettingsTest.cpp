#include <gtest/gtest.h>

#include <tuple>

#include "support/Numbers.h"
#include "workspace/ExportParams.h"
#include "workspace/ParameterSettings.h"

namespace tonzug {
namespace {

class ExportAndSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { SetUserNumberFormat({'.', ','}); }

    bool Apply(std::string_view key, std::string_view value) {
        return ApplySetting(form, key, value, error);
    }

    ParameterForm form;
    std::string error;
};

TEST_F(ExportAndSettingsTest, ExportReadsTheFieldsUnclampedButKeepsTheCoveredMiddleBandAtOne) {
    form.txtMBR.SetText("5");
    form.txtMid.SetText("30");
    form.txtX.SetText("25.5");
    const GradientParams hidden = ReadExportParams(form);
    EXPECT_EQ(hidden.middleBand, 1);
    EXPECT_EQ(hidden.middleOn, 0);
    EXPECT_FLOAT_EQ(hidden.width, 25.5f);
    EXPECT_FLOAT_EQ(hidden.middlePercent, 30.0f);

    form.chkMid.SetValue(1);
    form.txtMBR.SetText("5");
    EXPECT_EQ(ReadExportParams(form).middleBand, 5);
    form.txtY.SetText("abc");
    EXPECT_EQ(ReadExportParams(form).height, 0.0f);
}

TEST_F(ExportAndSettingsTest, SettingsWriteControlsWithTheirChangeHandling) {
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

TEST_F(ExportAndSettingsTest, SettingsRefuseUnknownKeysAndBadValues) {
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
    EXPECT_EQ(form.OrientationIndex(), kVertical);
    EXPECT_EQ(form.colEnd.Color(), kBlack);
}

}  // namespace
}  // namespace tonzug
