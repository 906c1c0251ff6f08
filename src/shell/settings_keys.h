#pragma once
// The settings store: vendor key, application name and the values kept in it.
namespace quorvel::settings {
constexpr const char* kVendor = "Local AppWizard-Generated Applications";
constexpr const char* kApplication = "Quorvel";
constexpr const char* kRecentFileSection = "/Recent File List";
constexpr const char* kRecentFileEntry = "File%d";
constexpr const char* kSettingsSection = "/Settings";
constexpr const char* kPreviewPages = "PreviewPages";
// The sides accepted last in Select Teams, left and right, in the Settings section.
constexpr const char* kLastLeftTeam = "LastLeftTeam";
constexpr const char* kLastRightTeam = "LastRightTeam";
} // namespace quorvel::settings
