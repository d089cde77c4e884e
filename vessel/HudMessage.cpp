// The HUD message line: posting a message and drawing it while its display time lasts.
#include <cstring>

#include "vessel/Messages.h"
#include "vessel/Quillmar.h"

namespace quillmar {

char* Quillmar::StartHudMessage() {
    hudMessageTimer = kHudMessageSeconds;
    hudMessageThisFrame = true;
    return hudMessage;
}

void Quillmar::PostHudText(const char* text) { PostHudMessage("%s", text); }

void Quillmar::PostHudTextBesideThisFrames(const char* text) {
    if (!hudMessageThisFrame || !(hudMessageTimer > 0.0)) {
        PostHudText(text);
        return;
    }
    const std::size_t length = std::strlen(hudMessage);
    FormatHudMessage(hudMessage + length, sizeof hudMessage - length, "%s%s",
                     messages::kSameFrameJoin, text);
}

bool Quillmar::clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) {
    VESSEL4::clbkDrawHUD(mode, hps, skp);
    if (!(hudMessageTimer > 0.0)) return true;

    if (skp != nullptr) {
        const int hudHeight = hps != nullptr ? hps->H : 0;
        const int y = (hudHeight / kHudLineUnit) * kHudMessageRow;
        skp->Text(kHudMessageX, y, hudMessage, static_cast<int>(std::strlen(hudMessage)));
    }

    hudMessageTimer -= oapiGetSimStep();
    if (hudMessageTimer < 0.0) hudMessageTimer = 0.0;
    return true;
}

}  // namespace quillmar
