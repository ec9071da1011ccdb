#pragma once

#include <QWizardPage>

class QButtonGroup;

// Page 1: the kind of function. Only "DLL 함수" can be chosen.
class CTypePropertyPage : public QWizardPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTypePropertyPage)

public:
    explicit CTypePropertyPage(QWidget* parent = nullptr);

    // Index of the selected button: 0 DLL, 1 Script, 2 Schematic; -1 when none.
    int Kind() const;

private:
    QButtonGroup* m_kinds;
};
