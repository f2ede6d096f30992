// The game's warning question: its box, and only "はい(&Y)" as a yes.
#include <gtest/gtest.h>

#include "app/confirm.h"
#include "platform/cp932.h"
#include "tests/support/testsupport.h"

TEST(ConfirmWarning, AsksYesOrNoUnderAWarning) {
    ScriptedBoxes boxes;
    boxes.Answer(MsgResult::Yes);
    EXPECT_TRUE(ConfirmWarning("q"));
    EXPECT_FALSE(ConfirmWarning("q"));
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(FromCp932(boxes.Seen()[0].Caption), QString::fromUtf8("警告"));
    EXPECT_EQ(boxes.Seen()[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Warning);
}
