#pragma once

#include <QWizardPage>
#include <string>

#include "wizard/FunctionCreator.h"

class CCodeWizard;
class QCheckBox;
class QPlainTextEdit;
class UiSeam;

// Page 4: the summary of what will be created, and the choice to open the project in
// the development environment. Finish creates the function; a failure keeps the wizard
// open on this page with every input as it was.
class CFinalPropertyPage : public QWizardPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFinalPropertyPage)

public:
    CFinalPropertyPage(CCodeWizard& wizard, UiSeam& seam, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;

    // The summary with "\r\n" line ends, as last built.
    const std::string& Summary() const { return m_strSummary; }
    QCheckBox* LaunchBox() const { return m_launchBox; }

private:
    // Tells what a creation that went through still wants said: a reservation, the files
    // the project lacks, an empty project file that was not opened.
    void ReportCreated(const kelvane::CreationResult& result, bool launchSkipped);

    CCodeWizard& m_wizard;
    UiSeam& m_seam;
    QPlainTextEdit* m_summaryEdit;
    QCheckBox* m_launchBox;
    std::string m_strSummary;
};
