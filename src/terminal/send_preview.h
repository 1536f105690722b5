#pragma once
// What the operator reads about a send without looking at the log: what Send would put on the
// wire before anything goes out, and that a command has gone unanswered.
#include <cstdint>
#include <string>
#include <string_view>

#include "products/page_host.h"

namespace zel {

// The line under the custom string box: the bytes Send would put on the wire now, framed for
// the connection and shown as the log's Mixed form does, or the parse error that would stop it.
std::string CustomStringPreview(const IPageHost& host, std::string_view customString);

// "No reply to ?V<0D> after 1 s": `framed` as it went out, unit address and line end included.
std::string NoReplyText(std::string_view framed, uint32_t afterMs);

}  // namespace zel
