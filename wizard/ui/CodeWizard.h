#pragma once

#include <QWizard>

#include "wizard/NewFunction.h"

class CFinalPropertyPage;
class CNamePropertyPage;
class CParameterPropertyPage;
class CTypePropertyPage;
class UiSeam;

// The function creation wizard: kind, name and location, parameters, summary. Nothing
// is written before Finish on the last page. Its messages, questions and the launch of
// the development environment go through the seam.
class CCodeWizard : public QWizard {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCodeWizard)

public:
    enum PageId { kTypePage, kNamePage, kParameterPage, kFinalPage };

    explicit CCodeWizard(UiSeam& seam, QWidget* parent = nullptr);

    // What the pages hold now.
    kelvane::NewFunction Collected() const;

    CTypePropertyPage* TypePage() const { return m_typePage; }
    CNamePropertyPage* NamePage() const { return m_namePage; }
    CParameterPropertyPage* ParameterPage() const { return m_parameterPage; }
    CFinalPropertyPage* FinalPage() const { return m_finalPage; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    CTypePropertyPage* m_typePage;
    CNamePropertyPage* m_namePage;
    CParameterPropertyPage* m_parameterPage;
    CFinalPropertyPage* m_finalPage;
};
