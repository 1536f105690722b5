#include "terminal/send_preview.h"

#include "services/comm_log.h"
#include "services/custom_string.h"

namespace zel {

namespace {

std::string Mixed(std::string_view framed) {
    return RenderLogPiece(framed, true, LogMode::Mixed);
}

// Whole seconds read as seconds; anything finer keeps its milliseconds.
std::string Duration(uint32_t ms) {
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

}  // namespace

std::string CustomStringPreview(const IPageHost& host, std::string_view customString) {
    CustomStringResult result = ParseCustomString(customString);
    if (result.error != CustomStringError::None) {
        std::string message = CustomStringErrorMessage(result.error);
        while (!message.empty() && (message.back() == '\r' || message.back() == '\n')) {
            message.pop_back();
        }
        return "Send would not send: " + message;
    }
    if (result.commandText.empty()) return "Send would send nothing";
    return "Send would put on the wire: " + Mixed(host.FramedCommand(result.commandText, false)) +
           "  (nothing sent yet)";
}

std::string NoReplyText(std::string_view framed, uint32_t afterMs) {
    return "No reply to " + Mixed(framed) + " after " + Duration(afterMs);
}

}  // namespace zel
