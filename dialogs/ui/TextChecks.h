#pragma once

#include <QString>

#include "TextLimit.h"

class QWidget;
class UiSeam;

// True when text can go into a function-file field of maxBytes bytes (terminator not
// counted). Otherwise tells the user why through the seam and returns false; what names
// the text in the message, e.g. "The description".
bool CheckFieldText(UiSeam& seam, QWidget* parent, const QString& text, const QString& what,
                    int maxBytes, ByteCount count);
