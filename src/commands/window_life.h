// The game window's image buttons as the rules see them: which of them stay inert while the
// window is busy. The quit question and the turn clock across a minimise are the menu commands'
// (ImgQuit_Click, Form_QueryUnload, Form_Resize).
#pragma once

namespace zarnath {

// The game window's image buttons.
enum class MainButton { kLabels, kTravel, kDone, kHelp, kStatus, kQuit, kSend };
// Travel, Done and Status show no pressed face and play no click while input is busy.
bool ButtonInertWhileBusy(MainButton button);

}  // namespace zarnath
