#include "game/PictureName.h"

#include <algorithm>
#include <array>
#include <cstdio>

std::string pictureStem(const Moment& at) {
    struct Field {
        std::string_view token;
        int value;
    };
    const std::array<Field, 6> fields{{{"YYYY", at.year},
                                       {"MM", at.month},
                                       {"DD", at.day},
                                       {"hh", at.hour},
                                       {"mm", at.minute},
                                       {"ss", at.second}}};
    std::string stem;
    for (std::string_view rest = PictureNamePattern; !rest.empty();) {
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&](const Field& f) { return rest.starts_with(f.token); });
        if (field == fields.end()) {
            stem += rest.front();
            rest.remove_prefix(1);
            continue;
        }
        char digits[16];
        std::snprintf(digits, sizeof digits, "%0*d", static_cast<int>(field->token.size()),
                      field->value);
        stem += digits;
        rest.remove_prefix(field->token.size());
    }
    return stem;
}
