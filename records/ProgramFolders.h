#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

inline constexpr std::string_view kHomeVariable = "KELVANE_HOME";
inline constexpr std::string_view kSkeletonSubpath = "Skel/Dll";
inline constexpr std::string_view kSkeletonTopFolder = "Skel";
inline constexpr std::string_view kClassLibraryFolderName = "ClassLibrary";
// The user's own folder inside $XDG_DATA_HOME, and the installed one inside <prefix>/share.
inline constexpr std::string_view kDataFolderName = "kelvane";
// The bundled sample library in the installed data folder. Not named FunctionLibrary, so
// that a user's library never stands in its place even when both folders are one (an
// install to the prefix ~/.local), and installing again never overwrites it.
inline constexpr std::string_view kSampleLibraryFolderName = "SampleLibrary";

// Which rule of the lookup chose the folders.
enum class FolderSource {
    HomeOption,    // --home DIR
    HomeVariable,  // $KELVANE_HOME
    BesideBinary,  // the binary's folder holds FunctionLibrary or Skel (portable layout)
    Installed,     // the user's data folder, with the installed data folder behind it
};

// The folders the program reads and writes.
struct ProgramFolders {
    FolderSource source = FolderSource::BesideBinary;
    std::string libraryRoot;   // .../FunctionLibrary
    std::string skeleton;      // .../Skel/Dll
    std::string classLibrary;  // .../ClassLibrary
    // $XDG_DATA_HOME/kelvane; set for an installed program only.
    std::string userFolder;
    // <prefix>/share/kelvane beside the binary's folder; holds the bundled sample library.
    std::string dataFolder;

    // Everything in one folder: DIR/FunctionLibrary, DIR/Skel/Dll, DIR/ClassLibrary.
    static ProgramFolders InHome(const std::string& home,
                                 FolderSource source = FolderSource::HomeOption);

    // The bundled sample library: dataFolder/SampleLibrary.
    std::string SampleLibrary() const;
};

// Everything the lookup reads, so that tests can give their own.
struct ProgramEnvironment {
    std::string homeOption;    // --home DIR, "" when not given
    std::string homeVariable;  // $KELVANE_HOME
    std::string xdgDataHome;   // $XDG_DATA_HOME
    std::string userHome;      // $HOME, or the home folder of the user's account
    std::string binaryFolder;  // folder of the running binary
    std::string dataFolder;    // the installed data folder (<prefix>/share/kelvane)
};

// In this order: --home DIR; $KELVANE_HOME; the binary's folder when it holds
// FunctionLibrary or Skel; else FunctionLibrary in $XDG_DATA_HOME/kelvane (default
// ~/.local/share/kelvane), with Skel/Dll and ClassLibrary from there when present and
// else from the installed data folder. Relative folders are made absolute.
ProgramFolders FindProgramFolders(const ProgramEnvironment& env);

// The environment of this process: the --home override, the variables, /proc/self/exe.
ProgramEnvironment CurrentEnvironment();

// FindProgramFolders(CurrentEnvironment()).
ProgramFolders GetProgramFolders();

// The --home DIR option of both programs, read from words[at]: "--home DIR" or
// "--home=DIR", and "-home" alike.
struct HomeOption {
    std::size_t used = 0;   // the words it takes; 0 when words[at] is not the option
    std::string dir;        // the folder; empty when missing
    bool lastWord = false;  // "--home" with no word after it
    bool missing() const { return used != 0 && dir.empty(); }
};
HomeOption ReadHomeOption(const std::vector<std::string>& words, std::size_t at);
// The message of a --home with no folder, in the language in use.
std::string HomeMissingMessage();
// Its source text, for a face that translates it itself.
inline constexpr std::string_view kHomeMissingMessage = "--home needs a directory";

// A folder as an absolute path without trailing separators; symbolic links resolved
// where it exists.
std::string AbsoluteFolder(const std::string& dir);

}  // namespace kelvane
