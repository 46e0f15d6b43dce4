#include "tour/FailureText.h"
#include "tour/Rehearsal.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

std::string lineFor(std::string_view tour, PixelSize start, ViewMode view = ViewMode::Actual) {
    const Rehearsal rehearsal = rehearse(parseTour(tour).steps, start, 1, view);
    return rehearsal.failure ? commandLineText(*rehearsal.failure) : std::string();
}

} // namespace

// A refused tour is worded by the option that gave it, as it always was.
TEST(FailureText, ARefusedStepNamesItsOption) {
    EXPECT_EQ(lineFor("click", {200, 720}), "--size: the window is at least 320x225, not 200x720");
    EXPECT_EQ(lineFor("click,size:1024x224,click", {1024, 720}, ViewMode::Fit),
              "--play step 2 'size:1024x224': the window is at least 320x225, not 1024x224");
    EXPECT_EQ(lineFor("click*7,fire,restart,click*6,fire", {1024, 720}),
              "--play step 16 'fire': the FIRE BALL button is not on screen at that point");
    EXPECT_EQ(lineFor(DefaultTour, {1024, 720}), "");
}

// Memory reads the same on the command line whatever ran out; the window names where.
TEST(FailureText, RunningOutOfMemoryIsToldByType) {
    Failure file = Failure::outOfMemory();
    file.path = "/tmp/x.gif";
    const Failure step = Failure::of("fire", std::bad_alloc());
    for (const Failure& failure : {Failure::outOfMemory(), file, step})
        EXPECT_EQ(commandLineText(failure), "out of memory");
    EXPECT_EQ(failureText(file), "cannot write '/tmp/x.gif': out of memory");
    EXPECT_EQ(failureText(step), "run-time error in 'fire': out of memory");
    // A message that merely ends like it is no shortage.
    const Failure said = Failure::of("eat", std::runtime_error("no: out of memory"));
    EXPECT_EQ(said.kind, Failure::Kind::PictureError);
}

TEST(FailureText, TheOtherKindsReadTheSameOnTheCommandLineAndInTheWindow) {
    const Failure disk = Failure::cannotWrite("/tmp/tour.gif", "the disk is full");
    const Failure picture = Failure::of("flame", std::runtime_error("caption refused"));
    const Failure window = Failure::noWindow("the window cannot be made 4096x4096 here");
    EXPECT_EQ(commandLineText(disk), "cannot write '/tmp/tour.gif': the disk is full");
    EXPECT_EQ(commandLineText(picture), "run-time error in 'flame': caption refused");
    EXPECT_EQ(commandLineText(window), "the window cannot be made 4096x4096 here");
    for (const Failure& failure : {disk, picture, window})
        EXPECT_EQ(failureText(failure), commandLineText(failure));
}
