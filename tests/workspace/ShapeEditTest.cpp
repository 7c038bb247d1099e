#include "workspace/ShapeEdit.h"

#include <gtest/gtest.h>

#include <string>

#include "web/CssGradientReader.h"
#include "web/CssGradientText.h"

namespace tonzug {
namespace {

FreeGradient Read(const std::string& css) {
    return ReadCssGradient(css).gradient.value();
}

// A drag from the centre points the way CSS counts angles, clockwise from up; angles written
// are brought into one turn at a hundredth of a degree.
TEST(ShapeEditTest, AnglesFollowTheDragAndStayWithinOneTurn) {
    struct Case {
        double x, y, degrees;
    };
    for (const Case& drag : {Case{50, 0, 0}, Case{100, 50, 90}, Case{50, 100, 180},
                             Case{0, 50, 270}, Case{100, 0, 45}, Case{50, 50, 0}}) {
        EXPECT_DOUBLE_EQ(DragAngle(50, 50, drag.x, drag.y), drag.degrees)
            << drag.x << "," << drag.y;
    }
    FreeGradient linear = Read("linear-gradient(to top right, red, blue)");
    // On a box twice as wide as high the line to the corner is steeper: 26.57 degrees.
    EXPECT_NEAR(ShapeAngle(linear, 200, 100), 26.57, 0.01);
    for (const auto& [written, kept] : {std::pair{-90.0, 270.0}, {360.004, 0.0}, {725.126, 5.13}}) {
        SetShapeAngle(linear, written);
        EXPECT_DOUBLE_EQ(ShapeAngle(linear, 200, 100), kept) << written;
    }
    EXPECT_EQ(CssGradientText(linear, 100), "linear-gradient(5.13deg, #ff0000, #0000ff)");
}

// Switching shapes keeps what the shapes share: the angle from linear to conic, the centre
// between radial and conic; a circle cannot keep radii in percent.
TEST(ShapeEditTest, AnotherShapeKeepsWhatTheShapesShare) {
    FreeGradient gradient = Read("linear-gradient(30deg, red, blue)");
    SetShapeChoice(gradient, ShapeChoice::kConic);
    EXPECT_EQ(CssGradientText(gradient, 100), "conic-gradient(from 30deg, #ff0000, #0000ff)");
    SetShapeCentre(gradient, {25.0, 300.0});
    SetShapeChoice(gradient, ShapeChoice::kEllipse);
    EXPECT_EQ(CssGradientText(gradient, 100), "radial-gradient(at 25% 200%, #ff0000, #0000ff)");
    EXPECT_FALSE(HasAngle(gradient));
    EXPECT_TRUE(HasCentre(gradient));

    gradient = Read("radial-gradient(40% 20% at 10px 50%, red, blue)");
    EXPECT_EQ(ShapeExtent(gradient), RadialExtent::kFarthestCorner);
    EXPECT_DOUBLE_EQ(ShapeCentre(gradient, 200, 100).x, 5.0);
    SetShapeChoice(gradient, ShapeChoice::kCircle);
    SetShapeExtent(gradient, RadialExtent::kClosestSide);
    EXPECT_EQ(CssGradientText(gradient, 100),
              "radial-gradient(circle closest-side at 10px 50%, #ff0000, #0000ff)");
}

TEST(ShapeEditTest, TheClassicModesComeFirst) {
    EXPECT_EQ(SpaceOptionIndex(InterpolationSpace::kSrgb), 0);
    EXPECT_EQ(SpaceOptionIndex(InterpolationSpace::kOklch), kClassicSpaceOptions - 1);
    EXPECT_EQ(SpaceOptionIndex(InterpolationSpace::kHwb), 13);
}

}  // namespace
}  // namespace tonzug
