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

// The same for a text left as it was shown, whose stored bytes are kept whatever they are:
// refused only when they are certainly more than maxBytes. A replacement character stands
// for at least one stored byte, a line break for one or two.
bool CheckUnchangedFieldText(UiSeam& seam, QWidget* parent, const QString& text,
                             const QString& what, int maxBytes);
