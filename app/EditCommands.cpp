#include <sys/stat.h>

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QTreeWidgetItem>

#include "app/Commands.h"
#include "app/EditHistory.h"
#include "app/EditSave.h"
#include "app/MainFrame.h"
#include "browser/FuncTreeView.h"
#include "browser/LibraryTreeCtrl.h"
#include "dialogs/ui/DefaultValueDlg.h"
#include "dialogs/ui/DescriptionDlg.h"
#include "dialogs/ui/InOutDlg.h"
#include "dialogs/ui/MatrixDlg.h"
#include "dialogs/ui/ParamTypeDlg.h"
#include "infoview/InfoLabels.h"
#include "infoview/ui/KLVView.h"
#include "records/FunctionEdits.h"
#include "records/Launch.h"
#include "records/LibraryPaths.h"
#include "records/OutsideLinks.h"
#include "records/ParamTypes.h"
#include "records/RepeatableEdit.h"
#include "records/TextCodec.h"
#include "resources/CommandIds.h"
#include "uisupport/UiSeam.h"

using namespace kelvane;

namespace {

CFuncInfoTreeCtrl& InfoTree(CMainFrame& frame) {
    return *frame.GetView()->InfoTree();
}

QString FromField(std::string_view cp949) {
    return QString::fromStdString(Cp949ToUtf8(cp949));
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// The position of a row among its parent's children; -1 when it has no parent.
int RowIndex(QTreeWidgetItem* item) {
    QTreeWidgetItem* parent = item ? item->parent() : nullptr;
    return parent ? parent->indexOfChild(item) : -1;
}

// A path as the user reads it.
QString FromPath(const std::string& path) {
    return QString::fromStdString(DisplayPath(path));
}

QString NoFunctionShown() {
    return QCoreApplication::translate(
        "EditCommands", "No function is shown; select a function in the library first.");
}

QString ItemText(QTreeWidgetItem* item) {
    return item ? item->text(0) : QString();
}

// ---- Enabling rules ----

// Add Parameter and Modify act on the function the information view shows: they are
// enabled only while a function folder is selected in the browser's current tree and it
// is the one shown.
bool ShownFunctionSelected(CMainFrame& frame) {
    CLibraryTreeCtrl* tree = frame.GetBrowser()->CurrentTree();
    QTreeWidgetItem* item = tree ? tree->currentItem() : nullptr;
    if (!item || !IsFunctionFolderName(ToUtf8(item->text(0))))
        return false;
    const CFuncInfoTreeCtrl& shown = InfoTree(frame);
    return !shown.isHidden() && shown.m_strFolderName == CLibraryTreeCtrl::ItemName(item) &&
           shown.m_strFolderPath == tree->GetItemPath(item);
}

bool ParameterRowSelected(CMainFrame& frame) {
    QTreeWidgetItem* item = InfoTree(frame).currentItem();
    return item && ItemText(item->parent()) == QLatin1String(kParameters) && RowIndex(item) >= 0;
}

bool ValueSelected(CMainFrame& frame) {
    QTreeWidgetItem* item = InfoTree(frame).currentItem();
    return item && item->parent() && FieldOfLabel(ToUtf8(item->parent()->text(0))).has_value();
}

// ---- The shown function ----

bool LoadShown(CMainFrame& frame, FunctionEdit& edit) {
    const CFuncInfoTreeCtrl& tree = InfoTree(frame);
    if (tree.m_strFolderName.empty()) {
        TellUser(frame, NoFunctionShown());
        return false;
    }
    const Status loaded =
        edit.Load(GetFunctionFilePath(tree.m_strFolderPath, tree.m_strFolderName));
    if (!loaded)
        TellUser(frame, loaded.message());
    return loaded.ok();
}

// True when the loaded file may be written: it stays in the library, or it leads out of it
// through a symbolic link and the user agrees to write there.
bool MayWrite(CMainFrame& frame, const FunctionEdit& edit) {
    const std::string bounds = EditBounds(InfoTree(frame).m_strFolderPath, GetLibraryRoot());
    const std::optional<std::string> target = LinkedOutside(edit.path(), bounds);
    if (!target)
        return true;
    QString where = QString::fromStdString(LinkedOutsideText(edit.path(), bounds, *target));
    if (!where.isEmpty())
        where[0] = where[0].toUpper();
    return frame.Seam().confirm(
        &frame, QCoreApplication::translate("EditCommands", "%1. Change that file?").arg(where));
}

void TellParameterGone(CMainFrame& frame, const FunctionEdit& edit) {
    TellUser(frame, QCoreApplication::translate("EditCommands",
                                                "The selected parameter is no longer in %1 "
                                                "(another program changed the file); nothing "
                                                "was written.")
                        .arg(FromPath(edit.path())));
    InfoTree(frame).SendRefresh();
}

// ---- Commands ----

void AddParameterCommand(CMainFrame& frame, CEditHistory& history) {
    FunctionEdit edit;
    if (!LoadShown(frame, edit) || !MayWrite(frame, edit))
        return;
    SaveEdit(frame, history, edit, RepeatableEdit::OfFunction(AddParameter),
             QCoreApplication::translate("EditCommands", "Add Parameter"), true);
}

void DeleteParameterCommand(CMainFrame& frame, CEditHistory& history) {
    QTreeWidgetItem* item = InfoTree(frame).currentItem();
    if (!item || ItemText(item->parent()) != QLatin1String(kParameters))
        return;
    const int index = RowIndex(item);
    if (index < 0)
        return;
    FunctionEdit edit;
    if (!LoadShown(frame, edit))
        return;
    if (!edit.CheckParameter(index))
        return TellParameterGone(frame, edit);
    if (!MayWrite(frame, edit))
        return;
    const RepeatableEdit deletion = RepeatableEdit::OfParameter(
        edit.record(), index,
        [index](FunctionRecord& record) { return DeleteParameter(record, index); });
    SaveEdit(frame, history, edit, deletion,
             QCoreApplication::translate("EditCommands", "Delete Parameter"), true);
}

// Runs dialog; true when it ended with OK.
bool Run(CMainFrame& frame, QDialog& dialog) {
    return frame.Seam().exec(dialog) == QDialog::Accepted;
}

// The change the user chose in the matching dialog for parameter i; nullopt when the user
// cancelled.
std::optional<RepeatableEdit> ChooseParameterEdit(CMainFrame& frame, EditField field,
                                                  const FunctionRecord& record, int i) {
    const ParameterRecord& parameter = record.parameter(i);
    UiSeam& seam = frame.Seam();
    auto change = [&](auto apply) {
        return RepeatableEdit::OfParameter(
            record, i, [i, apply](FunctionRecord& edited) { return apply(edited, i); });
    };
    switch (field) {
        case EditField::InputOutput: {
            CInOutDlg dialog(&frame);
            dialog.SetKind(parameter.direction);
            if (!Run(frame, dialog))
                return std::nullopt;
            const std::int32_t kind = dialog.Kind();
            return change([kind](FunctionRecord& r, int p) { return SetDirection(r, p, kind); });
        }
        case EditField::ParameterType: {
            CParamTypeDlg dialog(&frame);
            dialog.SetTypeName(std::string(FieldText(parameter.typeName)));
            if (!Run(frame, dialog))
                return std::nullopt;
            const std::string type = dialog.TypeName();
            return change([type](FunctionRecord& r, int p) { return SetTypeName(r, p, type); });
        }
        case EditField::DefaultValue:
        case EditField::StoredValue: {
            const bool stored = field == EditField::StoredValue;
            const std::string_view text =
                stored ? FieldText(parameter.storedText) : FieldText(parameter.defaultText);
            switch (EditClassOf(FieldText(parameter.typeName))) {
                case EditClass::NoValue:
                    return change(ClearImageValue);
                case EditClass::TextLine: {
                    CDefaultValueDlg dialog(seam, &frame);
                    dialog.SetValue(FromField(text));
                    if (!Run(frame, dialog))
                        return std::nullopt;
                    const std::string value = ToUtf8(dialog.Value());
                    return change([stored, value](FunctionRecord& r, int p) {
                        return SetTextValue(r, p, stored, value);
                    });
                }
                case EditClass::Matrix: {
                    CMatrixDlg dialog(seam, &frame);
                    dialog.SetValueText(std::string(text));
                    if (!Run(frame, dialog))
                        return std::nullopt;
                    const MatrixGrid& grid = dialog.Grid();
                    const int width = grid.width;
                    const int height = grid.height;
                    const std::vector<float> elements = grid.ActiveElements();
                    return change([=](FunctionRecord& r, int p) {
                        return SetMatrixValue(r, p, stored, width, height, elements);
                    });
                }
            }
            return std::nullopt;
        }
        case EditField::ParameterDescription: {
            CDescriptionDlg dialog(seam, fdb::kParameterDescriptionSize - 1, &frame);
            dialog.SetDescription(FromField(FieldText(parameter.description)));
            if (!Run(frame, dialog))
                return std::nullopt;
            const std::string description = ToUtf8(dialog.Description());
            return change([description](FunctionRecord& r, int p) {
                return SetParameterDescription(r, p, description);
            });
        }
        default:
            return std::nullopt;
    }
}

// The new function description the user chose; nullopt when the user cancelled.
std::optional<RepeatableEdit> ChooseFunctionDescription(CMainFrame& frame,
                                                        const FunctionRecord& record) {
    CDescriptionDlg dialog(frame.Seam(), fdb::kFunctionDescriptionSize - 1, &frame);
    dialog.SetDescription(FromField(FieldText(record.header().description)));
    if (!Run(frame, dialog))
        return std::nullopt;
    const std::string description = ToUtf8(dialog.Description());
    return RepeatableEdit::OfFunction(
        [description](FunctionRecord& r) { return SetFunctionDescription(r, description); });
}

void EditFieldCommand(CMainFrame& frame, CEditHistory& history) {
    QTreeWidgetItem* item = InfoTree(frame).currentItem();
    QTreeWidgetItem* labelRow = item ? item->parent() : nullptr;
    if (!labelRow)
        return;
    const std::optional<EditField> field = FieldOfLabel(ToUtf8(labelRow->text(0)));
    if (!field)
        return;

    FunctionEdit edit;
    if (!LoadShown(frame, edit))
        return;
    if (!IsEditableField(*field))
        return TellUser(frame, QCoreApplication::translate(
                                   "EditCommands",
                                   "The type and the attribute of a function cannot be changed."));
    if (!MayWrite(frame, edit))
        return;

    std::optional<RepeatableEdit> chosen;
    if (*field == EditField::FunctionDescription) {
        chosen = ChooseFunctionDescription(frame, edit.record());
    } else {
        const int index = RowIndex(labelRow->parent());
        if (index < 0)
            return;
        if (!edit.CheckParameter(index))
            return TellParameterGone(frame, edit);
        chosen = ChooseParameterEdit(frame, *field, edit.record(), index);
    }
    if (chosen)
        SaveEdit(frame, history, edit, *chosen,
                 QCoreApplication::translate("EditCommands", "Edit Field"), false);
}

void ModifyCommand(CMainFrame& frame) {
    const CFuncInfoTreeCtrl& tree = InfoTree(frame);
    if (tree.m_strFolderName.empty())
        return TellUser(frame, NoFunctionShown());
    // The workspace when there is one; no part of Kelvane writes it, so else the project
    // the wizard generated.
    std::string project;
    for (std::string_view extension : {".dsw", ".dsp"}) {
        const std::string path =
            GetProjectFilePath(tree.m_strFolderPath, tree.m_strFolderName, extension);
        struct stat st {};
        if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            project = path;
            break;
        }
    }
    if (project.empty())
        return TellUser(frame, QCoreApplication::translate(
                                   "EditCommands",
                                   "%1 has no project: neither %2 nor the .dsp beside it "
                                   "exists.")
                                   .arg(QString::fromStdString(DisplayName(tree.m_strFolderName)),
                                        FromPath(GetProjectFilePath(
                                            tree.m_strFolderPath, tree.m_strFolderName, ".dsw"))));
    const LaunchCommand command = IdeLaunchCommand(project);
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << QFile::decodeName(QByteArray::fromStdString(argument));
    const QString program = QFile::decodeName(QByteArray::fromStdString(command.program));
    if (!frame.Seam().launch(program, arguments))
        TellUser(frame,
                 QCoreApplication::translate("EditCommands", "Could not start %1 to open %2.")
                     .arg(QString::fromStdString(command.program), FromPath(project)));
}

}  // namespace

void RegisterEditCommands(CMainFrame& frame) {
    CMainFrame* f = &frame;
    CEditHistory* h = new CEditHistory(frame);
    frame.SetCommandHandler(cmd::kAddParameter, {[f] { return ShownFunctionSelected(*f); },
                                                 [f, h] { AddParameterCommand(*f, *h); }});
    frame.SetCommandHandler(
        cmd::kModify, {[f] { return ShownFunctionSelected(*f); }, [f] { ModifyCommand(*f); }});
    frame.SetCommandHandler(cmd::kDeleteParameter, {[f] { return ParameterRowSelected(*f); },
                                                    [f, h] { DeleteParameterCommand(*f, *h); }});
    frame.SetCommandHandler(
        cmd::kEditField, {[f] { return ValueSelected(*f); }, [f, h] { EditFieldCommand(*f, *h); }});
    frame.SetCommandHandler(cmd::kEditUndo, {[h] { return h->CanUndo(); }, [h] { h->Undo(); }});
    frame.SetCommandHandler(cmd::kEditRedo, {[h] { return h->CanRedo(); }, [h] { h->Redo(); }});
}
