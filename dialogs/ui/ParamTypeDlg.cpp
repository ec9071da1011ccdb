#include "ParamTypeDlg.h"

#include <QComboBox>

#include "DialogFrame.h"
#include "records/ParamTypes.h"

CParamTypeDlg::CParamTypeDlg(QWidget* parent) : QDialog(parent), m_list(new QComboBox(this)) {
    m_list->setObjectName(QStringLiteral("1010"));
    m_list->setEditable(false);
    m_list->setMaxVisibleItems(static_cast<int>(kelvane::kTypeSelectionRows.size()));
    for (const std::string_view row : kelvane::kTypeSelectionRows)
        m_list->addItem(QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())));
    m_list->setCurrentIndex(-1);
    BuildDialogFrame(*this, tr("Parameter Type Selection"), tr("Parameter 종류를 선택하세요"),
                     m_list, ButtonPlacement::Right);
}

void CParamTypeDlg::SetTypeName(const std::string& typeName) {
    m_strTypeName = typeName;
    int selected = -1;
    // An empty name is no type: it must not pick a spacer row.
    for (std::size_t i = 0; i < kelvane::kTypeSelectionRows.size() && !typeName.empty(); ++i) {
        if (kelvane::kTypeSelectionRows[i] == typeName) {
            selected = static_cast<int>(i);
            break;
        }
    }
    m_list->setCurrentIndex(selected);
}

void CParamTypeDlg::accept() {
    const int row = m_list->currentIndex();
    if (row < 0)
        return;
    const std::string_view text = kelvane::kTypeSelectionRows[static_cast<std::size_t>(row)];
    if (text.empty() || text.front() == '<')
        return;
    m_strTypeName = std::string(text);
    QDialog::accept();
}
