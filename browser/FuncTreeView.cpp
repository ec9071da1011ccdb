#include "browser/FuncTreeView.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "records/DirScan.h"
#include "records/TextCodec.h"

CFuncTreeView::CFuncTreeView(QWidget* parent) : QWidget(parent), m_tabs(new QTabWidget(this)) {
    m_tabs->setObjectName(QStringLiteral("1000"));
    m_tabs->setDocumentMode(false);
    m_tabs->setUsesScrollButtons(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_tabs);
}

void CFuncTreeView::InitialUpdate(const std::string& libraryRoot) {
    if (m_bBuilt)
        return;
    m_bBuilt = true;
    const std::vector<kelvane::DirEntry> groups = kelvane::ScanDirectories(libraryRoot);
    m_nGroupCount = static_cast<int>(groups.size());
    m_pTrees.reserve(groups.size());
    for (int i = 0; i < m_nGroupCount; ++i) {
        const kelvane::DirEntry& group = groups[static_cast<std::size_t>(i)];
        auto* tree = new CLibraryTreeCtrl(m_tabs);
        tree->setObjectName(QString::number(i));
        tree->m_strRootPath = group.path;
        tree->InitTree();
        m_pTrees.push_back(tree);
        // "&" in a tab text would be taken for a mnemonic.
        QString label = QString::fromStdString(kelvane::DisplayName(group.name));
        m_tabs->addTab(tree, label.replace(QLatin1Char('&'), QLatin1String("&&")));
        connect(tree, &CLibraryTreeCtrl::showRequested, this, &CFuncTreeView::showRequested);
        connect(tree, &CLibraryTreeCtrl::popupRequested, this, &CFuncTreeView::popupRequested);
        connect(tree, &QTreeWidget::currentItemChanged, this, &CFuncTreeView::selectionChanged);
    }
    if (m_nGroupCount > 0)
        m_tabs->setCurrentIndex(0);
}

int CFuncTreeView::CurrentTab() const {
    return m_tabs->currentIndex();
}

CLibraryTreeCtrl* CFuncTreeView::CurrentTree() {
    const int tab = CurrentTab();
    if (tab < 0 || tab >= static_cast<int>(m_pTrees.size()))
        return nullptr;
    return m_pTrees[static_cast<std::size_t>(tab)];
}

QTreeWidgetItem* CFuncTreeView::SelectPath(const std::string& path) {
    for (std::size_t i = 0; i < m_pTrees.size(); ++i) {
        CLibraryTreeCtrl* tree = m_pTrees[i];
        const std::string& root = tree->m_strRootPath;
        if (path != root && path.compare(0, root.size() + 1, root + "/") != 0)
            continue;
        m_tabs->setCurrentIndex(static_cast<int>(i));
        return tree->SelectPath(path);
    }
    return nullptr;
}
