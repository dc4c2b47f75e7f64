// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What both information windows are: a fixed dialog frame without minimise or maximise box
// and without window icon, a solid background, the controls of a design at their fixed places,
// and one button, cmdOK, that is the default and the cancel button and unloads the window.
// Unloading destroys the window with its controls and any edits in them.

#include "ui/form.h"

#include <QDialog>

class QPushButton;

namespace info {

// Colours both information windows are drawn in.
inline constexpr ui::DesignColor kLightYellow = ui::rgb(255, 255, 192);
inline constexpr ui::DesignColor kYellow = ui::rgb(255, 255, 0);
inline constexpr ui::DesignColor kBlack = ui::rgb(0, 0, 0);

// The multi-line text box Text1 of both windows: light yellow on the desktop colour, Times New
// Roman, reached by a click but not by Tab.
constexpr ui::ControlDesign textBox(ui::TwipsBox place, std::string_view text, qreal points,
                                    bool scrollBars, int textMargin)
{
    return {.kind = ui::ControlKind::TextBox,
            .name = "Text1",
            .place = place,
            .text = text,
            .background = ui::kDesktopColor,
            .foreground = kLightYellow,
            .font = {ui::DesignFont::TimesNewRoman, points},
            .scrollBars = scrollBars,
            .textMargin = textMargin};
}

// The button cmdOK of both windows: black on a yellow face, first in the focus order.
constexpr ui::ControlDesign okButton(ui::TwipsBox place, std::string_view caption)
{
    return {.kind = ui::ControlKind::Button,
            .name = "cmdOK",
            .place = place,
            .text = caption,
            .background = kYellow,
            .foreground = kBlack,
            .tabIndex = 0};
}

class InfoWindow : public QDialog {
    Q_OBJECT

  public:
    explicit InfoWindow(const ui::FormDesign &design, QWidget *parent = nullptr);

    // Places the window where its design opens it beside opener, or beside the screen's
    // top-left corner without one; the window system may still place it elsewhere.
    void placeBeside(const QWidget *opener);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void cmdOK_Click();

    const ui::FormDesign &design_;
    QPushButton *cmdOK_ = nullptr;
};

} // namespace info
