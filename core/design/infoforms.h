// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The fixed designs of the two information windows, frmAbout and frmAbout1, with their texts.
// The Qt windows and the web page are built from these tables.

#include "schema.h"

#include <array>
#include <string_view>

namespace design {

// Colours both information windows are drawn in.
inline constexpr DesignColor kLightYellow = rgb("info-text", 255, 255, 192);
inline constexpr DesignColor kYellow = rgb("ok-face", 255, 255, 0);
inline constexpr DesignColor kBlack = rgb("ok-text", 0, 0, 0);

// The multi-line text box Text1 of both windows: light yellow on the desktop colour, Times New
// Roman, reached by a click but not by Tab.
constexpr ControlDesign textBox(TwipsBox place, std::string_view text, double points,
                                bool scrollBars, int textMargin)
{
    return {.kind = ControlKind::TextBox,
            .name = "Text1",
            .place = place,
            .text = text,
            .background = kDesktopColor,
            .foreground = kLightYellow,
            .font = {DesignFont::TimesNewRoman, points},
            .scrollBars = scrollBars,
            .textMargin = textMargin};
}

// The button cmdOK of both windows: black on a yellow face, first in the focus order.
constexpr ControlDesign okButton(TwipsBox place, std::string_view caption)
{
    return {.kind = ControlKind::Button,
            .name = "cmdOK",
            .place = place,
            .text = caption,
            .background = kYellow,
            .foreground = kBlack,
            .tabIndex = 0};
}

namespace aboutform {

// Thirteen lines, each ended by CR LF. Several lines keep a blank before their line end, and
// the last line has two blanks after "витков": the text is shown as it was written.
inline constexpr std::string_view kAboutText =
    "Программа для расчета параметров датчика DD для металлоискателя Velmor ARM /AVR.\r\n"
    "\r\n"
    "Согласно входных даных ведется расчет необходимого количества витков,толщины \r\n"
    "проводника и других качественных показателей необходимых при намотке датчика DD.\r\n"
    "Конечному пользователю достаточно ввести желаемые параметры и получить на \r\n"
    "выходе приемлемое решение.\r\n"
    "\r\n"
    "Фактически использованы формулы по рассчете многовитковой концентрической \r\n"
    "котушки, с небольшыми поправками по геометрии.\r\n"
    "\r\n"
    "Для улучшения термозависимости и балансировки в качестве основы \r\n"
    "предлагается взять методику участника форума DDMaster (forum.example.org).\r\n"
    "Согласно которой сечение витков  котушки RX должно быть больше чем сечение TX.\r\n";

inline constexpr DesignColor kBackground = rgb("about-background", 0, 0, 0);

// The button is made first, so that the text box lies above it where the two overlap.
inline constexpr std::array kControls{
    okButton({240, 3840, 1620, 705}, "Понял"),
    textBox({120, 120, 9135, 3735}, kAboutText, 12, true, 2),
};

// clang-format off
inline constexpr FormDesign kForm{.name = "frmAbout", .caption = "О программе v.1",
                                  .clientWidth = 9360, .clientHeight = 4680, .background = kBackground,
                                  .controls = kControls, .left = 4230, .top = 2445};
// clang-format on

} // namespace aboutform

namespace authorform {

// Four lines indented with tabs and blanks, each ended by CR LF. The university is a made-up
// one, like the contacts below: the author's handle is all the program tells of the author.
inline constexpr std::string_view kAffiliation = "\t   Кафедра радиотехники\r\n"
                                                 "\t\tфизического факультета\r\n"
                                                 "\t   Энского государственного\r\n"
                                                 "\t\tуниверситета\r\n";

// The author's name, e-mail and messenger contact: bold Times New Roman on the window's own
// background.
constexpr ControlDesign label(int index, TwipsBox place, std::string_view text, DesignColor color)
{
    return {.kind = ControlKind::Label,
            .name = "Label1",
            .index = index,
            .place = place,
            .text = text,
            .foreground = color,
            .font = {DesignFont::TimesNewRoman, 12, true}};
}

inline constexpr DesignColor kGreen = rgb("author-name-text", 0, 255, 0);
inline constexpr DesignColor kOlive = rgb("author-contact-text", 192, 192, 0);

// The Author picture's own size in pixels; the picture control shows its top-left part.
inline constexpr int kPictureWidth = 189;
inline constexpr int kPictureHeight = 204;

// Made in their order of focus, each above the ones before where they overlap. The picture
// control OLE1 shows the Author picture, a DD search coil seen from above.
// clang-format off
inline constexpr std::array kControls{
    okButton({3960, 2640, 1620, 465}, "Знаю такого)"),
    ControlDesign{.kind = ControlKind::Picture, .name = "OLE1",
                  .place = {120, 120, 2055, 3015}, .tabIndex = 1,
                  .description = "Датчик DD, вид сверху"},
    label(0, {4080, 120, 2175, 375}, "Tamrel", kGreen),
    label(1, {3000, 1800, 3255, 495}, "E-mail:  tamrel@example.org", kOlive),
    label(2, {3000, 2160, 3255, 495}, "ICQ:  000-000-000", kOlive),
    // Four lines fill the box without a margin.
    textBox({2400, 600, 5295, 1095}, kAffiliation, 11.25, false, 0),
};
// clang-format on

// clang-format off
inline constexpr FormDesign kForm{.name = "frmAbout1", .caption = "Автор программы",
                                  .clientWidth = 7440, .clientHeight = 3300, .background = kDesktopColor,
                                  .controls = kControls, .left = 5265, .top = 3270};
// clang-format on

} // namespace authorform

} // namespace design
