#include "tour/PageText.h"

#include <gtest/gtest.h>

// The page words every failure in its own terms: a link's step by its place, never an option.
TEST(PageText, EachKindInThePagesTerms) {
    EXPECT_EQ(pageText(Failure::refusedStep(2, "fire", "the FIRE BALL button is not on screen")),
              "step 2, the FIRE BALL button is not on screen");
    // The page's own size is no step of the link's.
    EXPECT_EQ(pageText(Failure::refusedStep(0, {}, "the window is at least 320x225, not 200x9")),
              "the window is at least 320x225, not 200x9");
    EXPECT_EQ(pageText(Failure::of("fire", std::runtime_error("caption refused"))),
              "Run-time error in 'fire': caption refused");
    EXPECT_EQ(pageText(Failure::of("view", std::bad_alloc())),
              "Run-time error in 'view': out of memory");
    EXPECT_EQ(pageText(Failure::outOfMemory()), "out of memory");
    for (const Failure& failure :
         {Failure::refusedStep(3, "eat", "x"), Failure::of("fire", std::runtime_error("x"))})
        EXPECT_EQ(pageText(failure).find("--"), std::string::npos);
}
