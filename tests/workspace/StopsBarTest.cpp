#include "workspace/StopsBar.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/Numbers.h"
#include "workspace/GradientEdit.h"
#include "workspace/ParameterFiles.h"

namespace tonzug {
namespace {

constexpr const char* kThreeColors = "linear-gradient(to right, #f00, #0f0 50%, #00f)";

struct EditCase {
    const char* name;
    std::function<void(StopsBar&)> edit;
    const char* gradient;  // "GRADIENT" after the edit
    const char* easing;
};

class StopsBarTest : public ::testing::TestWithParam<EditCase> {
  protected:
    void SetUp() override {
        SetUserNumberFormat({',', '.'});
        LoadDefaults(form);
        form.txtX.SetText("200");
        form.txtY.SetText("20");
        form.txtGradient.SetText(kThreeColors);
        bar.Refresh();
    }

    ParameterForm form;
    StopsBar bar{form};
};

TEST_P(StopsBarTest, EachEditEndsInTheFormsGradient) {
    GetParam().edit(bar);
    EXPECT_EQ(form.txtGradient.Text(), GetParam().gradient);
    EXPECT_EQ(form.txtEasing.Text(), GetParam().easing);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, StopsBarTest,
    ::testing::Values(
        EditCase{"AddTakesTheColourThere", [](StopsBar& b) { EXPECT_EQ(b.AddStop(0.25), 1u); },
                 "linear-gradient(to right in srgb, #ff0000, color(srgb 0.5 0.5 0) 25%, #00ff00 "
                 "50%, #0000ff)",
                 ""},
        EditCase{"MoveSnapsToAThousandth",
                 [](StopsBar& b) { b.MoveMarker(1, 0.80004, PlaceSnap::kFine); },
                 "linear-gradient(to right, #ff0000, #00ff00 80%, #0000ff)", ""},
        EditCase{"ShiftMoveSnapsToPercent",
                 [](StopsBar& b) { b.MoveMarker(1, 0.333, PlaceSnap::kPercent); },
                 "linear-gradient(to right, #ff0000, #00ff00 33%, #0000ff)", ""},
        EditCase{"PassingANeighbourSwapsPlaces",
                 [](StopsBar& b) { EXPECT_EQ(b.MoveMarker(0, 0.7, PlaceSnap::kFine), 1u); },
                 "linear-gradient(to right, #00ff00 50%, #ff0000 70%, #0000ff)", ""},
        EditCase{"NudgeMovesByPixels", [](StopsBar& b) { b.NudgeMarker(1, 10.0); },
                 "linear-gradient(to right, #ff0000, #00ff00 55%, #0000ff)", ""},
        EditCase{"RemoveKeepsTwo",
                 [](StopsBar& b) {
                     EXPECT_TRUE(b.RemoveMarker(1));
                     EXPECT_FALSE(b.RemoveMarker(0));
                 },
                 "linear-gradient(to right, #ff0000, #0000ff)", ""},
        // A hint keeps its segment's easing: two straight pieces, as GIMP draws them.
        EditCase{"HintAndEasing",
                 [](StopsBar& b) {
                     b.MoveHint(1, 0.6);
                     b.SetEasing(0, Easing::kSine);
                 },
                 "linear-gradient(to right, #ff0000, #00ff00 50%, 60%, #0000ff)", "sine,linear"},
        EditCase{"HardBandHoldsTheColourToTheNext", [](StopsBar& b) { b.MakeHardBand(0); },
                 "linear-gradient(to right, #ff0000 0% 50%, #00ff00 50%, #0000ff)", ""},
        EditCase{"ColourOfAMarker",
                 [](StopsBar& b) {
                     b.SetMarkerColor(2, {1.0, 1.0, 1.0});
                 },
                 "linear-gradient(to right, #ff0000, #00ff00 50%, #ffffff)", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StopsBarModelTest, ABandIsOneMarkerAndScreenReadersHearPlaceAndColour) {
    SetUserNumberFormat({',', '.'});
    ParameterForm form;
    LoadDefaults(form);
    form.txtGradient.SetText("linear-gradient(to right, #ff8000 0 30%, #0000ff80 40.5%)");
    StopsBar bar(form);
    bar.Refresh();
    ASSERT_EQ(bar.Markers().size(), 2u);
    EXPECT_TRUE(bar.Markers()[0].IsBand());
    const StopsBar::MarkerFacts band = bar.SpokenFacts(0);
    EXPECT_EQ(band.color + band.place + band.bandEnd.value_or("-") + band.opacity.value_or("-"),
              "#FF80000 %30 %-");
    const StopsBar::MarkerFacts clear = bar.SpokenFacts(1);
    EXPECT_EQ(clear.color + clear.place + clear.bandEnd.value_or("-") + clear.opacity.value_or("-"),
              "#0000FF40,5 %-50,2 %");
    ASSERT_EQ(bar.Hints().size(), 1u);
    EXPECT_DOUBLE_EQ(bar.Hints()[0].place, 0.3525);
}

TEST(StopsBarModelTest, AClassicSetStaysClassicWhileItsFieldsCanHoldTheEdit) {
    ParameterForm form;
    LoadDefaults(form);
    StopsBar bar(form);
    bar.Refresh();
    bar.MoveHint(bar.Hints()[0].segment, 0.3);
    EXPECT_FALSE(HoldsFreeGradient(form));
    EXPECT_EQ(form.txtMid.Text(), "30");
    bar.NudgeMarker(0, 1.0);
    EXPECT_FALSE(HoldsFreeGradient(form));
    EXPECT_EQ(form.txtSBR.Text(), "2");
    bar.AddStop(0.9);
    EXPECT_TRUE(HoldsFreeGradient(form));
}

}  // namespace
}  // namespace tonzug
