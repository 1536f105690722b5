#pragma once
// JSON lines, one object per line: what zelctl prints for scripts to read.
#include <cstdint>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zel::ctl {

// A JSON string literal. Texts are bytes: quotes, backslashes and every byte outside printable
// ASCII are escaped, the latter as \u00XX, so the output is valid JSON whatever the bytes are.
std::string JsonString(std::string_view bytes);

// The bytes as upper-case hexadecimal digits, two per byte, no separators.
std::string HexText(std::string_view bytes);

// One JSON object built field by field, in the order the fields are added.
class JsonObject {
  public:
    JsonObject& Add(std::string_view name, std::string_view text);
    JsonObject& Add(std::string_view name, const char* text) {
        return Add(name, std::string_view(text));
    }
    JsonObject& Add(std::string_view name, const std::string& text) {
        return Add(name, std::string_view(text));
    }
    JsonObject& Add(std::string_view name, const std::optional<std::string>& textOrNull);
    JsonObject& Add(std::string_view name, bool value);
    JsonObject& Add(std::string_view name, int64_t value);
    JsonObject& Add(std::string_view name, int value) {
        return Add(name, static_cast<int64_t>(value));
    }
    JsonObject& Add(std::string_view name, const std::vector<std::string>& texts);
    std::string Text() const { return text_ + "}"; }

  private:
    JsonObject& Raw(std::string_view name, std::string_view json);
    std::string text_ = "{";
};

// Writes each object as one line and flushes it at once, so a reader sees events as they come.
// While a script's step runs, each line ends in that step's number.
class JsonLineWriter {
  public:
    explicit JsonLineWriter(std::ostream& out) : out_(out) {}
    // One of several writers on the same stream from several threads: each line carries the
    // device it is about, and lines never interleave.
    JsonLineWriter(std::ostream& out, std::mutex& shared, std::string device)
        : out_(out), shared_(&shared), device_(std::move(device)) {}
    void Write(const JsonObject& object);
    void SetStep(std::optional<int> step) { step_ = step; }
    // Text that is not an event, such as an exported sheet.
    void WriteRaw(const std::string& text) { out_ << text << std::flush; }

  private:
    std::ostream& out_;
    std::mutex* shared_ = nullptr;
    std::optional<std::string> device_;
    std::optional<int> step_;
};

}  // namespace zel::ctl
