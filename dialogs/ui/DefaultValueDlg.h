#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class UiSeam;
class CByteLimit;

// Dialog 136: a default or stored value as one line of text. The edit holds no more
// than a value field takes (2047 bytes in CP949); OK refuses, with a message, text that
// CP949 cannot hold. Text left as it was shown is checked for its length only, and the
// value stays the one given, so that the caller can keep its stored bytes (which may not
// be CP949).
class CDefaultValueDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDefaultValueDlg)
public:
    explicit CDefaultValueDlg(UiSeam& seam, QWidget* parent = nullptr);

    void SetValue(const QString& value);
    const QString& Value() const { return m_strValue; }

    void accept() override;

private:
    UiSeam& m_seam;
    QLineEdit* m_edit;
    CByteLimit* m_limit;
    QString m_strValue;
    QString m_strShown;  // the text as the edit showed it
};
