#pragma once

#include "game/Story.h"

#include <array>
#include <string_view>

struct SceneDescription {
    Scene scene;
    std::string_view text; // empty for a blank picture
};

// What a screen reader says of the picture, once the story has put the scene there.
inline constexpr std::array<SceneDescription, 7> SceneDescriptions{{
    {Scene::Blank, ""},
    {Scene::Title, "BRUMOX SIMULATOR"},
    {Scene::Lair, "The beast and its gold hoard"},
    {Scene::Goblin, "The beast and its gold hoard, and a goblin"},
    {Scene::Burnt, "The goblin is burnt to a crisp"},
    {Scene::Blasted, "The goblin is gone in a ball of fire"},
    {Scene::Eaten, "The goblin has been eaten"},
}};

std::string_view describe(Scene scene);
