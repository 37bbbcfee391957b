#pragma once

#include "shell/ListaFiltrada.h"

#include <QString>

class ListCopy;

// Reads a filter text over a list's fields, such as
//   MOV_CodPRo<>'      ' and (MOV_Oper='EE' or MOV_OPER='SS')
// comparisons of a field with a quoted literal ("=" or "<>", a quote inside
// the literal doubled), joined by "and" and "or" ("and" binding first) and
// grouped by parentheses. Field names and the words "and" and "or" are read
// without regard to case; texts compare as stored, trailing blanks
// included. A null value passes no comparison. The text is read once, into
// a criterion that asks the list nothing but the fields' values, so
// filtering needs no trip to the database. A text it cannot read, or a field
// the list lacks, fails with DbError.
ListaFiltrada::Criterio CompilaFiltro(const QString& texto, const ListCopy* lista);
