#pragma once

// The focus colour lives with the entry controls, which follow it too.
#include "entry/FocusColour.h"

#include <functional>

class QApplication;
class QWidget;

// On this screen, Enter in any control moves the focus to the next control
// in tab order and is swallowed, so a multi-line box takes no line break from
// it; on a button it presses the button. Call once the screen's controls
// exist.
void enterMovesOn(QWidget* screen);

// Runs handler when the operator enters the control: it receives the focus
// from another control of its window (a click, Tab, Enter, the arrow keys or
// the screen's opening), not when its window merely regains activation.
void onEnter(QWidget* control, std::function<void()> handler);

// Runs handler when the operator leaves the control for another control of
// its window; a message box or a lookup opening over it is no exit.
void onExit(QWidget* control, std::function<void()> handler);

// Rules for every screen: Escape does not close a screen without a close
// box; a box of order buttons and a date picker are one stop each in the tab
// order, and tabbing into a box of order buttons lands on the checked one.
void installKeyboardRules(QApplication* application);
