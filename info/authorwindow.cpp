// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "authorwindow.h"

#include "authorpicture.h"

#include <array>

namespace info {

namespace {

// Four lines indented with tabs and blanks, each ended by CR LF. The university is a made-up
// one, like the contacts below: the author's handle is all the program tells of the author.
constexpr std::string_view kAffiliation = "\t   Кафедра радиотехники\r\n"
                                          "\t\tфизического факультета\r\n"
                                          "\t   Энского государственного\r\n"
                                          "\t\tуниверситета\r\n";

// The author's name, e-mail and messenger contact: bold Times New Roman on the window's own
// background.
constexpr ui::ControlDesign label(int index, ui::TwipsBox place, std::string_view text,
                                  ui::DesignColor color)
{
    return {.kind = ui::ControlKind::Label,
            .name = "Label1",
            .index = index,
            .place = place,
            .text = text,
            .foreground = color,
            .font = {ui::DesignFont::TimesNewRoman, 12, true}};
}

constexpr ui::DesignColor kGreen = ui::rgb(0, 255, 0);
constexpr ui::DesignColor kOlive = ui::rgb(192, 192, 0);

// Made in their order of focus, each above the ones before where they overlap.
// clang-format off
constexpr std::array kControls{
    okButton({3960, 2640, 1620, 465}, "Знаю такого)"),
    ui::ControlDesign{.kind = ui::ControlKind::Picture, .name = "OLE1",
                      .place = {120, 120, 2055, 3015},
                      .tabIndex = 1, .picture = authorPicture},
    label(0, {4080, 120, 2175, 375}, "Tamrel", kGreen),
    label(1, {3000, 1800, 3255, 495}, "E-mail:  tamrel@example.org", kOlive),
    label(2, {3000, 2160, 3255, 495}, "ICQ:  000-000-000", kOlive),
    // Four lines fill the box without a margin.
    textBox({2400, 600, 5295, 1095}, kAffiliation, 11.25, false, 0),
};
// clang-format on

// clang-format off
constexpr ui::FormDesign kDesign{.name = "frmAbout1", .caption = "Автор программы",
                                 .clientWidth = 7440, .clientHeight = 3300, .background = ui::kDesktopColor,
                                 .controls = kControls, .left = 5265, .top = 3270};
// clang-format on

} // namespace

AuthorWindow::AuthorWindow(QWidget *parent) : InfoWindow(kDesign, parent) {}

} // namespace info
