#pragma once

// Command ids of the menu, the toolbar and the accelerators; kept as the data of each
// QAction so every way of giving a command reaches the same handler.
namespace cmd {
inline constexpr int kCodeWizard = 32771;
inline constexpr int kRename = 32772;
inline constexpr int kModify = 32779;
inline constexpr int kAddParameter = 32780;
inline constexpr int kDeleteParameter = 32781;
inline constexpr int kEditField = 32782;
inline constexpr int kLaunchExplorer = 32789;
inline constexpr int kFindFunction = 32790;
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
}  // namespace cmd
