#include "pacing/PacedCanvas.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

TEST(PacedCanvas, ChargesEachPrimitiveAfterDrawingIt) {
    RecordingCanvas surface(1500, 1500);
    Timeline timeline(Tempo{1000, 10, 100});
    PacedCanvas canvas(surface, timeline);
    canvas.line(0, 0, 150, 0, rgb(1, 2, 3));
    EXPECT_EQ(timeline.nominalNs(), 1000 + 10 * 11);
    canvas.setFillColor(rgb(9, 9, 9));
    canvas.circle(750, 750, 150, rgb(1, 2, 3));
    ASSERT_EQ(surface.circles().size(), 1u);
    EXPECT_EQ(surface.circles()[0].fill, rgb(9, 9, 9));
    timeline.chargePause(3);
    timeline.chargePause(-4);
    EXPECT_NEAR(timeline.nominalNs(), 1110 + 1000 + 10 * (3.14159 * 100 + 1) + 300, 1);
}
