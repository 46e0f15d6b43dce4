#include "game/KeyTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace {

std::vector<std::string> alternatives(std::string_view keys) {
    std::vector<std::string> result;
    for (std::size_t from = 0;;) {
        const std::size_t apart = keys.find("; ", from);
        result.emplace_back(keys.substr(from, apart - from));
        if (apart == std::string_view::npos)
            return result;
        from = apart + 2;
    }
}

} // namespace

// Each action and each window command has its keys, and no key does two things.
TEST(KeyTable, EveryActionAndCommandHasKeysOfItsOwn) {
    std::map<std::string, std::size_t> owner;
    for (std::size_t i = 0; i < KeyTable.size(); ++i) {
        const KeyBinding& binding = KeyTable[i];
        EXPECT_FALSE(binding.names().empty()) << i;
        EXPECT_FALSE(binding.help.empty()) << i;
        for (const std::string& key : alternatives(binding.keys)) {
            EXPECT_FALSE(key.empty()) << i;
            const auto [at, fresh] = owner.emplace(key, i);
            EXPECT_TRUE(fresh) << key << " is in entries " << at->second << " and " << i;
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
