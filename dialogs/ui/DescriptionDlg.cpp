#include "DescriptionDlg.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

#include "DialogFrame.h"
#include "TextChecks.h"
#include "TextLimit.h"
#include "records/TextCodec.h"

CDescriptionDlg::CDescriptionDlg(UiSeam& seam, int maxBytes, QWidget* parent)
    : QDialog(parent), m_seam(seam), m_edit(new QPlainTextEdit(this)) {
    m_edit->setObjectName(QStringLiteral("1021"));
    m_edit->setTabChangesFocus(true);
    m_edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_edit->installEventFilter(this);
    m_limit = new CByteLimit(m_edit, maxBytes, ByteCount::Cp949Crlf);
    BuildDialogFrame(*this, tr("Description"), tr("Description을 입력하세요"), m_edit,
                     ButtonPlacement::Below);
}

void CDescriptionDlg::SetDescription(const QString& description) {
    m_strDescription = description;
    m_limit->SetText(QString::fromStdString(kelvane::FromCrLf(description.toStdString())));
    m_strShown = m_edit->toPlainText();
}

void CDescriptionDlg::accept() {
    const QString text = m_edit->toPlainText();
    if (text == m_strShown) {
        if (!CheckUnchangedFieldText(m_seam, this, text, tr("The description"),
                                     m_limit->maxBytes())) {
            m_edit->setFocus();
            return;
        }
        QDialog::accept();
        return;
    }
    if (!CheckFieldText(m_seam, this, text, tr("The description"), m_limit->maxBytes(),
                        ByteCount::Cp949Crlf)) {
        m_edit->setFocus();
        return;
    }
    m_strDescription = QString::fromStdString(kelvane::ToCrLf(text.toStdString()));
    QDialog::accept();
}

bool CDescriptionDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ControlModifier)
                m_edit->textCursor().insertText(QStringLiteral("\n"));
            else
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
