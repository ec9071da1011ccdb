#include "InOutDlg.h"

#include <QComboBox>

#include "DialogFrame.h"

CInOutDlg::CInOutDlg(QWidget* parent) : QDialog(parent), m_list(new QComboBox(this)) {
    m_list->setObjectName(QStringLiteral("1009"));
    m_list->setEditable(false);
    m_list->addItem(tr("Input Parameter"));
    m_list->addItem(tr("Output  Parameter"));
    BuildDialogFrame(*this, tr("Input/Output Selection"), tr("입/출력 형식을 선택하세요"), m_list,
                     ButtonPlacement::Right);
    SetKind(m_nKind);
}

void CInOutDlg::SetKind(int kind) {
    m_nKind = kind;
    m_list->setCurrentIndex(kind == 1 ? 0 : 1);
}

void CInOutDlg::accept() {
    m_nKind = m_list->currentIndex() == 0 ? 1 : 0;
    QDialog::accept();
}
