#include "game/KeyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

// Each action and each window command has its keys, and no key does two things.
TEST(KeyTable, EveryActionAndCommandHasKeysOfItsOwn) {
    std::vector<std::pair<Key, std::size_t>> owner;
    for (std::size_t i = 0; i < KeyTable.size(); ++i) {
        const KeyBinding& binding = KeyTable[i];
        EXPECT_FALSE(binding.names().empty()) << i;
        EXPECT_FALSE(binding.help.empty()) << i;
        for (const Key& key : binding.keys) {
            // Exactly one of a name and a character; letters as Shift-less upper case.
            EXPECT_NE(key.named != NamedKey::None, key.character != 0) << i;
            EXPECT_TRUE(key.character == 0 || (key.character > ' ' && key.character < 0x7f)) << i;
            EXPECT_FALSE(key.character >= 'a' && key.character <= 'z') << i;
            const auto at = std::find_if(owner.begin(), owner.end(),
                                         [&](const auto& entry) { return entry.first == key; });
            EXPECT_TRUE(at == owner.end())
                << keyName(key) << " is in entries " << at->second << " and " << i;
            owner.emplace_back(key, i);
        }
    }
    std::vector<std::variant<Action, WindowCommand>> everything;
    for (const ActionName& entry : ActionNames)
        everything.emplace_back(entry.action);
    for (int command = 0; command <= static_cast<int>(WindowCommand::Quit); ++command)
        everything.emplace_back(static_cast<WindowCommand>(command));
    for (const auto& does : everything)
        EXPECT_EQ(std::count_if(KeyTable.begin(), KeyTable.end(),
                                [&](const KeyBinding& binding) { return binding.does == does; }),
                  1)
            << does.index() << ":" << std::visit([](auto value) { return int(value); }, does);
    EXPECT_EQ(everything.size(), KeyTable.size());
    for (const auto& does : everything)
        std::visit([&](auto value) { EXPECT_TRUE(bindingFor(value).does == does); }, does);
}

// The help, the manual and the README name the keys as a player knows them: the keypad's twins
// are left out, and Ctrl and the named keys are spelt out.
TEST(KeyTable, NamesTheKeysAsTheHelpDoes) {
    EXPECT_EQ(bindingFor(Action::Advance).names(), "Space, Enter, Right, Page Down");
    EXPECT_EQ(bindingFor(WindowCommand::Faster).names(), "+, =");
    EXPECT_EQ(bindingFor(WindowCommand::Slower).names(), "-");
    EXPECT_EQ(bindingFor(WindowCommand::LeaveFullScreen).names(), "Esc");
    EXPECT_EQ(bindingFor(WindowCommand::SavePicture).names(), "Ctrl+S");
    EXPECT_EQ(bindingFor(WindowCommand::About).names(), "F1, ?");
    // The keypad's keys act too, though unnamed.
    const KeyList& faster = bindingFor(WindowCommand::Faster).keys;
    EXPECT_NE(std::find(faster.begin(), faster.end(), keypadKey('+')), faster.end());
}

// The speed keys' help lists the steps the keys step through.
TEST(KeyTable, FasterListsTheSpeedSteps) {
    EXPECT_EQ(bindingFor(WindowCommand::Faster).help,
              "Faster, one step of 1/4, 1/2, 1, 2, 4, 8 and instant.");
}
