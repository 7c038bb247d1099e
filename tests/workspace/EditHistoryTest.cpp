#include "workspace/EditHistory.h"

#include <gtest/gtest.h>

#include "support/Numbers.h"
#include "workspace/FormProbe.h"
#include "workspace/ParameterFiles.h"

namespace tonzug {
namespace {

using testing::FormProbe;

class EditHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUserNumberFormat({'.', ','});
        LoadDefaults(form);
    }

    // The user types `text` into the field keystroke by keystroke, as the window records
    // after each.
    void Type(TextField& field, const std::string& text) {
        for (std::size_t length = 1; length <= text.size(); ++length) {
            field.Type(text.substr(0, length));
            history.Record();
        }
    }

    ParameterForm form;
    FormProbe probe{form};
    EditHistory history{form};
};

// Typing into a field is one step, the clamps at its end included; undo brings back every
// control as it was, the ones the cascade moved too, and redo the typed state.
TEST_F(EditHistoryTest, TypingIsOneStepAndUndoRestoresTheWholeForm) {
    const FormState before = CaptureState(form);
    Type(form.txtY, "2000");
    form.txtY.FinishEdit();  // the focus goes on to the next field
    history.Record();
    form.txtMid.Type("30");
    history.Record();
    form.FinishEdits();
    history.Record();
    const FormState typed = CaptureState(form);
    EXPECT_NE(typed.texts[3], before.texts[3]);  // the middle's pixels followed

    ASSERT_TRUE(history.Undo());  // the percent
    EXPECT_EQ(form.txtY.Text(), "2000");
    EXPECT_EQ(form.txtMid.Text(), before.texts[2]);
    ASSERT_TRUE(history.Undo());  // the height, all four keystrokes
    EXPECT_EQ(CaptureState(form), before);
    EXPECT_FALSE(history.Undo());
    probe.Clear();
    ASSERT_TRUE(history.Redo());
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(CaptureState(form), typed);
    EXPECT_FALSE(history.Redo());
    ASSERT_FALSE(probe.draws.empty());  // the preview follows
    EXPECT_EQ(probe.LastDraw().height, 2000.0f);
}

// A command that writes many controls, and a drag, are one step each; a new change after
// an undo drops what could have been redone.
TEST_F(EditHistoryTest, CommandsAndGesturesAreOneStepEach) {
    const FormState start = CaptureState(form);
    form.ChangeTogether([&] {
        form.colStart.SetColor(0x0000FF);
        form.optV.Select(Orientation::kCircle);
        form.chkMid.SetValue(1);
    });
    history.Record();
    const FormState afterCommand = CaptureState(form);
    history.BeginGesture();
    for (std::int32_t percent = 10; percent <= 90; percent += 10) {
        form.scrM.SetValue(percent);
        history.Record();
    }
    history.EndGesture();
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(CaptureState(form), afterCommand);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(CaptureState(form), start);

    form.txtGradient.SetText("linear-gradient(red, blue)");
    history.Record();
    EXPECT_FALSE(history.CanRedo());
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(CaptureState(form), start);
}

TEST_F(EditHistoryTest, KeepsTheLatestStepsAndKnowsWhatWasSaved) {
    EXPECT_FALSE(history.Modified());
    for (std::size_t step = 0; step < EditHistory::kMaxSteps + 20; ++step) {
        form.colEnd.SetColor(static_cast<ColorValue>(step + 1));
        history.Record();
        if (step == 205) {
            history.MarkSaved();
        }
    }
    EXPECT_TRUE(history.Modified());
    std::size_t undone = 0;
    while (history.Undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, EditHistory::kMaxSteps);
    EXPECT_EQ(form.colEnd.Color(), 20u);
    while (form.colEnd.Color() != 206u && history.Redo()) {
    }
    EXPECT_FALSE(history.Modified());
}

}  // namespace
}  // namespace tonzug
