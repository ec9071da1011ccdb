#pragma once

#include <QWizardPage>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class QTreeWidget;

// Page 3: the input and output parameter types, picked from the nine kinds in order.
// Next needs at least one input.
class CParameterPropertyPage : public QWizardPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CParameterPropertyPage)

public:
    explicit CParameterPropertyPage(QWidget* parent = nullptr);

    bool validatePage() override;

    std::vector<std::string> Inputs() const;
    std::vector<std::string> Outputs() const;

    QTreeWidget* Kinds() const { return m_kinds; }
    QListWidget* InputList() const { return m_listInput; }

private:
    QPushButton* Button(const QString& caption, const QString& name, const char* id);
    void AddKind(QListWidget* list);
    static void RemoveSelected(QListWidget* list);
    static void MoveSelected(QListWidget* list, int step);

    QListWidget* m_listOutput;
    QListWidget* m_listInput;
    QTreeWidget* m_kinds;
};
