#pragma once

class QWidget;

// The field takes the info-background colour while it has the focus and the
// window colour when it loses it.
void followFocusColour(QWidget* field);
