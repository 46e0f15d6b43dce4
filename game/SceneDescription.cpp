#include "game/SceneDescription.h"

std::string_view describe(Scene scene) {
    for (const SceneDescription& entry : SceneDescriptions)
        if (entry.scene == scene)
            return entry.text;
    return {};
}
