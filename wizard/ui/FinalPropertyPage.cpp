#include "wizard/ui/FinalPropertyPage.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "records/Launch.h"
#include "records/LibraryPaths.h"
#include "records/ProgramFolders.h"
#include "uisupport/AccessibleNames.h"
#include "uisupport/UiSeam.h"
#include "wizard/FunctionCreator.h"
#include "wizard/ui/CodeWizard.h"
#include "wizard/ui/WizardTexts.h"

namespace {

// What the page's controls show; the summary box is named by its label.
namespace text {
constexpr const char* kSummary = QT_TRANSLATE_NOOP("CFinalPropertyPage", "함수 생성 정보:");
constexpr const char* kLaunch = QT_TRANSLATE_NOOP(
    "CFinalPropertyPage", "함수 생성과 동시에 관련 개발 프로그램을 실행시킵니다.");
}  // namespace text

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString WithoutCarriageReturns(const std::string& text) {
    QString shown = Text(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

}  // namespace

CFinalPropertyPage::CFinalPropertyPage(CCodeWizard& wizard, UiSeam& seam, QWidget* parent)
    : QWizardPage(parent),
      m_wizard(wizard),
      m_seam(seam),
      m_summaryEdit(new QPlainTextEdit(this)),
      m_launchBox(new QCheckBox(tr(text::kLaunch), this)) {
    setTitle(WizardPageTitle());
    m_summaryEdit->setObjectName(QStringLiteral("1002"));
    m_summaryEdit->setReadOnly(true);
    m_launchBox->setObjectName(QStringLiteral("1008"));
    m_launchBox->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr(text::kSummary), this);
    label->setBuddy(m_summaryEdit);
    m_summaryEdit->setAccessibleName(NameFromLabel(tr(text::kSummary)));
    layout->addWidget(label);
    layout->addWidget(m_summaryEdit, 1);
    layout->addWidget(m_launchBox, 0, Qt::AlignHCenter);
}

void CFinalPropertyPage::initializePage() {
    m_strSummary = kelvane::BuildSummary(m_wizard.Collected());
    m_summaryEdit->setPlainText(WithoutCarriageReturns(m_strSummary));
}

void CFinalPropertyPage::ReportCreated(const kelvane::CreationResult& result, bool launchSkipped) {
    QStringList lines;
    if (!result.warning.empty())
        lines << Text(result.warning);
    if (const std::string gaps = kelvane::GenerationGapMessage(result.generation); !gaps.empty())
        lines << Text(gaps);
    if (launchSkipped)
        lines << Text(kelvane::EmptyProjectMessage());
    if (!lines.isEmpty())
        m_seam.message(&m_wizard, lines.join(QLatin1Char('\n')));
}

bool CFinalPropertyPage::validatePage() {
    using kelvane::CreationResult;
    const kelvane::NewFunction function = m_wizard.Collected();
    bool replace = false;
    switch (kelvane::ExamineTarget(function)) {
        case kelvane::ExistingTarget::None:
            break;
        case kelvane::ExistingTarget::Folder:
            if (!m_seam.confirm(&m_wizard, Text(kelvane::ReplaceQuestion(function))))
                return false;
            replace = true;
            break;
        case kelvane::ExistingTarget::NotAFolder:
            break;  // refused with its reason below
    }
    const CreationResult result = kelvane::CreateFunction(
        function, kelvane::GetProgramFolders(), replace, kelvane::GenerationDate::Today());
    if (!result.created()) {
        QString text = Text(result.message);
        if (result.outcome == CreationResult::Outcome::SaveFailed)
            text = Text(kelvane::FdbCreateErrorMessage()) + QStringLiteral("\n") + text;
        m_seam.message(&m_wizard, text);
        return false;
    }
    // An empty project file is not worth opening: the development program would show
    // nothing, or an error of its own.
    const bool launch = function.kind == kelvane::kKindDll && m_launchBox->isChecked();
    ReportCreated(result, launch && result.generation.projectEmpty);
    if (launch && !result.generation.projectEmpty) {
        const kelvane::LaunchCommand launch = kelvane::IdeLaunchCommand(result.projectFile);
        QStringList arguments;
        for (const std::string& argument : launch.arguments)
            arguments << QFile::decodeName(QByteArray::fromStdString(argument));
        m_seam.launch(Text(launch.program), arguments);
    }
    return true;
}
