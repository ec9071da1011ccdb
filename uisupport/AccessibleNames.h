#pragma once

#include <QString>

// A label's text as the name a screen reader says for the control it labels: without its
// mnemonic ("(&F)" or a lone "&"), a colon at its end and blanks around it.
QString NameFromLabel(const QString& label);
