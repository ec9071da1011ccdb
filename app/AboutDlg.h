#pragma once

#include <QDialog>

// The About box: the application icon, "KLV Version 1.0" and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAboutDlg)

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
