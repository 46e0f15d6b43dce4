#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Just enough JSON for what the game tells a page or a test, one value written a piece at a
// time with the commas where they belong: strings quoted and escaped, and numbers that read back
// as the same double.
//
//     JsonWriter json;
//     json.beginObject().key("steps").beginArray().integer(1).integer(3).endArray().endObject();
//
// gives {"steps":[1,3]}. Nothing is indented or spaced: the page and the tests read it, and
// what they are sent must stay the same byte for byte. A key outside an object, a value in one
// without its key, or an end that does not match its beginning throws std::logic_error.
class JsonWriter {
  public:
    JsonWriter& beginObject() { return begin('{', '}'); }
    JsonWriter& endObject() { return end('}'); }
    JsonWriter& beginArray() { return begin('[', ']'); }
    JsonWriter& endArray() { return end(']'); }
    // The name of the object's next value.
    JsonWriter& key(std::string_view name);

    JsonWriter& string(std::string_view text);
    JsonWriter& number(double value);
    JsonWriter& integer(std::int64_t value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();

    // Whole once every object and array begun has ended.
    const std::string& text() const { return text_; }

  private:
    JsonWriter& writeValue(std::string_view piece);
    JsonWriter& append(std::string_view piece);
    JsonWriter& begin(char opener, char closer);
    JsonWriter& end(char closer);

    std::string text_;
    std::string closers_; // of the objects and arrays still open, innermost last
};
