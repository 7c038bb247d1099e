#include <gtest/gtest.h>

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
}

TEST_F(ExportAndSettingsTest, SettingsRefuseUnknownKeysAndBadValues) {
    const std::pair<const char*, const char*> bad[] = {
        {"WIDTH", "5"},       {"OPT", "3"},     {"OPT", "x"},   {"STCOL", "#12345"},
        {"STCOL", "#GG0000"}, {"EDCOL", "red"}, {"MDCOL", "-5"}};
    for (const auto& [key, value] : bad) {
        error.clear();
        EXPECT_FALSE(Apply(key, value)) << key << "=" << value;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(form.OrientationIndex(), kVertical);
    EXPECT_EQ(form.colEnd.Color(), kBlack);
}

}  // namespace
}  // namespace tonzug
