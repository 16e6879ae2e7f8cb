#pragma once

// The menu's command ids: a menu item, its accelerator and MainFrame::runCommand name a command by
// the same number.
namespace shell::command {

inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kExportToHtml = 206;
inline constexpr int kPackMap = 231;
// The recent files take the ids from kFirstRecentFile on, the newest first.
inline constexpr int kFirstRecentFile = 57616;
inline constexpr int kLastRecentFile = 57631;
inline constexpr int kExit = 57665;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kSpotStory = 230;
inline constexpr int kHelpContents = 215;
inline constexpr int kTutorial = 214;
inline constexpr int kShowTipsOnStartup = 220;
inline constexpr int kAbout = 57664;
// Beside the menu's own commands, what users of the desktop try first.
inline constexpr int kFullScreen = 240;
inline constexpr int kReloadFolder = 241;

}  // namespace shell::command
