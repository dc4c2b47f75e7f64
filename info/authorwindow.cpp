#include "authorwindow.h"

#include "authorpicture.h"

#include <array>

namespace info {

namespace {

// Four lines indented with tabs and blanks, each ended by CR LF. The university is a made-up
// one, like the contacts below: the author's handle is all the program tells of the author.
constexpr const char16_t *kAffiliation = u"\t   Кафедра радиотехники\r\n"
                                         u"\t\tфизического факультета\r\n"
                                         u"\t   Энского государственного\r\n"
                                         u"\t\tуниверситета\r\n";

constexpr WindowDesign kWindow{
    .name = "frmAbout1",
    .caption = u"Автор программы",
    .clientWidth = 7440,
    .clientHeight = 3300,
    .background = kDesktop,
    .left = 5265,
    .top = 3270,
};

constexpr DesignColor kGreen = rgbColor(0, 255, 0);
constexpr DesignColor kOlive = rgbColor(192, 192, 0);

// clang-format off
constexpr std::array kControls{
    ControlDesign{.kind = ControlKind::Picture, .name = "OLE1", .index = -1,
                  .left = 120, .top = 120, .width = 2055, .height = 3015,
                  .text = u"", .background = kDesktop, .foreground = kBlack,
                  .fontPoints = 12, .bold = false, .tabIndex = 1, .tabStop = true,
                  .picture = authorPicture},
    ControlDesign{.kind = ControlKind::Label, .name = "Label1", .index = 0,
                  .left = 4080, .top = 120, .width = 2175, .height = 375,
                  .text = u"Tamrel", .background = kDesktop, .foreground = kGreen,
                  .fontPoints = 12, .bold = true, .tabIndex = 2, .tabStop = false},
    ControlDesign{.kind = ControlKind::Label, .name = "Label1", .index = 1,
                  .left = 3000, .top = 1800, .width = 3255, .height = 495,
                  .text = u"E-mail:  tamrel@example.org", .background = kDesktop,
                  .foreground = kOlive,
                  .fontPoints = 12, .bold = true, .tabIndex = 2, .tabStop = false},
    ControlDesign{.kind = ControlKind::Label, .name = "Label1", .index = 2,
                  .left = 3000, .top = 2160, .width = 3255, .height = 495,
                  .text = u"ICQ:  000-000-000", .background = kDesktop, .foreground = kOlive,
                  .fontPoints = 12, .bold = true, .tabIndex = 2, .tabStop = false},
    ControlDesign{.kind = ControlKind::TextBox, .name = "Text1", .index = -1,
                  .left = 2400, .top = 600, .width = 5295, .height = 1095,
                  .text = kAffiliation, .background = kDesktop, .foreground = kLightYellow,
                  .fontPoints = 11.25, .bold = false, .tabIndex = 3, .tabStop = false,
                  .textMargin = 0}, // four lines fill the box
    ControlDesign{.kind = ControlKind::Button, .name = "cmdOK", .index = -1,
                  .left = 3960, .top = 2640, .width = 1620, .height = 465,
                  .text = u"Знаю такого)", .background = kYellow, .foreground = kBlack,
                  .fontPoints = 12, .bold = false, .tabIndex = 0, .tabStop = true},
};
// clang-format on

} // namespace

AuthorWindow::AuthorWindow(QWidget *parent) : InfoWindow(kWindow, kControls, parent) {}

} // namespace info
