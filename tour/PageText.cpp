#include "tour/PageText.h"

std::string pageText(const Failure& failure) {
    using Kind = Failure::Kind;
    const bool noMemory = failure.kind == Kind::OutOfMemory;
    const std::string reason = noMemory ? "out of memory" : failure.reason;
    switch (failure.kind) {
    case Kind::RefusedStep:
        // Step 0 is the page's own size, which the link did not choose.
        if (failure.stepNumber == 0)
            return reason;
        return "step " + std::to_string(failure.stepNumber) + ", " + reason;
    case Kind::OutOfMemory:
    case Kind::PictureError:
        if (failure.step.empty())
            return reason;
        return "Run-time error in '" + failure.step + "': " + reason;
    case Kind::CannotWrite:
    case Kind::NoWindow:
        break; // the page writes no file and has its window already
    }
    return reason;
}
