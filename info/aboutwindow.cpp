#include "aboutwindow.h"

#include <array>

namespace info {

namespace {

// Thirteen lines, each ended by CR LF. Several lines keep a blank before their line end, and
// the last line has two blanks after "витков": the text is shown as it was written.
constexpr const char16_t *kAboutText =
    u"Программа для расчета параметров датчика DD для металлоискателя Velmor ARM /AVR.\r\n"
    u"\r\n"
    u"Согласно входных даных ведется расчет необходимого количества витков,толщины \r\n"
    u"проводника и других качественных показателей необходимых при намотке датчика DD.\r\n"
    u"Конечному пользователю достаточно ввести желаемые параметры и получить на \r\n"
    u"выходе приемлемое решение.\r\n"
    u"\r\n"
    u"Фактически использованы формулы по рассчете многовитковой концентрической \r\n"
    u"котушки, с небольшыми поправками по геометрии.\r\n"
    u"\r\n"
    u"Для улучшения термозависимости и балансировки в качестве основы \r\n"
    u"предлагается взять методику участника форума DDMaster (forum.example.org).\r\n"
    u"Согласно которой сечение витков  котушки RX должно быть больше чем сечение TX.\r\n";

constexpr WindowDesign kWindow{
    .name = "frmAbout",
    .caption = u"О программе v.1",
    .clientWidth = 9360,
    .clientHeight = 4680,
    .background = kBlack,
    .left = 4230,
    .top = 2445,
};

// clang-format off
constexpr std::array kControls{
    ControlDesign{.kind = ControlKind::TextBox, .name = "Text1", .index = -1,
                  .left = 120, .top = 120, .width = 9135, .height = 3735,
                  .text = kAboutText, .background = kDesktop, .foreground = kLightYellow,
                  .fontPoints = 12, .bold = false, .tabIndex = 1, .tabStop = false,
                  .scrollBars = true},
    ControlDesign{.kind = ControlKind::Button, .name = "cmdOK", .index = -1,
                  .left = 240, .top = 3840, .width = 1620, .height = 705,
                  .text = u"Понял", .background = kYellow, .foreground = kBlack,
                  .fontPoints = 12, .bold = false, .tabIndex = 0, .tabStop = true},
};
// clang-format on

} // namespace

AboutWindow::AboutWindow(QWidget *parent) : InfoWindow(kWindow, kControls, parent) {}

} // namespace info
