#pragma once

// What both information windows are: a fixed dialog frame without minimise or maximise box
// and without window icon, a solid background, the controls of a design table at their fixed
// places, and one button, cmdOK, that is the default and the cancel button and unloads the
// window. Unloading destroys the window with its controls and any edits in them.

#include "design.h"

#include <QDialog>

#include <span>

class QPushButton;

namespace info {

class InfoWindow : public QDialog {
    Q_OBJECT

  public:
    InfoWindow(const WindowDesign &window, std::span<const ControlDesign> controls,
               QWidget *parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void cmdOK_Click();
    void createControl(const ControlDesign &design);

    QPushButton *cmdOK_ = nullptr;
};

} // namespace info
