#pragma once

#include <QDialog>
#include <string>

class QComboBox;

// Dialog 131: picks a parameter type name from the fourteen selection rows. Headings and
// spacers are not types: OK with one of them (or nothing) selected keeps the dialog open.
class CParamTypeDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CParamTypeDlg)
public:
    explicit CParamTypeDlg(QWidget* parent = nullptr);

    // Selects the first row equal to the name byte for byte; no row matches -> none.
    void SetTypeName(const std::string& typeName);
    const std::string& TypeName() const { return m_strTypeName; }

    void accept() override;

private:
    QComboBox* m_list;
    std::string m_strTypeName;
};
