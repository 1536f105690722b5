// The JSON zelctl prints: valid whatever bytes the texts hold, fields in the order added.
#include "app/zelctl/json_lines.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zel::ctl {
namespace {

TEST(JsonLines, StringsEscapeQuotesBackslashesAndEveryByteOutsidePrintableAscii) {
    using namespace std::string_literals;
    EXPECT_EQ(JsonString("HELP"), R"("HELP")");
    EXPECT_EQ(JsonString("say \"hi\" \\ now"), R"("say \"hi\" \\ now")");
    EXPECT_EQ(JsonString("a\r\n\tb"), R"("a\u000D\u000A\u0009b")");
    EXPECT_EQ(JsonString("\0\x7F\x80\xF5"s), R"("\u0000\u007F\u0080\u00F5")");
    EXPECT_EQ(JsonString(""), R"("")");
}

TEST(JsonLines, HexIsUpperCaseTwoDigitsPerByteWithoutSeparators) {
    using namespace std::string_literals;
    EXPECT_EQ(HexText("11PL"), "3131504C");
    EXPECT_EQ(HexText("\xF5\0\x01\xab"s), "F50001AB");
    EXPECT_EQ(HexText(""), "");
}

TEST(JsonLines, ObjectsKeepFieldOrderAndTypes) {
    std::ostringstream out;
    JsonLineWriter writer(out);
    writer.Write(JsonObject()
                     .Add("path", "Outputs/On")
                     .Add("value", std::optional<std::string>())
                     .Add("chosen", std::optional<std::string>("3"))
                     .Add("enabled", true)
                     .Add("visible", false)
                     .Add("position", -12)
                     .Add("choices", std::vector<std::string>{"1", "a\"b"})
                     .Add("none", std::vector<std::string>{}));
    writer.Write(JsonObject());
    EXPECT_EQ(out.str(),
              R"({"path":"Outputs/On","value":null,"chosen":"3","enabled":true,"visible":false,)"
              R"("position":-12,"choices":["1","a\"b"],"none":[]})"
              "\n{}\n");
}

}  // namespace
}  // namespace zel::ctl
