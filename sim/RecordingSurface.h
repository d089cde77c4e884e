// The HUD's device context: records every text drawn on it during one frame. The texts are kept
// joined with " | " in one buffer that is reused from frame to frame.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/Platform.h"
#include "sim/SimPlatform.h"

namespace sim {

struct HudDrawCall {
    int x;
    int y;
    std::string text;
};

class RecordingSurface final : public os::TextRecorder {
  public:
    RecordingSurface() : canvas_(*this) {
        joined_.reserve(1024);
        calls_.reserve(16);
    }
    RecordingSurface(const RecordingSurface&) = delete;
    RecordingSurface& operator=(const RecordingSurface&) = delete;

    // The device context the module draws on.
    HDC Hdc() const { return canvas_.Hdc(); }
    const os::HudCanvas& Canvas() const { return canvas_; }

    void BeginFrame() {
        joined_.clear();
        calls_.clear();
        canvas_.BeginFrame();
    }

    void Record(int x, int y, const char* text, int length) override {
        if (!calls_.empty()) joined_.append(kSeparator);
        const std::size_t offset = joined_.size();
        joined_.append(text, static_cast<std::size_t>(length));
        calls_.push_back({x, y, offset, static_cast<std::size_t>(length)});
    }

    bool Drew() const { return !calls_.empty(); }
    // Every text of the frame, joined with " | ".
    std::string_view JoinedText() const { return joined_; }
    // The frame's draw calls with their positions.
    std::vector<HudDrawCall> Calls() const {
        std::vector<HudDrawCall> calls;
        for (const auto& call : calls_) {
            calls.push_back({call.x, call.y, joined_.substr(call.offset, call.length)});
        }
        return calls;
    }

  private:
    static constexpr std::string_view kSeparator = " | ";
    struct Call {
        int x;
        int y;
        std::size_t offset;
        std::size_t length;
    };
    std::string joined_;
    std::vector<Call> calls_;
    os::HudCanvas canvas_;
};

}  // namespace sim
