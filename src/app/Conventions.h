#pragma once

class QWidget;

// The field takes the info-background colour while it has the focus and the
// window colour when it loses it.
void followFocusColour(QWidget* field);

// On this screen, Enter in any control but a button moves the focus to the
// next control in tab order and is swallowed, so a multi-line box takes no
// line break from it. Call once the screen's controls exist.
void enterMovesOn(QWidget* screen);
