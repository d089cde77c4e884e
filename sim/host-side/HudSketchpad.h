// The Sketchpad the focus vessel's HUD is drawn with: records every text drawn during one frame
// and draws it on the HUD canvas. The texts are kept joined with " | " in one buffer that is
// reused from frame to frame.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/Sketchpad.h"
#include "sim/host-side/HostCallCounter.h"
#include "sim/host-side/SimPlatform.h"

namespace sim {

struct HudDrawCall {
    int x;
    int y;
    std::string text;
};

class HudSketchpad final : public oapi::Sketchpad {
  public:
    HudSketchpad() : Sketchpad(nullptr) {
        joined_.reserve(1024);
        calls_.reserve(16);
    }
    HudSketchpad(const HudSketchpad&) = delete;
    HudSketchpad& operator=(const HudSketchpad&) = delete;

    const os::HudCanvas& Canvas() const { return canvas_; }

    void BeginFrame() {
        joined_.clear();
        calls_.clear();
        canvas_.BeginFrame();
    }

    bool Text(int x, int y, const char* str, int len) override {
        CountHostCall<"Sketchpad::Text">();
        if (str == nullptr || len < 0) return false;
        if (!calls_.empty()) joined_.append(kSeparator);
        const std::size_t offset = joined_.size();
        joined_.append(str, static_cast<std::size_t>(len));
        calls_.push_back({x, y, offset, static_cast<std::size_t>(len)});
        canvas_.DrawText(x, y, str, len);
        return true;
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
