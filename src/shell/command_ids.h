#pragma once
// The command and control ids of the main window's menu and accelerator table, shared by the
// frame, the document and the view that answer them.

// A command or control number of the game's resources as a wx id: wx takes ids below 0x7FFF
// only, so a number at or above that is folded into the range by taking 0x8000 off it.
constexpr int commandId(int resourceId) {
    return resourceId >= 0x7FFF ? resourceId - 0x8000 : resourceId;
}

namespace commands {

// Command ids of the menu and the accelerator table (57600 becomes 24832).
inline constexpr int kFileNewId = commandId(57600);
inline constexpr int kFileOpenId = commandId(57601);
inline constexpr int kFileSaveId = commandId(57603);
inline constexpr int kFilePrintId = commandId(57607);
inline constexpr int kFilePrintDirectId = commandId(57608);
inline constexpr int kFilePrintPreviewId = commandId(57609);
inline constexpr int kEditCopyId = commandId(57634);
inline constexpr int kEditCutId = commandId(57635);
inline constexpr int kEditPasteId = commandId(57637);
inline constexpr int kEditUndoId = commandId(57643);
inline constexpr int kAppAboutId = commandId(57664);
inline constexpr int kAppExitId = commandId(57665);
inline constexpr int kHelpIndexId = commandId(57667);
inline constexpr int kContextHelpId = commandId(57669);
inline constexpr int kHelpId = commandId(57670);
inline constexpr int kHelpFinderId = commandId(57671);
inline constexpr int kNextPaneId = commandId(57680);
inline constexpr int kPrevPaneId = commandId(57681);
inline constexpr int kViewPlayersId = commandId(32772);
inline constexpr int kViewChartsId = commandId(32790);
inline constexpr int kStatusBarId = commandId(59393);
// The Tournament menu.
inline constexpr int kTournamentNewId = commandId(32800);
inline constexpr int kTournamentNextId = commandId(32801);
inline constexpr int kTournamentTableId = commandId(32802);
inline constexpr int kTournamentLeadersId = commandId(32803);
inline constexpr int kTournamentSaveId = commandId(32804);
inline constexpr int kTournamentOpenId = commandId(32805);
// The Match menu: the computer plays on for the user's side.
inline constexpr int kMatchNextOverId = commandId(32810);
inline constexpr int kMatchEndOfInningsId = commandId(32811);
inline constexpr int kMatchEndOfMatchId = commandId(32812);
inline constexpr int kMatchStopId = commandId(32813);

} // namespace commands
