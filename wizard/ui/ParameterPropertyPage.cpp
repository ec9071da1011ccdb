#include "wizard/ui/ParameterPropertyPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "records/ParamTypes.h"
#include "wizard/ui/WizardTexts.h"

namespace {

constexpr int kTypeColumnWidth = 120;
constexpr int kDescriptionColumnWidth = 300;

// The selected entry's row, or -1.
int SelectedRow(const QListWidget* list) {
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

std::vector<std::string> Entries(const QListWidget* list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list->count(); ++i)
        entries.push_back(list->item(i)->text().toStdString());
    return entries;
}

}  // namespace

CParameterPropertyPage::CParameterPropertyPage(QWidget* parent)
    : QWizardPage(parent),
      m_listOutput(new QListWidget(this)),
      m_listInput(new QListWidget(this)),
      m_kinds(new QTreeWidget(this)) {
    setTitle(kWizardPageTitle);
    m_listInput->setObjectName(QStringLiteral("1005"));
    m_listOutput->setObjectName(QStringLiteral("1006"));
    m_kinds->setObjectName(QStringLiteral("1007"));

    m_kinds->setRootIsDecorated(false);
    m_kinds->setSelectionMode(QAbstractItemView::SingleSelection);
    m_kinds->setHeaderLabels({QStringLiteral("Type"), QStringLiteral("Description")});
    m_kinds->header()->setSectionsClickable(false);
    m_kinds->setColumnWidth(0, kTypeColumnWidth);
    m_kinds->setColumnWidth(1, kDescriptionColumnWidth);
    for (const kelvane::TypeInfo& type : kelvane::kParameterTypes) {
        new QTreeWidgetItem(m_kinds,
                            {QString::fromUtf8(type.name.data(), type.name.size()),
                             QString::fromUtf8(type.description.data(), type.description.size())});
    }

    QPushButton* inputUp = Button("Up", "1008");
    QPushButton* inputDown = Button("Dn", "1009");
    QPushButton* outputUp = Button("Up", "1010");
    QPushButton* outputDown = Button("Dn", "1014");
    QPushButton* addInput = Button("<-", "1004");
    QPushButton* removeInput = Button("->", "1011");
    QPushButton* addOutput = Button("<-", "1012");
    QPushButton* removeOutput = Button("->", "1013");
    connect(inputUp, &QPushButton::clicked, this, [this] { MoveSelected(m_listInput, -1); });
    connect(inputDown, &QPushButton::clicked, this, [this] { MoveSelected(m_listInput, 1); });
    connect(outputUp, &QPushButton::clicked, this, [this] { MoveSelected(m_listOutput, -1); });
    connect(outputDown, &QPushButton::clicked, this, [this] { MoveSelected(m_listOutput, 1); });
    connect(addInput, &QPushButton::clicked, this, [this] { AddKind(m_listInput); });
    connect(addOutput, &QPushButton::clicked, this, [this] { AddKind(m_listOutput); });
    connect(removeInput, &QPushButton::clicked, this, [this] { RemoveSelected(m_listInput); });
    connect(removeOutput, &QPushButton::clicked, this, [this] { RemoveSelected(m_listOutput); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("함수의 파라미터를 등록하세요."), this));
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Input Parameters:"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kinds of Parameters:"), frame), 0, 3);
    auto* inputMoves = new QVBoxLayout;
    inputMoves->addWidget(inputUp);
    inputMoves->addWidget(inputDown);
    grid->addLayout(inputMoves, 1, 0);
    grid->addWidget(m_listInput, 1, 1);
    auto* inputAdds = new QVBoxLayout;
    inputAdds->addWidget(addInput);
    inputAdds->addWidget(removeInput);
    grid->addLayout(inputAdds, 1, 2);
    grid->addWidget(m_kinds, 1, 3, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Output Parameters:"), frame), 2, 1);
    auto* outputMoves = new QVBoxLayout;
    outputMoves->addWidget(outputUp);
    outputMoves->addWidget(outputDown);
    grid->addLayout(outputMoves, 3, 0);
    grid->addWidget(m_listOutput, 3, 1);
    auto* outputAdds = new QVBoxLayout;
    outputAdds->addWidget(addOutput);
    outputAdds->addWidget(removeOutput);
    grid->addLayout(outputAdds, 3, 2);
    layout->addWidget(frame, 1);
}

QPushButton* CParameterPropertyPage::Button(const char* text, const char* id) {
    auto* button = new QPushButton(QString::fromLatin1(text), this);
    button->setObjectName(QLatin1String(id));
    button->setAutoDefault(false);
    return button;
}

void CParameterPropertyPage::AddKind(QListWidget* list) {
    for (int row = 0; row < m_kinds->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* kind = m_kinds->topLevelItem(row);
        if (kind->isSelected())
            list->addItem(kind->text(0));
    }
}

void CParameterPropertyPage::RemoveSelected(QListWidget* list) {
    const int row = SelectedRow(list);
    if (row < 0)
        return;
    delete list->takeItem(row);
    list->clearSelection();
}

void CParameterPropertyPage::MoveSelected(QListWidget* list, int step) {
    const int row = SelectedRow(list);
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count())
        return;
    list->insertItem(target, list->takeItem(row));
    list->setFocus();
    list->setCurrentRow(target);
}

bool CParameterPropertyPage::validatePage() {
    return m_listInput->count() > 0;
}

std::vector<std::string> CParameterPropertyPage::Inputs() const {
    return Entries(m_listInput);
}

std::vector<std::string> CParameterPropertyPage::Outputs() const {
    return Entries(m_listOutput);
}
