#pragma once

namespace trovique::settings {

// Sections of the program's settings (application kApplicationTitle).
inline constexpr const char* kSettings = "Settings";
inline constexpr const char* kImportUnstructured = "ImportUnstructured";
inline constexpr const char* kRecentFiles = "Recent Files";
inline constexpr const char* kNoShowAgain = "NoShowAgain";

// "Settings"
inline constexpr const char* kLastPath = "LastPath";
inline constexpr const char* kLastGraphicsPath = "LastGraphicsPath";
inline constexpr const char* kLastExportPath = "LastExportPath";
inline constexpr const char* kValidationLimitOn = "ValidationLimitOn";
inline constexpr const char* kValidationLimit = "ValidationLimit";
inline constexpr const char* kMainWindowHandle = "MWH";
inline constexpr const char* kMainWindowHandleDefault = "0";
// Seconds to wait for the Palm install tool; 0 or less waits without limit.
inline constexpr const char* kMaxInstAppWaitSeconds = "MaxInstAppWaitSeconds";
inline constexpr const char* kMaxInstAppWaitSecondsDefault = "180";
// How slide shows reach the handheld: "PalmDesktop", "PilotXfer" or "InstallFolder"; empty
// lets the program choose from what the machine has.
inline constexpr const char* kInstallMethod = "InstallMethod";
// The port pilot-xfer listens on for the handheld.
inline constexpr const char* kPilotPort = "PilotPort";
inline constexpr const char* kPilotPortDefault = "usb:";
// The folder the install-folder method copies into.
inline constexpr const char* kInstallFolder = "InstallFolder";
// The character code put before each bulleted line of an imported slide (149, the bullet).
inline constexpr const char* kBulletChar = "BulletChar";
inline constexpr const char* kBulletCharDefault = "149";
// Seconds an office suite may take to open and render one presentation for the import.
inline constexpr const char* kImportTimeoutSeconds = "ImportTimeoutSeconds";
inline constexpr const char* kImportTimeoutSecondsDefault = "300";
// Window placements are stored as the window's name followed by one of these.
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kWidth = "Width";
inline constexpr const char* kHeight = "Height";
inline constexpr const char* kMainWindow = "Main";
inline constexpr const char* kValidateWindow = "Validate";

// "ImportUnstructured"
inline constexpr const char* kShowDialogOnImport = "ShowDialogOnImport";
inline constexpr const char* kTitleDefault = "TitleDefault";
inline constexpr const char* kTitleUseFirst = "TitleUseFirst";
inline constexpr const char* kTitleReadToDelim = "TitleReadToDelim";
inline constexpr const char* kDelimCount = "DelimCount";
// Followed by 1, 2, ... up to DelimCount.
inline constexpr const char* kDelim = "Delim";

// "Recent Files" holds the keys "1" (newest) to "5".
inline constexpr int kRecentFileCount = 5;

// "NoShowAgain": the questions the user may silence.
inline constexpr const char* kConvertSelectedLeaf = "ConvertSelectedLeaf";
inline constexpr const char* kDeleteNode = "DeleteNode";
inline constexpr const char* kUseBigBitmap = "UseBigBitmap";

}  // namespace trovique::settings
