#include "wizard/ui/NamePropertyPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "records/LibraryPaths.h"
#include "uisupport/AccessibleNames.h"
#include "uisupport/FolderTreeCtrl.h"
#include "uisupport/UiSeam.h"
#include "wizard/NewFunction.h"
#include "wizard/ui/WizardTexts.h"

namespace {

// What the page's controls show; the edits and the folder tree are named by their labels.
namespace text {
constexpr const char* kInstruction = QT_TRANSLATE_NOOP(
    "CNamePropertyPage", "생성하고자 하는 함수의 이름과 생성될 함수의 위치를 입력하세요.");
constexpr const char* kName = QT_TRANSLATE_NOOP("CNamePropertyPage", "함수 이름(&F): ");
constexpr const char* kLocation = QT_TRANSLATE_NOOP("CNamePropertyPage", "생성할 위치(&L):");
}  // namespace text

QString Shown(const std::string& path) {
    return QString::fromUtf8(kelvane::DisplayPath(path));
}

}  // namespace

CNamePropertyPage::CNamePropertyPage(UiSeam& seam, QWidget* parent)
    : QWizardPage(parent),
      m_seam(seam),
      m_nameEdit(new QLineEdit(this)),
      m_locationEdit(new QLineEdit(this)),
      m_folderTree(new CFolderTreeCtrl(this)) {
    setTitle(WizardPageTitle());
    m_nameEdit->setObjectName(QStringLiteral("1015"));
    m_locationEdit->setObjectName(QStringLiteral("1003"));
    m_folderTree->setObjectName(QStringLiteral("130"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr(text::kInstruction), this));
    auto* frame = new QGroupBox(this);
    auto* grid = new QVBoxLayout(frame);
    auto* nameLabel = new QLabel(tr(text::kName), frame);
    nameLabel->setBuddy(m_nameEdit);
    auto* locationLabel = new QLabel(tr(text::kLocation), frame);
    locationLabel->setBuddy(m_locationEdit);
    m_nameEdit->setAccessibleName(NameFromLabel(tr(text::kName)));
    m_locationEdit->setAccessibleName(NameFromLabel(tr(text::kLocation)));
    // The tree picks the same location the edit holds.
    m_folderTree->setAccessibleName(NameFromLabel(tr(text::kLocation)));
    grid->addWidget(nameLabel);
    grid->addWidget(m_nameEdit);
    grid->addWidget(locationLabel);
    grid->addWidget(m_locationEdit);
    grid->addWidget(m_folderTree, 1);
    layout->addWidget(frame, 1);

    connect(m_folderTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnSelectionChanged(current); });
}

void CNamePropertyPage::initializePage() {
    // Once per run: going back and forth keeps the tree and the texts as they were.
    if (m_initialised)
        return;
    m_initialised = true;
    m_folderTree->Initialise(true);
    // The tree opens only along an absolute path: a program directory given relative to the
    // working directory, or with "." and ".." in it, is made absolute and plain first.
    m_folderTree->SelectPath(kelvane::AbsolutePath(kelvane::GetLibraryRoot()));
}

void CNamePropertyPage::OnSelectionChanged(QTreeWidgetItem* current) {
    m_selectedPath = m_folderTree->PathOfSelection(current);
    m_locationEdit->setText(Shown(m_selectedPath));
}

std::string CNamePropertyPage::Name() const {
    return m_nameEdit->text().toStdString();
}

std::string CNamePropertyPage::Location() const {
    const QString text = m_locationEdit->text();
    if (!m_selectedPath.empty() && text == Shown(m_selectedPath))
        return m_selectedPath;
    return text.toStdString();
}

bool CNamePropertyPage::validatePage() {
    const std::string name = Name();
    if (name.empty() || Location().empty())
        return false;
    if (const auto refusal = kelvane::NameRefusal(name)) {
        m_seam.message(this, QString::fromStdString(*refusal));
        return false;
    }
    return true;
}
