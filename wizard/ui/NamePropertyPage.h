#pragma once

#include <QWizardPage>
#include <string>

class CFolderTreeCtrl;
class QLineEdit;
class QTreeWidgetItem;
class UiSeam;

// Page 2: the function's name and the folder to create it in. The folder tree opens on
// the library root the first time the page is shown; every selection in it replaces the
// location. Next needs both texts, and a name that can become a folder and a record.
class CNamePropertyPage : public QWizardPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNamePropertyPage)

public:
    CNamePropertyPage(UiSeam& seam, QWidget* parent = nullptr);

    void initializePage() override;
    bool validatePage() override;

    // The name as typed (UTF-8), without "()".
    std::string Name() const;
    // The location as path bytes: the selected folder's own bytes while the edit shows
    // it, else the typed text.
    std::string Location() const;

    CFolderTreeCtrl* FolderTree() const { return m_folderTree; }
    QLineEdit* NameEdit() const { return m_nameEdit; }
    QLineEdit* LocationEdit() const { return m_locationEdit; }

private:
    void OnSelectionChanged(QTreeWidgetItem* current);

    UiSeam& m_seam;
    QLineEdit* m_nameEdit;
    QLineEdit* m_locationEdit;
    CFolderTreeCtrl* m_folderTree;
    std::string m_selectedPath;  // bytes of the path last filled in from the tree
    bool m_initialised = false;
};
