// Menu and tool-bar command numbers. Each command's status prompt and tool tip are the string of
// the same number ("prompt\ntool tip"); see StringTable::prompt and StringTable::toolTip.
#pragma once

namespace calivue::cmd {

inline constexpr int Template = 32774;
inline constexpr int MeasurementCursors = 32778;
inline constexpr int MeasurementCursorList = 32779;
inline constexpr int DockOptions = 32781;
inline constexpr int Options = 32782;
inline constexpr int Profiles = 32784;
inline constexpr int HotColdCursors = 32789;
inline constexpr int CopyToBitmap = 32794;
inline constexpr int ExcelOutput = 32796;
inline constexpr int BlueIsotherm = 32797;
inline constexpr int RedIsotherm = 32798;
inline constexpr int Language = 32799;
inline constexpr int ResetIsotherms = 32800;
inline constexpr int Revert = 32801;
inline constexpr int AreaSelect = 32804;
inline constexpr int ReportWriter = 32807;
inline constexpr int Properties = 32809;
inline constexpr int CursorTemperature = 32840;
inline constexpr int PersistReportDetails = 32842;
// The program's own addition: a new report project in the report writer.
inline constexpr int NewReportProject = 32850;
// The report project's severity criteria, load correction and survey conditions.
inline constexpr int SeverityCriteria = 32851;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int EditCopy = 57634;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
// The Help window at the user guide and at the keyboard shortcuts (the framework's help index
// and help finder numbers).
inline constexpr int HelpGuide = 57666;
inline constexpr int HelpShortcuts = 57667;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;

}  // namespace calivue::cmd
