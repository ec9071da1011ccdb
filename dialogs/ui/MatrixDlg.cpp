#include "MatrixDlg.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "SpinButtons.h"
#include "dialogs/MatFile.h"
#include "records/FileOps.h"
#include "records/LibraryPaths.h"
#include "uisupport/UiSeam.h"

namespace {

constexpr int kSide = kelvane::MatrixGrid::kSide;
// Each row's cells are numbered from its own first id, one per column.
constexpr std::array<int, kSide> kRowFirstIds = {1248, 1264, 1280, 1296, 1312,
                                                 1338, 1353, 1368, 1383, 1398};
constexpr int kCellPixels = 34;

// What the dialog's controls show, and the names a screen reader says for them.
namespace text {
constexpr const char* kCaption = QT_TRANSLATE_NOOP("CMatrixDlg", "Input Matrix Parameter");
constexpr const char* kMatrix = QT_TRANSLATE_NOOP("CMatrixDlg", "Matrix");
constexpr const char* kWidth = QT_TRANSLATE_NOOP("CMatrixDlg", "Width");
constexpr const char* kBy = QT_TRANSLATE_NOOP("CMatrixDlg", "X");
constexpr const char* kHeight = QT_TRANSLATE_NOOP("CMatrixDlg", "Height");
constexpr const char* kSave = QT_TRANSLATE_NOOP("CMatrixDlg", "Save...");
constexpr const char* kLoad = QT_TRANSLATE_NOOP("CMatrixDlg", "Load...");
constexpr const char* kOk = QT_TRANSLATE_NOOP("CMatrixDlg", "OK");
constexpr const char* kCancel = QT_TRANSLATE_NOOP("CMatrixDlg", "Cancel");
constexpr const char* kCellName =
    QT_TRANSLATE_NOOP("CMatrixDlg", "Row %1, column %2");                  // counted from 1
constexpr const char* kStepUp = QT_TRANSLATE_NOOP("CMatrixDlg", "%1 up");  // a size's spin arrows
constexpr const char* kStepDown = QT_TRANSLATE_NOOP("CMatrixDlg", "%1 down");
}  // namespace text

constexpr const char* kMatFilter = QT_TRANSLATE_NOOP("CMatrixDlg", "Matrix Files(*.mat)");
constexpr const char* kOpenError = QT_TRANSLATE_NOOP("CMatrixDlg", "Matrix File Open Error!");
constexpr const char* kNeedInteger = QT_TRANSLATE_NOOP("CMatrixDlg", "Please enter an integer.");
constexpr const char* kNeedNumber = QT_TRANSLATE_NOOP("CMatrixDlg", "Please enter a number.");

QString IdName(int id) {
    return QString::number(id);
}

// A grid cell is narrower than many numbers: out of focus it shows the start of its text,
// where the digits that matter are, and the whole text as its tooltip.
class CMatrixCell : public QLineEdit {
public:
    explicit CMatrixCell(QWidget* parent) : QLineEdit(parent) {
        connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
            setToolTip(text);
            if (!isModified())  // set by the dialog, not typed
                setCursorPosition(0);
        });
    }

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        setCursorPosition(0);
    }
};

}  // namespace

int CMatrixDlg::CellId(int row, int column) {
    return kRowFirstIds[row] + column;
}

CMatrixDlg::CMatrixDlg(UiSeam& seam, QWidget* parent) : QDialog(parent), m_seam(seam) {
    setWindowTitle(tr(text::kCaption));
    for (int r = 0; r < kSide; ++r)
        for (int c = 0; c < kSide; ++c)
            m_cellIds[r * kSide + c] = CellId(r, c);

    auto* group = new QGroupBox(tr(text::kMatrix), this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(BuildGrid());
    groupLayout->addWidget(BuildSizeRow());

    auto* ok = new QPushButton(tr(text::kOk), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr(text::kCancel), this);
    cancel->setObjectName(QStringLiteral("2"));
    // Enter on a focused button presses that button; elsewhere it means OK.
    cancel->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    ExchangeToControls();
    // Attaching a spin control notifies its edit once; that first notification only
    // clears the edit's ignore flag.
    m_widthSpin->SetBuddy(m_widthEdit);
    m_heightSpin->SetBuddy(m_heightEdit);
    OnSizeChanged(m_bIgnoreHeightChange);
    OnSizeChanged(m_bIgnoreWidthChange);
}

QWidget* CMatrixDlg::BuildGrid() {
    auto* grid = new QWidget(this);
    auto* layout = new QGridLayout(grid);
    layout->setSpacing(1);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kelvane::MatrixGrid::kCells; ++i) {
        auto* cell = new CMatrixCell(grid);
        cell->setObjectName(IdName(m_cellIds[i]));
        cell->setAlignment(Qt::AlignCenter);
        cell->setFixedSize(kCellPixels, kCellPixels * 2 / 3);
        cell->setEnabled(false);
        cell->setAccessibleName(tr(text::kCellName).arg(i / kSide + 1).arg(i % kSide + 1));
        layout->addWidget(cell, i / kSide, i % kSide);
        m_cells[i] = cell;
    }
    return grid;
}

QWidget* CMatrixDlg::BuildSizeRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto sizeEdit = [&](const QString& name, int editId, int spinId, QLineEdit*& edit,
                        CSpinButtons*& spin) {
        auto* label = new QLabel(name, row);
        edit = new QLineEdit(row);
        edit->setObjectName(IdName(editId));
        edit->setFixedWidth(kCellPixels * 3 / 2);
        edit->setAccessibleName(name);
        label->setBuddy(edit);
        spin = new CSpinButtons(row);
        spin->setObjectName(IdName(spinId));
        spin->setAccessibleName(name);
        spin->SetAccessibleNames(tr(text::kStepUp).arg(name), tr(text::kStepDown).arg(name));
        layout->addWidget(label);
        auto* box = new QHBoxLayout;
        box->setSpacing(0);
        box->addWidget(edit);
        box->addWidget(spin);
        layout->addLayout(box);
    };
    sizeEdit(tr(text::kWidth), 1000, 1002, m_widthEdit, m_widthSpin);
    layout->addWidget(new QLabel(tr(text::kBy), row));
    sizeEdit(tr(text::kHeight), 1001, 1004, m_heightEdit, m_heightSpin);
    layout->addStretch(1);
    auto* save = new QPushButton(tr(text::kSave), row);
    save->setObjectName(QStringLiteral("1077"));
    save->setAutoDefault(true);
    auto* load = new QPushButton(tr(text::kLoad), row);
    load->setObjectName(QStringLiteral("1078"));
    load->setAutoDefault(true);
    auto* files = new QVBoxLayout;
    files->addWidget(save);
    files->addWidget(load);
    layout->addLayout(files);

    connect(m_widthEdit, &QLineEdit::textChanged, this,
            [this] { OnSizeChanged(m_bIgnoreWidthChange); });
    connect(m_heightEdit, &QLineEdit::textChanged, this,
            [this] { OnSizeChanged(m_bIgnoreHeightChange); });
    connect(save, &QPushButton::clicked, this, &CMatrixDlg::OnSave);
    connect(load, &QPushButton::clicked, this, &CMatrixDlg::OnLoad);
    return row;
}

void CMatrixDlg::SetValueText(const std::string& valueText) {
    m_strValueText = valueText;
    EnableActiveCells(false);
    if (valueText.empty()) {
        m_grid.width = 1;
        m_grid.height = 1;
    } else {
        kelvane::ParseMatrixText(valueText, m_grid);
    }
    EnableActiveCells(true);
    m_widthSpin->SetRange(1, kSide);
    m_heightSpin->SetRange(1, kSide);
    ExchangeToControls();
}

bool CMatrixDlg::ExchangeFromControls(Exchange mode) {
    bool ok = true;
    auto refuse = [&](QLineEdit* edit, const QString& message) {
        if (ok && mode != Exchange::Quiet) {
            m_seam.message(this, message);
            edit->setFocus();
        }
        ok = false;
        return mode == Exchange::Strict;  // true: stop here
    };
    auto readSize = [&](QLineEdit* edit, int& member) {
        int value = 0;
        if (kelvane::ParseIntegerText(edit->text().toStdString(), value)) {
            member = value;
            return false;
        }
        return refuse(edit, tr(kNeedInteger));
    };
    if (readSize(m_heightEdit, m_grid.height))
        return false;
    if (readSize(m_widthEdit, m_grid.width))
        return false;
    for (int i = 0; i < kelvane::MatrixGrid::kCells; ++i) {
        float value = 0;
        if (kelvane::ParseRealText(m_cells[i]->text().toStdString(), value))
            m_grid.elements[i] = value;
        else if (refuse(m_cells[i], tr(kNeedNumber)))
            return false;
    }
    return ok;
}

void CMatrixDlg::ExchangeToControls() {
    m_bExchanging = true;
    auto show = [](QLineEdit* edit, const QString& text) {
        if (edit->text() != text)
            edit->setText(text);
    };
    show(m_heightEdit, QString::number(m_grid.height));
    show(m_widthEdit, QString::number(m_grid.width));
    for (int i = 0; i < kelvane::MatrixGrid::kCells; ++i)
        show(m_cells[i], QString::fromStdString(kelvane::FormatCellNumber(m_grid.elements[i])));
    m_bExchanging = false;
}

void CMatrixDlg::EnableActiveCells(bool enable) {
    const int height = kelvane::ClampSide(m_grid.height);
    const int width = kelvane::ClampSide(m_grid.width);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            m_cells[r * kSide + c]->setEnabled(enable);
}

void CMatrixDlg::OnSizeChanged(int& ignoreFlag) {
    if (m_bExchanging)
        return;
    if (ignoreFlag) {
        ignoreFlag = 0;
        return;
    }
    EnableActiveCells(false);
    ExchangeFromControls(Exchange::Lenient);
    // Only the grid exists: a size outside it is brought back to its edge.
    m_grid.height = kelvane::ClampSide(m_grid.height);
    m_grid.width = kelvane::ClampSide(m_grid.width);
    ExchangeToControls();
    EnableActiveCells(true);
}

void CMatrixDlg::accept() {
    if (!ExchangeFromControls(Exchange::Strict))
        return;
    m_grid.height = kelvane::ClampSide(m_grid.height);
    m_grid.width = kelvane::ClampSide(m_grid.width);
    const auto text =
        kelvane::FormatMatrixText(m_grid.width, m_grid.height, m_grid.ActiveElements());
    if (!text) {
        ExchangeToControls();
        m_seam.message(this, tr("The matrix value text would be longer than the %1 bytes its "
                                "field holds; use smaller numbers or a smaller matrix.")
                                 .arg(kelvane::kValueTextCapacity));
        return;
    }
    m_strValueText = *text;
    QDialog::accept();
}

void CMatrixDlg::OnSave() {
    const QString chosen = m_seam.saveFileName(this, tr("Save Matrix"), tr(kMatFilter));
    if (chosen.isEmpty())
        return;
    const std::string typed = QFile::encodeName(chosen).toStdString();
    const std::string path = kelvane::WithMatExtension(typed);
    // The file dialog asked about the name as typed; a file under the completed name is
    // not replaced without asking too.
    if (path != typed && QFile::exists(QFile::decodeName(QByteArray::fromStdString(path))) &&
        !m_seam.confirm(this, tr("%1 already exists.\nDo you want to replace it?")
                                  .arg(QString::fromStdString(kelvane::DisplayPath(path)))))
        return;
    ExchangeFromControls(Exchange::Lenient);
    kelvane::MatrixGrid saved = m_grid;
    saved.width = kelvane::ClampSide(saved.width);
    saved.height = kelvane::ClampSide(saved.height);
    if (!kelvane::WriteMatFile(path, saved))
        m_seam.message(this, tr(kOpenError));
}

void CMatrixDlg::OnLoad() {
    const QString chosen = m_seam.openFileName(this, tr("Load Matrix"), tr(kMatFilter));
    if (chosen.isEmpty())
        return;
    const std::string path = QFile::encodeName(chosen).toStdString();
    std::string bytes;
    if (!kelvane::ReadWholeFile(path, bytes)) {
        m_seam.message(this, tr(kOpenError));
        return;
    }
    // Numbers typed into the cells so far stay unless the file replaces them.
    ExchangeFromControls(Exchange::Quiet);
    kelvane::MatrixGrid loaded = m_grid;
    const kelvane::Status parsed = kelvane::ParseMatFile(bytes, loaded);
    if (!parsed) {
        m_seam.message(this, tr("Could not load %1: %2; the matrix is unchanged.")
                                 .arg(chosen, QString::fromStdString(parsed.message())));
        return;
    }
    EnableActiveCells(false);
    m_grid = loaded;
    EnableActiveCells(true);
    ExchangeToControls();
}
