#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FakeSeam.h"
#include "app/AboutDlg.h"
#include "dialogs/ui/DefaultValueDlg.h"
#include "dialogs/ui/DescriptionDlg.h"
#include "dialogs/ui/InOutDlg.h"
#include "dialogs/ui/MatrixDlg.h"
#include "dialogs/ui/ParamTypeDlg.h"
#include "dialogs/ui/RenameDlg.h"
#include "search/ui/FindFunctionDlg.h"

// Every dialog the user can open (the wizard aside), with a name to tell them apart.
inline std::vector<std::pair<std::string, std::unique_ptr<QDialog>>> EveryDialog(FakeSeam& seam) {
    std::vector<std::pair<std::string, std::unique_ptr<QDialog>>> dialogs;
    dialogs.emplace_back("ParamType", std::make_unique<CParamTypeDlg>());
    dialogs.emplace_back("InOut", std::make_unique<CInOutDlg>());
    dialogs.emplace_back("DefaultValue", std::make_unique<CDefaultValueDlg>(seam));
    dialogs.emplace_back("Description", std::make_unique<CDescriptionDlg>(seam, 512));
    dialogs.emplace_back("Rename", std::make_unique<CRenameDlg>());
    dialogs.emplace_back("Matrix", std::make_unique<CMatrixDlg>(seam));
    dialogs.emplace_back("About", std::make_unique<CAboutDlg>());
    dialogs.emplace_back("FindFunction", std::make_unique<CFindFunctionDlg>());
    return dialogs;
}
