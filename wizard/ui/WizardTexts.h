#pragma once

#include <QCoreApplication>
#include <QString>

// The caption every page of the creation wizard shows.
inline QString WizardPageTitle() {
    return QCoreApplication::translate("CCodeWizard", "함수 생성 마법사");
}
