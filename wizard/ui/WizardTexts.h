#pragma once

#include <QString>

// The caption every page of the creation wizard shows.
inline const QString kWizardPageTitle = QStringLiteral("함수 생성 마법사");
