#include "wizard/ui/TypePropertyPage.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "wizard/ui/WizardTexts.h"

CTypePropertyPage::CTypePropertyPage(QWidget* parent)
    : QWizardPage(parent), m_kinds(new QButtonGroup(this)) {
    setTitle(WizardPageTitle());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("생성하고자 하는 함수의 종류를 선택하세요."), this));
    auto* frame = new QGroupBox(this);
    auto* buttons = new QVBoxLayout(frame);
    buttons->setContentsMargins(95, 30, 10, 30);
    const QString texts[] = {tr("DLL 함수"), tr("Script 함수"), tr("Schematic 함수")};
    const char* names[] = {"1001", "1002", "1003"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(texts[i], frame);
        button->setObjectName(QLatin1String(names[i]));
        button->setEnabled(i == 0);  // script and schematic functions cannot be made yet
        m_kinds->addButton(button, i);
        buttons->addWidget(button);
        buttons->addStretch();
    }
    m_kinds->button(0)->setChecked(true);
    layout->addWidget(frame, 1);
}

int CTypePropertyPage::Kind() const {
    return m_kinds->checkedId();
}
