#include "app/zelctl/json_lines.h"

namespace zel::ctl {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string JsonString(std::string_view bytes) {
    std::string json = "\"";
    for (char byte : bytes) {
        auto code = static_cast<unsigned char>(byte);
        if (byte == '"' || byte == '\\') {
            json += '\\';
            json += byte;
        } else if (code < 0x20 || code >= 0x7F) {
            json += "\\u00";
            json += kHexDigits[code >> 4];
            json += kHexDigits[code & 15];
        } else {
            json += byte;
        }
    }
    return json + "\"";
}

std::string HexText(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char byte : bytes) {
        auto code = static_cast<unsigned char>(byte);
        hex += kHexDigits[code >> 4];
        hex += kHexDigits[code & 15];
    }
    return hex;
}

JsonObject& JsonObject::Raw(std::string_view name, std::string_view json) {
    if (text_.size() > 1) text_ += ',';
    text_ += JsonString(name);
    text_ += ':';
    text_ += json;
    return *this;
}

JsonObject& JsonObject::Add(std::string_view name, std::string_view text) {
    return Raw(name, JsonString(text));
}

JsonObject& JsonObject::Add(std::string_view name, const std::optional<std::string>& textOrNull) {
    return Raw(name, textOrNull ? JsonString(*textOrNull) : "null");
}

JsonObject& JsonObject::Add(std::string_view name, bool value) {
    return Raw(name, value ? "true" : "false");
}

JsonObject& JsonObject::Add(std::string_view name, int64_t value) {
    return Raw(name, std::to_string(value));
}

JsonObject& JsonObject::Add(std::string_view name, const std::vector<std::string>& texts) {
    std::string array = "[";
    for (const std::string& text : texts) {
        if (array.size() > 1) array += ',';
        array += JsonString(text);
    }
    return Raw(name, array + "]");
}

void JsonLineWriter::Write(const JsonObject& object) {
    JsonObject line = object;
    if (step_) line.Add("step", *step_);
    if (device_) line.Add("device", *device_);
    std::unique_lock<std::mutex> lock;
    if (shared_) lock = std::unique_lock(*shared_);
    out_ << line.Text() << '\n' << std::flush;
}

}  // namespace zel::ctl
