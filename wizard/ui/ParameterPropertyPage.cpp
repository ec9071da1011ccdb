#include "wizard/ui/ParameterPropertyPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "records/ParamTypes.h"
#include "uisupport/DialogUnits.h"
#include "wizard/ui/WizardTexts.h"

namespace {

constexpr int kTypeColumnWidth = 120;
constexpr int kDescriptionColumnWidth = 300;
// Sizes of the page's template, in dialog units.
constexpr int kButtonWidth = 15;
constexpr int kButtonHeight = 18;
constexpr int kListWidth = 79;
constexpr int kListHeight = 57;
constexpr int kColumnGap = 3;
constexpr int kTransferGap = 7;  // between "<-" and "->"

// "Up" level with the top of its list, "Dn" with the bottom.
QVBoxLayout* MoveButtons(QPushButton* up, QPushButton* down) {
    auto* column = new QVBoxLayout;
    column->addWidget(up);
    column->addStretch(1);
    column->addWidget(down);
    return column;
}

// "<-" and "->" together in the middle of the list's height.
QVBoxLayout* TransferButtons(QPushButton* add, QPushButton* remove) {
    auto* column = new QVBoxLayout;
    column->addStretch(1);
    column->addWidget(add);
    column->addSpacing(DialogUnits(add->fontMetrics()).Y(kTransferGap));
    column->addWidget(remove);
    column->addStretch(1);
    return column;
}

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

    // The template's columns: narrow move buttons, the parameter lists, narrow add and
    // remove buttons, then the kinds list, wide enough for both its columns.
    const DialogUnits du(fontMetrics());
    for (QListWidget* list : {m_listInput, m_listOutput}) {
        list->setFixedWidth(du.X(kListWidth));
        list->setMinimumHeight(du.Y(kListHeight));
    }
    m_kinds->setMinimumWidth(kTypeColumnWidth + kDescriptionColumnWidth +
                             2 * m_kinds->frameWidth() +
                             style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_kinds));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("함수의 파라미터를 등록하세요."), this));
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(du.X(kColumnGap));
    grid->addWidget(new QLabel(QStringLiteral("Input Parameters:"), frame), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Kinds of Parameters:"), frame), 0, 3);
    grid->addLayout(MoveButtons(inputUp, inputDown), 1, 0);
    grid->addWidget(m_listInput, 1, 1);
    grid->addLayout(TransferButtons(addInput, removeInput), 1, 2);
    grid->addWidget(m_kinds, 1, 3, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Output Parameters:"), frame), 2, 1, Qt::AlignBottom);
    grid->addLayout(MoveButtons(outputUp, outputDown), 3, 0);
    grid->addWidget(m_listOutput, 3, 1);
    grid->addLayout(TransferButtons(addOutput, removeOutput), 3, 2);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(frame, 1);
}

QPushButton* CParameterPropertyPage::Button(const char* text, const char* id) {
    auto* button = new QPushButton(QString::fromLatin1(text), this);
    button->setObjectName(QLatin1String(id));
    button->setAutoDefault(false);
    button->setFixedSize(DialogUnits(fontMetrics()).Size(kButtonWidth, kButtonHeight));
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
