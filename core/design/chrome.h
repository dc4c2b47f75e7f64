// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window system draws around the designed windows: frames, the information windows'
// title bars, message boxes and their icons. The desktop program leaves all of it to the
// system; the web page, which has no window system to ask, draws it in these colours.

#include "schema.h"

#include <array>

namespace design::chrome {

inline constexpr DesignColor kButtonFrame = rgb("button-frame", 221, 221, 221);
inline constexpr DesignColor kFieldFrame = rgb("field-frame", 204, 204, 204);
inline constexpr DesignColor kWindowFrame = rgb("window-frame", 136, 136, 136);
inline constexpr DesignColor kCaptionFace = rgb("caption-face", 10, 36, 106);
inline constexpr DesignColor kCaptionText = rgb("caption-text", 255, 255, 255);
inline constexpr DesignColor kVersionText = rgb("version-text", 221, 221, 221);
inline constexpr DesignColor kBoxFace = rgb("box-face", 240, 240, 240);
inline constexpr DesignColor kBoxText = rgb("box-text", 0, 0, 0);
inline constexpr DesignColor kBoxButtonFace = rgb("box-button-face", 225, 225, 225);
inline constexpr DesignColor kBoxButtonText = rgb("box-button-text", 0, 0, 0);
// What a modal box lays over the windows behind it.
inline constexpr DesignColor kBoxBackdrop = rgb("box-backdrop", 0, 0, 0, 89);
// The two boxes' signs: a white cross on red for faults, a black mark on amber for warnings.
inline constexpr DesignColor kCriticalSignFace = rgb("critical-sign-face", 221, 0, 0);
inline constexpr DesignColor kCriticalSignText = rgb("critical-sign-text", 255, 255, 255);
inline constexpr DesignColor kWarningSignFace = rgb("warning-sign-face", 255, 204, 0);
inline constexpr DesignColor kWarningSignText = rgb("warning-sign-text", 0, 0, 0);

inline constexpr std::array kColors{
    kButtonFrame, kFieldFrame,       kWindowFrame,      kCaptionFace,     kCaptionText,
    kVersionText, kBoxFace,          kBoxText,          kBoxButtonFace,   kBoxButtonText,
    kBoxBackdrop, kCriticalSignFace, kCriticalSignText, kWarningSignFace, kWarningSignText,
};

} // namespace design::chrome
