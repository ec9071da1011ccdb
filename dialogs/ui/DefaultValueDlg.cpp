#include "DefaultValueDlg.h"

#include <QLineEdit>

#include "DialogFrame.h"
#include "TextChecks.h"
#include "TextLimit.h"
#include "records/ParamTypes.h"

CDefaultValueDlg::CDefaultValueDlg(UiSeam& seam, QWidget* parent)
    : QDialog(parent), m_seam(seam), m_edit(new QLineEdit(this)) {
    m_edit->setObjectName(QStringLiteral("1020"));
    m_limit =
        new CByteLimit(m_edit, static_cast<int>(kelvane::kValueTextCapacity), ByteCount::Cp949);
    BuildDialogFrame(*this, tr("Input Default Value "), tr("Default 값을 입력하세요"), m_edit,
                     ButtonPlacement::Right);
}

void CDefaultValueDlg::SetValue(const QString& value) {
    m_strValue = value;
    m_limit->SetText(value);
    m_strShown = m_edit->text();
}

void CDefaultValueDlg::accept() {
    const QString text = m_edit->text();
    if (text == m_strShown) {
        if (!CheckUnchangedFieldText(m_seam, this, text, tr("The value"), m_limit->maxBytes())) {
            m_edit->setFocus();
            return;
        }
        QDialog::accept();
        return;
    }
    if (!CheckFieldText(m_seam, this, text, tr("The value"), m_limit->maxBytes(),
                        ByteCount::Cp949)) {
        m_edit->setFocus();
        return;
    }
    m_strValue = text;
    QDialog::accept();
}
