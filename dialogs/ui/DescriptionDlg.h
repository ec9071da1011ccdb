#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class UiSeam;
class CByteLimit;

// Dialog 148: a description of several lines. Enter confirms the dialog; Ctrl+Enter
// starts a new line. The held text keeps line breaks as "\r\n", as function files store
// them. The edit holds no more than maxBytes in CP949 (511 for a parameter's
// description, 1023 for a function's); OK refuses text that CP949 cannot hold. Text left
// as it was shown is checked for its length only, and the description stays the one
// given, so that the caller can keep its stored bytes (which may not be CP949).
class CDescriptionDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDescriptionDlg)
public:
    CDescriptionDlg(UiSeam& seam, int maxBytes, QWidget* parent = nullptr);

    void SetDescription(const QString& description);
    const QString& Description() const { return m_strDescription; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    UiSeam& m_seam;
    QPlainTextEdit* m_edit;
    CByteLimit* m_limit;
    QString m_strDescription;
    QString m_strShown;  // the text as the edit showed it
};
