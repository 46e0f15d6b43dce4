#include "tour/Json.h"

#include <cstdio>
#include <stdexcept>

namespace {

std::string jsonString(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string jsonNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

} // namespace

JsonWriter& JsonWriter::key(std::string_view name) {
    if (!closers_.ends_with('}') || text_.ends_with(':'))
        throw std::logic_error("a JSON key where a value belongs");
    return append(jsonString(name) + ':');
}

JsonWriter& JsonWriter::string(std::string_view text) {
    return writeValue(jsonString(text));
}

JsonWriter& JsonWriter::number(double value) {
    return writeValue(jsonNumber(value));
}

JsonWriter& JsonWriter::integer(std::int64_t value) {
    return writeValue(std::to_string(value));
}

JsonWriter& JsonWriter::boolean(bool value) {
    return writeValue(value ? "true" : "false");
}

JsonWriter& JsonWriter::null() {
    return writeValue("null");
}

// A key ends in its colon, and nothing else does: no value, whole or begun, ends in one.
JsonWriter& JsonWriter::writeValue(std::string_view piece) {
    if (closers_.ends_with('}') && !text_.ends_with(':'))
        throw std::logic_error("a JSON value in an object without its key");
    if (closers_.empty() && !text_.empty())
        throw std::logic_error("a second JSON value after a whole one");
    return append(piece);
}

// A comma before every key and value but an object's or an array's first, and a key's value.
JsonWriter& JsonWriter::append(std::string_view piece) {
    if (!text_.empty() && !text_.ends_with('{') && !text_.ends_with('[') && !text_.ends_with(':'))
        text_ += ',';
    text_ += piece;
    return *this;
}

JsonWriter& JsonWriter::begin(char opener, char closer) {
    writeValue(std::string_view(&opener, 1));
    closers_ += closer;
    return *this;
}

JsonWriter& JsonWriter::end(char closer) {
    if (!closers_.ends_with(closer) || text_.ends_with(':'))
        throw std::logic_error(std::string("a JSON ") + (closer == '}' ? "object" : "array") +
                               " ended where it cannot end");
    closers_.pop_back();
    text_ += closer;
    return *this;
}
