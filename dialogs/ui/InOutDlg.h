#pragma once

#include <QDialog>

class QComboBox;

// Dialog 132: input or output parameter. The kind is that of a parameter's direction:
// 1 input, 0 output.
class CInOutDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CInOutDlg)
public:
    explicit CInOutDlg(QWidget* parent = nullptr);

    // 1 preselects "Input Parameter", anything else "Output  Parameter".
    void SetKind(int kind);
    int Kind() const { return m_nKind; }

    void accept() override;

private:
    QComboBox* m_list;
    int m_nKind = 1;
};
