#include "RenameDlg.h"

#include <QLineEdit>

#include "DialogFrame.h"
#include "TextLimit.h"

namespace {
constexpr int kMaxNameBytes = 255;
}

CRenameDlg::CRenameDlg(QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this)) {
    m_edit->setObjectName(QStringLiteral("1020"));
    m_limit = new CByteLimit(m_edit, kMaxNameBytes, ByteCount::Utf8);
    BuildDialogFrame(*this, tr("Rename"), tr("바꿀 이름을 입력하세요"), m_edit,
                     ButtonPlacement::Right);
}

void CRenameDlg::SetName(const QString& name) {
    m_strName = name;
    m_limit->SetText(name);
    m_edit->selectAll();
}

void CRenameDlg::accept() {
    m_strName = m_edit->text();
    QDialog::accept();
}
