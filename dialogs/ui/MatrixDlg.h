#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "dialogs/MatrixText.h"

class QLineEdit;
class UiSeam;
class CSpinButtons;

// Dialog 147: edits a matrix value of up to 10 x 10 numbers in a grid of cells. The
// width and height edits set the active top-left part; the other cells keep their
// numbers but are disabled. "Save..." and "Load..." keep the active part in .mat files.
// After OK, Grid() holds the size and numbers and ValueText() the matrix value text.
class CMatrixDlg : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMatrixDlg)
public:
    explicit CMatrixDlg(UiSeam& seam, QWidget* parent = nullptr);

    // Opens the grid on a value text: empty gives one active cell holding 1; otherwise
    // the text is read as "(WxH)" and its numbers, sizes kept within the grid.
    void SetValueText(const std::string& valueText);

    const kelvane::MatrixGrid& Grid() const { return m_grid; }
    const std::string& ValueText() const { return m_strValueText; }

    // The control id of cell (row, column).
    static int CellId(int row, int column);

    void accept() override;

private:
    enum class Exchange {
        Strict,   // stop at the first text that is not a number, with a message
        Lenient,  // report the first such text, read the rest anyway
        Quiet,    // read what can be read, say nothing
    };

    QWidget* BuildGrid();
    QWidget* BuildSizeRow();
    bool ExchangeFromControls(Exchange mode);
    void ExchangeToControls();
    void EnableActiveCells(bool enable);
    void OnSizeChanged(int& ignoreFlag);
    void OnSave();
    void OnLoad();

    UiSeam& m_seam;
    kelvane::MatrixGrid m_grid;
    std::string m_strValueText;
    std::array<int, kelvane::MatrixGrid::kCells> m_cellIds{};
    std::array<QLineEdit*, kelvane::MatrixGrid::kCells> m_cells{};
    QLineEdit* m_widthEdit = nullptr;
    QLineEdit* m_heightEdit = nullptr;
    CSpinButtons* m_widthSpin = nullptr;
    CSpinButtons* m_heightSpin = nullptr;
    int m_bIgnoreWidthChange = 1;
    int m_bIgnoreHeightChange = 1;
    bool m_bExchanging = false;
};
