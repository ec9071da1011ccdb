#include <memory>
#include <string>

#include "cli/Arguments.h"
#include "cli/Command.h"
#include "cli/LibraryArgs.h"
#include "cli/TextOut.h"
#include "dialogs/MatrixText.h"
#include "i18n/Translate.h"
#include "infoview/InfoLabels.h"
#include "records/FunctionEdits.h"
#include "records/LibraryPaths.h"
#include "records/OutsideLinks.h"
#include "records/ParamTypes.h"
#include "records/TextCodec.h"

namespace kelvane::cli {

using kelvane::i18n::N_;
using kelvane::i18n::Say;
using kelvane::i18n::Tr;

namespace {

constexpr std::string_view kFollowLinks = "--follow-links";

// Loads the function file of a folder argument for an edit. Unless links may be followed,
// a file that leads through a symbolic link out of the library (or, for a function
// outside it, out of its own folder) is refused before anything is changed. Anything but
// kExitOk has been reported.
int LoadForEdit(const Arguments& args, FunctionEdit& edit, std::ostream& err) {
    const std::string folder = NormalizeFolderArgument(args.positional[0]);
    const std::string file = GetFunctionFilePath(folder, LastComponent(folder));
    if (Status loaded = edit.Load(file); !loaded)
        return Command::Failure(err, loaded.message());
    if (args.has(kFollowLinks))
        return kExitOk;
    const std::string bounds = EditBounds(folder, GetLibraryRoot());
    if (const std::optional<std::string> target = LinkedOutside(file, bounds))
        return Command::Failure(err, Say("{link}; nothing was written ({option} writes there).",
                                         {{"link", LinkedOutsideText(file, bounds, *target)},
                                          {"option", kFollowLinks}}));
    return kExitOk;
}

bool ParseIndex(const std::string& word, int& index) {
    return ParseIntegerText(word, index) && index >= 0 &&
           word.find_first_not_of("0123456789") == std::string::npos;
}

// A description as function files keep it: each line break "\r\n", typed as "\n" or
// as "\r\n".
std::string WithCrLf(const std::string& text) {
    return ToCrLf(FromCrLf(text));
}

// "WxH" with both sides within the matrix grid.
bool ParseMatrixSize(const std::string& word, int& width, int& height) {
    const std::size_t x = word.find('x');
    if (x == std::string::npos)
        return false;
    return ParseIndex(word.substr(0, x), width) && ParseIndex(word.substr(x + 1), height) &&
           width <= kMatrixMaxSide && height <= kMatrixMaxSide;
}

class AddParamCommand : public Command {
public:
    AddParamCommand()
        : Command("add-param", "FOLDER [--follow-links]",
                  N_("append an input parameter of a placeholder type to a function")) {}

    int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) override {
        const Arguments args = ParseArguments(words, {kFollowLinks});
        if (!args.error.empty())
            return UsageError(err, args.error);
        if (args.positional.size() != 1 || args.positional[0].empty())
            return UsageError(err, Tr("The add-param command needs one function folder."));
        FunctionEdit edit;
        if (const int loaded = LoadForEdit(args, edit, err); loaded != kExitOk)
            return loaded;
        if (Status added = AddParameter(edit.record()); !added)
            return Failure(err, added.message());
        if (Status saved = edit.Save(); !saved)
            return Failure(err, saved.message());
        const int index = edit.record().parameterCount() - 1;
        out << Say("Added parameter {index}: {type}.",
                   {{"index", std::to_string(index)},
                    {"type", EscapeLine(FieldText(edit.record().parameter(index).typeName))}})
            << "\n";
        return kExitOk;
    }
};

class DeleteParamCommand : public Command {
public:
    DeleteParamCommand()
        : Command("delete-param", "FOLDER I [--follow-links]",
                  N_("delete parameter I (the first is 0) of a function, without asking")) {}

    int run(const std::vector<std::string>& words, std::ostream&, std::ostream& err) override {
        const Arguments args = ParseArguments(words, {kFollowLinks});
        if (!args.error.empty())
            return UsageError(err, args.error);
        if (args.positional.size() != 2 || args.positional[0].empty())
            return UsageError(err,
                              Tr("The delete-param command needs a function folder and an index."));
        int index = 0;
        if (!ParseIndex(args.positional[1], index))
            return UsageError(err, Tr("The index must be a number from 0."));
        FunctionEdit edit;
        if (const int loaded = LoadForEdit(args, edit, err); loaded != kExitOk)
            return loaded;
        if (Status deleted = DeleteParameter(edit.record(), index); !deleted)
            return Failure(err, deleted.message());
        if (Status saved = edit.Save(); !saved)
            return Failure(err, saved.message());
        return kExitOk;
    }
};

class EditCommand : public Command {
public:
    EditCommand()
        : Command("edit", "FOLDER LABEL [I] [VALUE...] [--follow-links]",
                  N_("change the field LABEL (as the information tree names it) of a function or "
                     "of its parameter I:\n      in|out, a type name, a value text, WxH and W*H "
                     "numbers for a matrix, nothing for an image, a description;\n      "
                     "--follow-links also writes a function file whose link leads out of the "
                     "library (add-param and delete-param take it too)")) {}

    int run(const std::vector<std::string>& words, std::ostream&, std::ostream& err) override {
        const Arguments args = ParseArguments(words, {kFollowLinks});
        if (!args.error.empty())
            return UsageError(err, args.error);
        if (args.positional.size() < 2 || args.positional[0].empty())
            return UsageError(err, Tr("The edit command needs a function folder and a label."));
        const std::optional<EditField> field = FieldOfLabel(args.positional[1]);
        if (!field)
            return UsageError(err,
                              Say("Unknown label \"{label}\".", {{"label", args.positional[1]}}));
        if (!IsEditableField(*field))
            return Failure(err, Say("\"{label}\" cannot be changed; nothing was written.",
                                    {{"label", args.positional[1]}}));

        std::vector<std::string> values(args.positional.begin() + 2, args.positional.end());
        int index = -1;
        if (IsParameterField(*field)) {
            if (values.empty() || !ParseIndex(values.front(), index))
                return UsageError(err, Say("\"{label}\" needs a parameter index (the first is 0).",
                                           {{"label", args.positional[1]}}));
            values.erase(values.begin());
        }

        FunctionEdit edit;
        if (const int loaded = LoadForEdit(args, edit, err); loaded != kExitOk)
            return loaded;
        if (index >= 0) {
            if (Status exists = edit.CheckParameter(index); !exists)
                return Failure(err, exists.message());
        }
        const int usage = Apply(*field, edit.record(), index, values, err);
        if (usage != kExitOk)
            return usage;
        if (Status saved = edit.Save(); !saved)
            return Failure(err, saved.message());
        return kExitOk;
    }

private:
    // Changes the record; anything but kExitOk has been reported already.
    int Apply(EditField field, FunctionRecord& record, int i,
              const std::vector<std::string>& values, std::ostream& err) const {
        auto result = [&](const Status& status) {
            return status ? kExitOk : Failure(err, status.message());
        };
        auto oneValue = [&](const char* sentence) {
            return values.size() == 1 ? kExitOk : UsageError(err, Tr(sentence));
        };
        switch (field) {
            case EditField::InputOutput:
                if (values.size() != 1 || (values[0] != "in" && values[0] != "out"))
                    return UsageError(err, Tr("Input/Output takes in or out."));
                return result(SetDirection(record, i, values[0] == "in" ? 1 : 0));
            case EditField::ParameterType:
                if (int bad = oneValue(N_("Give the type name as one argument.")); bad)
                    return bad;
                return result(SetTypeName(record, i, values[0]));
            case EditField::DefaultValue:
            case EditField::StoredValue:
                return ApplyValue(field == EditField::StoredValue, record, i, values, err);
            case EditField::ParameterDescription:
                if (int bad = oneValue(N_("Give the description as one argument.")); bad)
                    return bad;
                return result(SetParameterDescription(record, i, WithCrLf(values[0])));
            case EditField::FunctionDescription:
                if (int bad = oneValue(N_("Give the description as one argument.")); bad)
                    return bad;
                return result(SetFunctionDescription(record, WithCrLf(values[0])));
            default:
                return Failure(err, Tr("This field cannot be changed; nothing was written."));
        }
    }

    int ApplyValue(bool stored, FunctionRecord& record, int i,
                   const std::vector<std::string>& values, std::ostream& err) const {
        auto result = [&](const Status& status) {
            return status ? kExitOk : Failure(err, status.message());
        };
        switch (EditClassOf(FieldText(record.parameter(i).typeName))) {
            case EditClass::NoValue:
                if (!values.empty())
                    return UsageError(err, Tr("An image parameter takes no value."));
                return result(ClearImageValue(record, i));
            case EditClass::TextLine:
                if (values.size() != 1)
                    return UsageError(err, Tr("Give the value as one argument."));
                return result(SetTextValue(record, i, stored, values[0]));
            case EditClass::Matrix:
                break;
        }
        int width = 0;
        int height = 0;
        if (values.empty() || !ParseMatrixSize(values[0], width, height))
            return UsageError(err, Say("A matrix value starts with its size WxH, each 0 to {max}.",
                                       {{"max", std::to_string(kMatrixMaxSide)}}));
        const std::size_t count = static_cast<std::size_t>(width * height);
        if (values.size() - 1 != count)
            return UsageError(err, Say("A {size} matrix needs {count} numbers, row by row; {given} "
                                       "given.",
                                       {{"size", values[0]},
                                        {"count", std::to_string(count)},
                                        {"given", std::to_string(values.size() - 1)}}));
        std::vector<float> elements(count);
        for (std::size_t k = 0; k < count; ++k) {
            if (!ParseRealText(values[k + 1], elements[k]))
                return UsageError(err,
                                  Say("\"{text}\" is not a number.", {{"text", values[k + 1]}}));
        }
        return result(SetMatrixValue(record, i, stored, width, height, elements));
    }
};

}  // namespace

std::unique_ptr<Command> MakeAddParamCommand() {
    return std::make_unique<AddParamCommand>();
}
std::unique_ptr<Command> MakeDeleteParamCommand() {
    return std::make_unique<DeleteParamCommand>();
}
std::unique_ptr<Command> MakeEditCommand() {
    return std::make_unique<EditCommand>();
}

}  // namespace kelvane::cli
