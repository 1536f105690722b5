// Received text that looks like markup or terminal control shows literally in the log box.
#include <gtest/gtest.h>

#include "flood/windowed_terminal.h"
#include "transport/pseudo_terminal.h"

namespace zel::test {
namespace {

struct LiteralCase {
    std::string received;  // sent by the device with a carriage return after it
    QString ascii;         // the box's line in ASCII mode
    QString mixed;         // and in Mixed mode
};

// A line of the box holds 1024 characters at most; a longer one goes on in the next.
QString InLinesOf1024(const QString& line) {
    QString shown;
    for (qsizetype at = 0; at < line.size(); at += 1024) {
        shown += line.mid(at, 1024) + QLatin1Char('\n');
    }
    return shown;
}

const QString kLongLine = QString(3000, QLatin1Char('x'));

const LiteralCase kCases[] = {
    {"<b>bold</b> &amp; &lt;i&gt; <script>x</script>",
     QStringLiteral("<b>bold</b> &amp; &lt;i&gt; <script>x</script>"),
     QStringLiteral("<b>bold</b> &amp; &lt;i&gt; <script>x</script>")},
    {"\x1b[31mred\x1b[0m \x1b[2J", QStringLiteral("\u241b[31mred\u241b[0m \u241b[2J"),
     QStringLiteral("<1B>[31mred<1B>[0m <1B>[2J")},
    {"\x1b]0;title\x07 \x1b]8;;http://x\x1b\\",
     QStringLiteral("\u241b]0;title\u2407 \u241b]8;;http://x\u241b\\"),
     QStringLiteral("<1B>]0;title<07> <1B>]8;;http://x<1B>\\")},
    {std::string("a\0b\0", 4), QStringLiteral("a\u2400b\u2400"), QStringLiteral("a<00>b<00>")},
    // U+202E and U+2066 in UTF-8 arrive as bytes and show as Latin-1, never as controls.
    {"\xe2\x80\xae"
     "abc"
     "\xe2\x81\xa6",
     QStringLiteral("\u00e2\u0080\u00aeabc\u00e2\u0081\u00a6"),
     QStringLiteral("<E2><80><AE>abc<E2><81><A6>")},
    {std::string(3000, 'x'), kLongLine, kLongLine},
};

TEST(LiteralLogTest, MarkupAndControlSequencesShowAsTheirBytes) {
    PseudoTerminal device;
    ASSERT_TRUE(device.IsOpen());
    TerminalChoice choice;
    choice.product = "Korvex";
    choice.protocol = "Pioneer";
    choice.serialPort = device.SlavePath();
    WindowedTerminal rig(choice);
    ASSERT_TRUE(rig.Serial().IsOpen());
    const QString header = QString::fromStdString("Received (" + device.SlavePath() + "): ");
    for (LogMode mode : {LogMode::Ascii, LogMode::Mixed}) {
        rig.Terminal().ApplyLogSettings({mode, false, true});
        for (const LiteralCase& sample : kCases) {
            rig.Terminal().OnClearLog();
            ASSERT_TRUE(device.Write(sample.received + "\r"));
            const QString line = mode == LogMode::Ascii ? sample.ascii : sample.mixed;
            const QString expected =
                InLinesOf1024(header + line + (mode == LogMode::Mixed ? "<0D>" : ""));
            EXPECT_TRUE(PumpEventsUntil([&] { return rig.ShownLog() == expected; },
                                        std::chrono::seconds(30)))
                << rig.ShownLog().toStdString() << "\ninstead of\n"
                << expected.toStdString();
        }
    }
}

}  // namespace
}  // namespace zel::test
