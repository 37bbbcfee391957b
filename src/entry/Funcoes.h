#pragma once

#include <QString>

// Keeps the commas, minus signs and digits of text, in order, and drops the
// rest ("R$ 1.234,50" gives "1234,50"). Nothing else is checked: a second
// comma or a minus in the middle survives and fails the later conversion.
QString LimpaNumero(const QString& text);
