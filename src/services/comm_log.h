#pragma once
// The communication log: one text that grows by appended pieces, rendered in ASCII, Mixed or
// Hex. It announces every change so a view can follow it without re-reading the whole text.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zel {

enum class LogMode : int { Ascii = 0, Mixed = 1, Hex = 2 };

// Writing the log to a file as it grows. A rotation size of 0 lets the file grow without bound.
struct LogFileSettings {
    bool enabled = false;
    std::string path;
    uint32_t rotateKiB = 0;
    bool operator==(const LogFileSettings&) const = default;
};

struct LogSettings {
    LogSettings() = default;
    LogSettings(LogMode mode, bool showTimeStamp, bool showDetails)
        : mode(mode), showTimeStamp(showTimeStamp), showDetails(showDetails) {}

    LogMode mode = LogMode::Mixed;
    bool showTimeStamp = false;
    bool showDetails = true;
    bool stampMilliseconds = false;
    bool stampDate = false;
    LogFileSettings file;
};

// The form a piece takes in the log: command and reply bytes are rendered by the mode;
// everything else only loses its zero markers.
std::string RenderLogPiece(std::string_view text, bool render, LogMode mode);
// Bytes as a device sent them, each rendered by the mode on its own: text in them that looks
// like a zero marker is shown as the bytes it is.
std::string RenderReceivedBytes(std::string_view bytes, LogMode mode);

class CommLog {
  public:
    static constexpr size_t kDefaultLimitBytes = 32u * 1024u * 1024u;

    struct Observer {
        virtual ~Observer() = default;
        virtual void OnAppended(std::string_view piece) = 0;
        // The oldest `count` bytes (whole lines) were dropped to stay within the limit.
        virtual void OnDroppedFront(size_t count) = 0;
        virtual void OnCleared() = 0;
    };

    explicit CommLog(size_t limitBytes = kDefaultLimitBytes);

    void AppendLog(std::string_view text, bool render);
    // The same log, and the same text announced, as one rendered AppendLog per byte.
    void AppendReceived(std::string_view bytes);
    void Clear();

    const std::string& Text() const { return text_; }
    LogSettings& Settings() { return settings_; }
    const LogSettings& Settings() const { return settings_; }
    void SetObserver(Observer* observer) { observer_ = observer; }
    // A second follower that keeps a record (a file); told after the observer.
    void SetRecorder(Observer* recorder) { recorder_ = recorder; }

  private:
    void AppendPiece(const std::string& piece);
    void DropOldestLines();
    template <typename Tell>
    void TellFollowers(Tell tell);

    std::string text_;
    size_t limitBytes_;
    LogSettings settings_;
    Observer* observer_ = nullptr;
    Observer* recorder_ = nullptr;
    // Pieces a follower appended while being told: they follow the piece being told, in order.
    bool telling_ = false;
    std::string heldBack_;
};

}  // namespace zel
