#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class CByteLimit;

// Dialog 149: a new name. The edit holds no more than a file name takes (255 bytes in
// UTF-8); the name itself is checked by the command that uses it.
class CRenameDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CRenameDlg)
public:
    explicit CRenameDlg(QWidget* parent = nullptr);

    void SetName(const QString& name);
    const QString& Name() const { return m_strName; }

    void accept() override;

private:
    QLineEdit* m_edit;
    CByteLimit* m_limit;
    QString m_strName;
};
