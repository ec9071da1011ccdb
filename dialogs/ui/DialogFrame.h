#pragma once

#include <QString>

class QDialog;
class QGroupBox;
class QPushButton;
class QWidget;

// The frame the small value dialogs share: one captioned group box holding the value
// control, which takes the caption as its accessible name, and OK (id 1, the default
// button) and Cancel (id 2).
struct DialogFrame {
    QGroupBox* group;
    QPushButton* ok;
    QPushButton* cancel;
};

enum class ButtonPlacement { Right, Below };

DialogFrame BuildDialogFrame(QDialog& dialog, const QString& caption, const QString& groupTitle,
                             QWidget* control, ButtonPlacement placement);
