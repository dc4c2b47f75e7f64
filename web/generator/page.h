// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The web page's files that come from the windows' designs: the markup of every window in the
// page's shell, the design's style sheet, and the layout and the manifest with the design's
// facts put in.

#include "design/mainform.h"
#include "design/schema.h"

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace generator {

// The files written by hand around the designs, with placeholders for what the designs give:
// the shell holds @TITLE@, @VERSION@, @BACKGROUND@ and @WINDOWS@, the manifest @BACKGROUND@; the
// layout names the main window's wide and narrow layouts as the media queries (--wide) and
// (--narrow).
struct Templates {
    std::string shell;    // index.html
    std::string layout;   // page.css
    std::string manifest; // manifest.webmanifest
};

struct Site {
    std::string index;     // index.html
    std::string designCss; // design.css
    std::string pageCss;   // page.css
    std::string manifest;  // manifest.webmanifest
};

// What the generator cannot place: a design that does not declare what the page needs, or
// declares it inconsistently. The message names the piece.
class Refusal : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The page of the main window, grouped as the blocks say, and of the information windows.
// Throws Refusal.
Site generate(const design::FormDesign &mainForm,
              std::span<const design::mainform::BlockDesign> blocks,
              std::span<const design::FormDesign *const> infoForms, const Templates &templates,
              std::string_view version);

} // namespace generator
