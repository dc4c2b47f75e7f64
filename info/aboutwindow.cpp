// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "aboutwindow.h"

#include <array>

namespace info {

namespace {

// Thirteen lines, each ended by CR LF. Several lines keep a blank before their line end, and
// the last line has two blanks after "витков": the text is shown as it was written.
constexpr std::string_view kAboutText =
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

// The button is made first, so that the text box lies above it where the two overlap.
constexpr std::array kControls{
    okButton({240, 3840, 1620, 705}, "Понял"),
    textBox({120, 120, 9135, 3735}, kAboutText, 12, true, 2),
};

// clang-format off
constexpr ui::FormDesign kDesign{.name = "frmAbout", .caption = "О программе v.1",
                                 .clientWidth = 9360, .clientHeight = 4680, .background = kBlack,
                                 .controls = kControls, .left = 4230, .top = 2445};
// clang-format on

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : InfoWindow(kDesign, parent) {}

} // namespace info
