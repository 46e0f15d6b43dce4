#include "tour/FailureText.h"

std::string failureText(const Failure& failure) {
    const std::string reason =
        failure.kind == Failure::Kind::OutOfMemory ? "out of memory" : failure.reason;
    // Whatever failed is named as the file or the step it failed in, memory running out too.
    if (!failure.path.empty())
        return "cannot write '" + failure.path + "': " + reason;
    if (failure.kind == Failure::Kind::RefusedStep && failure.stepNumber > 0)
        return "step " + std::to_string(failure.stepNumber) + " '" + failure.step + "': " + reason;
    if (!failure.step.empty() && failure.kind != Failure::Kind::RefusedStep)
        return "run-time error in '" + failure.step + "': " + reason;
    return reason;
}

std::string commandLineText(const Failure& failure) {
    switch (failure.kind) {
    case Failure::Kind::OutOfMemory:
        return "out of memory";
    case Failure::Kind::RefusedStep:
        // Step 0 is the size the tour starts at.
        return (failure.stepNumber == 0 ? "--size: " : "--play ") + failureText(failure);
    case Failure::Kind::CannotWrite:
    case Failure::Kind::PictureError:
    case Failure::Kind::NoWindow:
        break;
    }
    return failureText(failure);
}
