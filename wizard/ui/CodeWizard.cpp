#include "wizard/ui/CodeWizard.h"

#include "wizard/ui/FinalPropertyPage.h"
#include "wizard/ui/NamePropertyPage.h"
#include "wizard/ui/ParameterPropertyPage.h"
#include "wizard/ui/TypePropertyPage.h"

namespace {
constexpr int kPageWidth = 560;
constexpr int kPageHeight = 420;
}  // namespace

CCodeWizard::CCodeWizard(UiSeam& seam, QWidget* parent)
    : QWizard(parent),
      m_typePage(new CTypePropertyPage),
      m_namePage(new CNamePropertyPage(seam)),
      m_parameterPage(new CParameterPropertyPage),
      m_finalPage(new CFinalPropertyPage(*this, seam)) {
    setWindowTitle(tr("Wizard"));
    setWizardStyle(QWizard::ClassicStyle);
    setPage(kTypePage, m_typePage);
    setPage(kNamePage, m_namePage);
    setPage(kParameterPage, m_parameterPage);
    setPage(kFinalPage, m_finalPage);
    setMinimumSize(kPageWidth, kPageHeight);
    // Open on the first page now, so the wizard can be driven before it is shown.
    restart();
}

void CCodeWizard::showEvent(QShowEvent* event) {
    QWizard::showEvent(event);
    // One size for every page, large enough for the page that needs the most room.
    QWidget* shown = currentPage();
    if (!shown)
        return;
    QSize pages;
    for (int id : pageIds())
        pages = pages.expandedTo(page(id)->minimumSizeHint());
    const QSize chrome = size() - shown->size();
    setMinimumSize(minimumSize().expandedTo(pages + chrome));
}

kelvane::NewFunction CCodeWizard::Collected() const {
    kelvane::NewFunction function;
    function.kind = m_typePage->Kind();
    function.name = m_namePage->Name();
    function.location = m_namePage->Location();
    function.inputs = m_parameterPage->Inputs();
    function.outputs = m_parameterPage->Outputs();
    return function;
}
