#pragma once

#include "entry/NumericField.h"

class QLineEdit;

// Cost, margin and sale price fields that recompute one another as the
// operator leaves them, from the values the fields show: leaving the cost or
// the sale price rewrites the margin (sale × 100 / cost − 100), leaving the
// margin rewrites the sale price ((margin / 100 + 1) × cost). With a zero
// cost neither changes. A text that does not read sends the focus back to
// the field being left.
void AcoplaPrecos(QLineEdit* custo, QLineEdit* margem, QLineEdit* venda,
                  NumericField::Variant variant);
