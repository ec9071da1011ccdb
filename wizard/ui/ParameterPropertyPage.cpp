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
#include "uisupport/AccessibleNames.h"
#include "uisupport/DialogUnits.h"
#include "wizard/ui/WizardTexts.h"

namespace {

// What the page's controls show, and the names a screen reader says for the buttons,
// whose arrows and abbreviations say little when read out.
namespace text {
constexpr const char* kInstruction =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "함수의 파라미터를 등록하세요.");
constexpr const char* kInputs = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Input Parameters:");
constexpr const char* kOutputs = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Output Parameters:");
constexpr const char* kKinds = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Kinds of Parameters:");
constexpr const char* kTypeColumn = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Type");
constexpr const char* kDescriptionColumn =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "Description");
constexpr const char* kUp = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Up");
constexpr const char* kDown = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Dn");
constexpr const char* kAdd = QT_TRANSLATE_NOOP("CParameterPropertyPage", "<-");
constexpr const char* kRemove = QT_TRANSLATE_NOOP("CParameterPropertyPage", "->");
constexpr const char* kInputUpName = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Move input up");
constexpr const char* kInputDownName =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "Move input down");
constexpr const char* kOutputUpName = QT_TRANSLATE_NOOP("CParameterPropertyPage", "Move output up");
constexpr const char* kOutputDownName =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "Move output down");
constexpr const char* kAddInputName =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "Add kind to inputs");
constexpr const char* kRemoveInputName =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "Remove input");
constexpr const char* kAddOutputName =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "Add kind to outputs");
constexpr const char* kRemoveOutputName =
    QT_TRANSLATE_NOOP("CParameterPropertyPage", "Remove output");
}  // namespace text

constexpr int kTypeColumnWidth = 120;
constexpr int kDescriptionColumnWidth = 300;
// Sizes of the page's template, in dialog units.
constexpr int kButtonWidth = 15;
constexpr int kButtonHeight = 18;
constexpr int kListWidth = 79;
constexpr int kListHeight = 57;
constexpr int kColumnGap = 3;
constexpr int kTransferGap = 7;  // between "<-" and "->"

// A label above a list, which names the list for screen readers too.
QLabel* Label(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(NameFromLabel(caption));
    return label;
}

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
    setTitle(WizardPageTitle());
    m_listInput->setObjectName(QStringLiteral("1005"));
    m_listOutput->setObjectName(QStringLiteral("1006"));
    m_kinds->setObjectName(QStringLiteral("1007"));

    m_kinds->setRootIsDecorated(false);
    m_kinds->setSelectionMode(QAbstractItemView::SingleSelection);
    m_kinds->setHeaderLabels({tr(text::kTypeColumn), tr(text::kDescriptionColumn)});
    m_kinds->header()->setSectionsClickable(false);
    m_kinds->setColumnWidth(0, kTypeColumnWidth);
    m_kinds->setColumnWidth(1, kDescriptionColumnWidth);
    for (const kelvane::TypeInfo& type : kelvane::kParameterTypes) {
        new QTreeWidgetItem(m_kinds, {QString::fromUtf8(type.name.data(), type.name.size()),
                                      QString::fromStdString(kelvane::ShownDescription(type))});
    }

    QPushButton* inputUp = Button(tr(text::kUp), tr(text::kInputUpName), "1008");
    QPushButton* inputDown = Button(tr(text::kDown), tr(text::kInputDownName), "1009");
    QPushButton* outputUp = Button(tr(text::kUp), tr(text::kOutputUpName), "1010");
    QPushButton* outputDown = Button(tr(text::kDown), tr(text::kOutputDownName), "1014");
    QPushButton* addInput = Button(tr(text::kAdd), tr(text::kAddInputName), "1004");
    QPushButton* removeInput = Button(tr(text::kRemove), tr(text::kRemoveInputName), "1011");
    QPushButton* addOutput = Button(tr(text::kAdd), tr(text::kAddOutputName), "1012");
    QPushButton* removeOutput = Button(tr(text::kRemove), tr(text::kRemoveOutputName), "1013");
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
    layout->addWidget(new QLabel(tr(text::kInstruction), this));
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(du.X(kColumnGap));
    grid->addWidget(Label(tr(text::kInputs), m_listInput, frame), 0, 1);
    grid->addWidget(Label(tr(text::kKinds), m_kinds, frame), 0, 3);
    grid->addLayout(MoveButtons(inputUp, inputDown), 1, 0);
    grid->addWidget(m_listInput, 1, 1);
    grid->addLayout(TransferButtons(addInput, removeInput), 1, 2);
    grid->addWidget(m_kinds, 1, 3, 3, 1);
    grid->addWidget(Label(tr(text::kOutputs), m_listOutput, frame), 2, 1, Qt::AlignBottom);
    grid->addLayout(MoveButtons(outputUp, outputDown), 3, 0);
    grid->addWidget(m_listOutput, 3, 1);
    grid->addLayout(TransferButtons(addOutput, removeOutput), 3, 2);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(frame, 1);
}

QPushButton* CParameterPropertyPage::Button(const QString& caption, const QString& name,
                                            const char* id) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(id));
    button->setAccessibleName(name);
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
