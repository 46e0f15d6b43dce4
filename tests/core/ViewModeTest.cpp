#include "game/ViewMode.h"

#include <gtest/gtest.h>

// Every front end reads and writes the views by these names: the command line, the settings
// file, links and the page.
TEST(ViewMode, EachViewIsReadBackFromItsNameAndNothingElseIsAView) {
    for (const ViewMode view : {ViewMode::Fit, ViewMode::Actual})
        EXPECT_EQ(viewNamed(viewName(view)), view);
    EXPECT_EQ(viewName(ViewMode::Fit), "fit");
    EXPECT_EQ(viewName(ViewMode::Actual), "actual");
    for (const char* other : {"", "Fit", "fit ", "actual-size", "fitted"})
        EXPECT_FALSE(viewNamed(other)) << other;
}
