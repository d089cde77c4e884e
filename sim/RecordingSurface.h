// The HUD's device context: records every text drawn on it during one frame. The texts are kept
// joined with " | " in one buffer that is reused from frame to frame.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/Platform.h"

namespace sim {

struct HudDrawCall {
    int x;
    int y;
    std::string text;
};

class RecordingSurface final : public TextSurface {
  public:
    RecordingSurface() {
        joined_.reserve(1024);
        calls_.reserve(16);
    }

    void BeginFrame() {
        joined_.clear();
        calls_.clear();
    }

    void DrawText(int x, int y, const char* text, int length) override {
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
};

}  // namespace sim
