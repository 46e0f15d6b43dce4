#include "tour/Json.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <stdexcept>

TEST(Json, CommasSeparateValuesAtEveryDepthAndNeverLeadOrTrail) {
    JsonWriter json;
    json.beginObject().key("empty").beginArray().endArray().key("none").beginObject().endObject();
    json.key("rows").beginArray();
    for (int row = 0; row < 3; ++row) {
        json.beginArray();
        for (int column = 0; column < row; ++column)
            json.integer(column);
        json.endArray();
    }
    json.endArray().key("last").beginArray().beginObject().key("a").null().endObject();
    json.beginObject().key("b").boolean(true).key("c").boolean(false).endObject().endArray();
    json.endObject();
    EXPECT_EQ(json.text(), R"({"empty":[],"none":{},"rows":[[],[0],[0,1]],)"
                           R"("last":[{"a":null},{"b":true,"c":false}]})");

    JsonWriter alone;
    EXPECT_EQ(alone.string("x").text(), R"("x")");
}

TEST(Json, StringsAndKeysAreEscapedAndTextPassesThroughAsIs) {
    JsonWriter json;
    json.beginObject().key("say \"hi\"").string("C:\\dir\\").key("lines").string("a\nb\tc\x01\x1f");
    json.key("as is").string("caf\xc3\xa9 \x7f / 'q'").endObject();
    EXPECT_EQ(json.text(), R"({"say \"hi\"":"C:\\dir\\","lines":"a\u000ab\u0009c\u0001\u001f",)"
                           "\"as is\":\"caf\xc3\xa9 \x7f / 'q'\"}");
}

TEST(Json, NumbersReadBackExactly) {
    for (const double value : {0.1, 1.0 / 3, 0.25, 64.0, 1e300, -2.5e-300, 0.0}) {
        JsonWriter json;
        json.number(value);
        EXPECT_EQ(std::strtod(json.text().c_str(), nullptr), value) << json.text();
    }
    JsonWriter whole;
    whole.beginArray().integer(std::numeric_limits<std::int64_t>::min()).integer(0);
    whole.integer(std::numeric_limits<std::int64_t>::max()).number(2).endArray();
    EXPECT_EQ(whole.text(), "[-9223372036854775808,0,9223372036854775807,2]");
}

TEST(Json, WhatCannotBeValidJsonIsRefused) {
    const auto refused = [](auto write) {
        JsonWriter json;
        try {
            write(json);
        } catch (const std::logic_error&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused([](JsonWriter& json) { json.key("top"); }));
    EXPECT_TRUE(refused([](JsonWriter& json) { json.beginArray().key("in an array"); }));
    EXPECT_TRUE(refused([](JsonWriter& json) { json.beginObject().integer(1); }));
    EXPECT_TRUE(refused([](JsonWriter& json) { json.beginObject().key("a").key("b"); }));
    EXPECT_TRUE(refused([](JsonWriter& json) { json.beginObject().key("a").endObject(); }));
    EXPECT_TRUE(refused([](JsonWriter& json) { json.beginObject().endArray(); }));
    EXPECT_TRUE(refused([](JsonWriter& json) { json.beginArray().endArray().endArray(); }));
    EXPECT_TRUE(refused([](JsonWriter& json) { json.integer(1).integer(2); }));
    EXPECT_FALSE(refused([](JsonWriter& json) { json.beginObject().key("a").integer(1); }));
}
