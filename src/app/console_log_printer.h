#pragma once
// Streams the communication log to standard output as it grows, for runs without a window.
#include <cstdio>

#include "services/comm_log.h"

namespace zel {

class ConsoleLogPrinter : public CommLog::Observer {
  public:
    void OnAppended(std::string_view piece) override {
        std::fwrite(piece.data(), 1, piece.size(), stdout);
        std::fflush(stdout);
    }
    void OnDroppedFront(size_t) override {}
    void OnCleared() override {}
};

}  // namespace zel
