<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Activity</name>
    <message>
        <source>Removed %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 into “%2”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 for “%2”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1, which nothing else needed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppState</name>
    <message>
        <source>Opening %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your existing mods were moved into the “Default” profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t move your existing mods into a profile: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select your Valheim folder (the one containing valheim.app). In Steam: right-click Valheim › Manage › Browse local files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use This Folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Banner</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BannerStack</name>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Something went wrong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That folder isn’t Valheim’s game folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim wasn’t found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder named Valheim inside steamapps/common.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder that contains valheim.app (Steam › right-click Valheim › Manage › Browse local files).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steam is set to always load mods.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An earlier version of this tool added a Steam launch option. To play vanilla from Steam, clear it: Steam › right-click Valheim › Properties › General › Launch Options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mod loader didn’t start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim is running, but BepInEx wrote no log within a minute, so no mods are loaded. On a Mac the cause is usually one of these:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game was started from Steam instead of Play Modded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Valheim and Play Modded here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rosetta isn’t installed; the loader needs it on Apple Silicon.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install Rosetta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start script names another build of the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair Loader Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>macOS quarantined the loader’s files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Quarantine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Launch Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install Rosetta?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the quarantine of the loader’s files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>macOS downloads Rosetta from Apple and installs it; it runs the Intel build of Valheim that the mod loader needs. Installing it agrees to its licence.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>macOS marks files that come from the internet and may refuse to run them. This removes the mark from the loader’s files in the game folder and in this profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don’t Warn for This Update</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowseRow</name>
    <message>
        <source>by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deprecated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>v%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>updated %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowseView</name>
    <message>
        <source>Search Valheim mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Most downloaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recently updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top rated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deprecated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show mods their authors have marked as deprecated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh the mod list from Thunderstore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading the Valheim mod list from Thunderstore…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This takes a moment the first time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Visit quernhold.app</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Profile…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Profile Code…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Profile File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Modded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install Mod from File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share Profile Code…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Profile File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh Mod List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Profile Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Game Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Report…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Activity Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Game Folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Download Cache</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quernhold Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Mod List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Mod List as Markdown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigEditor</name>
    <message>
        <source>“%1” can’t be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is too large to edit here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file isn’t plain text, so it can’t be edited here.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigEntries</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigEntryRow</name>
    <message>
        <source>Default: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigFileHeading</name>
    <message>
        <source>Unsaved changes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigFileList</name>
    <message>
        <source>Filter files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No files match “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigMatches</name>
    <message>
        <source>Searching…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No settings match “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n settings</source>
        <translation>
            <numerusform>%n setting</numerusform>
            <numerusform>%n settings</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ConfigSheet</name>
    <message>
        <source>Config Files for “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfigView</name>
    <message>
        <source>Valheim is running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It writes these files again when it quits, so saving is off until then.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” changed on disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program saved it while you were editing it here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Theirs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search all settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving is off while Valheim runs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No config files yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a file to see its settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mods write theirs the first time Valheim starts with them.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConfirmDialog</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Describe</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DetailHeader</name>
    <message>
        <source>Game folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See every change to this profile and go back to how it was before one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a code friends can paste into this app or r2modman to get the same mods and settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FS</name>
    <message>
        <source>Couldn’t unpack %1 because it looks damaged or unsafe.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t unpack %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Footer</name>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the mod loader said at this launch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this profile’s mods folder in Finder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim Running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play Modded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Valheim with this profile’s mods (this session only)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>This snapshot is damaged and can’t be shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There’s nothing to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There’s nothing to redo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There isn’t enough disk space to keep a snapshot of this profile, so nothing was changed. Free some space and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated %1 %2 → %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated all mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turned on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn On %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turned off %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed %1 from a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced the profile with an imported file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced the profile with an imported code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restored “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This snapshot is damaged and can’t be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That snapshot no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Updated %n mods: %1</source>
        <translation>
            <numerusform>Updated %n mod: %1</numerusform>
            <numerusform>Updated %n mods: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Update %n Mods</source>
        <translation>
            <numerusform>Update %n Mod</numerusform>
            <numerusform>Update %n Mods</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HistorySheet</name>
    <message>
        <source>History of “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Damaged — can’t be restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No changes yet. Quernhold keeps a snapshot before every change to this profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This is how the profile is now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a snapshot to see what changed since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing has changed since this snapshot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Since this snapshot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restoring first keeps a snapshot of how the profile is now, so it can be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore this state?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryTexts</name>
    <message>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n mods changed, %1</source>
        <translation>
            <numerusform>%n mod changed, %1</numerusform>
            <numerusform>%n mods changed, %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n config files</source>
        <translation>
            <numerusform>%n config file</numerusform>
            <numerusform>%n config files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n mods changed</source>
        <translation>
            <numerusform>%n mod changed</numerusform>
            <numerusform>%n mods changed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n config files changed</source>
        <translation>
            <numerusform>%n config file changed</numerusform>
            <numerusform>%n config files changed</numerusform>
        </translation>
    </message>
    <message>
        <source>No changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turned on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turned off %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>After you %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before you %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile goes back to how it was %1. A snapshot of how it is now is kept first, so this can be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restored the profile to how it was %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undid the last change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redid the change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undid %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redid %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 are no longer on Thunderstore, so this snapshot can’t be restored.</source>
        <translation>
            <numerusform>%1 is no longer on Thunderstore, so this snapshot can’t be restored.</numerusform>
            <numerusform>%1 are no longer on Thunderstore, so this snapshot can’t be restored.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Http</name>
    <message>
        <source>The Internet connection appears to be offline.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A server with the specified hostname could not be found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not connect to the server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An SSL error has occurred and a secure connection to the server cannot be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The network connection was lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The download stalled: nothing arrived for %1 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportForm</name>
    <message>
        <source>Choose the profile to replace.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You already have a profile called “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its %1 installed mods will be removed and replaced with the mods from this code. This can’t be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its %1 installed mods will be removed and replaced with the mods from this file. This can’t be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImportSheet</name>
    <message>
        <source>Import Profile File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Profile Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import “%1” — profile files from this app, r2modman and Gale all work. You’ll get the same mods, versions and settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste a profile code from a friend — it works with codes from this app and from r2modman. You’ll get the same mods, versions and settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile code, e.g. 018f2c4e-7a1b-…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace an existing profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name for the new profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its current mods are removed and replaced with the ones in the file. Config files from the file overwrite matching ones in this profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its current mods are removed and replaced with the ones in the code. Config files from the code overwrite matching ones in this profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace Profile</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstalledView</name>
    <message>
        <source>Mod loader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No mods in this profile yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse Mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dependencies</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Installer</name>
    <message>
        <source>Valheim didn’t quit. Quit it yourself, then click Play Modded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mod loader isn’t installed yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim is already running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Steam didn’t start. Open Steam, sign in, and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This copy of Valheim only contains an Apple Silicon build, but the Mac mod loader (BepInEx) needs the Intel build. Try Steam › Valheim › Properties › Installed Files › Verify integrity.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rosetta is needed to run Valheim with mods on Apple Silicon. Install it by opening Terminal and running:  softwareupdate --install-rosetta --agree-to-license  — then click Play Modded again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>run_bepinex.sh is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” has no readable manifest.json, so it can’t be installed as a mod.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BepInEx comes with every profile, so “%1” can’t be installed as a mod.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t install %1 because its manifest is too large.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected BepInEx pack layout.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LaunchCheck</name>
    <message>
        <source>Valheim is starting with “%1”. Launching from Steam later runs it unmodded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turned off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turned on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The loader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not tied to a mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, which didn’t load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, which isn’t in this profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the plug-in %1, which no mod here provides</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fixed since this launch — play again to check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim launch report — BepInEx %1%2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(version unknown)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, profile “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start-up has not completed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Loaded %1, skipped %2, not loaded %3.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1 since the launch.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quitting Valheim…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing Rosetta…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rosetta is installed. Quit Valheim and play again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repairing the loader’s files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The loader’s files are written again. Quit Valheim and play again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clearing the quarantine…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The loader’s files are out of quarantine. Quit Valheim and play again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was updated since the last launch that worked (%2 → %3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go Back to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LaunchReportSheet</name>
    <message>
        <source>Launch Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%4  ·  %1 loaded  ·  %2 skipped  ·  %3 not loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BepInEx %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BepInEx, version unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file isn’t a BepInEx log.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start-up hasn’t completed yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warnings (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the warnings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the warnings: worth a look, not problems</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Log File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide Lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It stays installed but isn’t loaded, and the mods that need it may not work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LaunchWords</name>
    <message numerus="yes">
        <source> %n times</source>
        <translation>
            <numerusform> %n time</numerusform>
            <numerusform> %n times</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n mods loaded</source>
        <translation>
            <numerusform>%n mod loaded</numerusform>
            <numerusform>%n mods loaded</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n mods loaded</source>
        <translation>
            <numerusform>%1 of %n mod loaded</numerusform>
            <numerusform>%1 of %n mods loaded</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> — %n problems</source>
        <translation>
            <numerusform> — %n problem</numerusform>
            <numerusform> — %n problems</numerusform>
        </translation>
    </message>
    <message>
        <source>It didn’t load: it needs %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It didn’t load because %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The loader skipped it because %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It was made for another version of BepInEx and might not work until it is updated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One of its patches to the game failed%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It threw an error%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> It may have been built for another version of %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It warned%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It reported an error%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines %1–%2 (%3 times)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>Preparing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game log yet — it appears after you play this profile once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim was updated on %1, after this profile last started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n of its mods haven’t been updated since then.</source>
        <translation>
            <numerusform>%n of its mods hasn’t been updated since then.</numerusform>
            <numerusform>%n of its mods haven’t been updated since then.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LoaderRow</name>
    <message>
        <source>B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BepInEx Pack for Valheim</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>by denikson · required for every mod</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <source>No log yet.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LogSheet</name>
    <message>
        <source>Activity Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Game Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Log File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Quernhold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Profile File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile files (*.r2z *.zip)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Profile File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile files (*.r2z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install Mod from File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mod archives (*.zip)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModController</name>
    <message>
        <source>Valheim is already running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undoing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redoing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restoring…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That snapshot no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There’s nothing to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There’s nothing to redo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adding %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is needed by %2. Remove those first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removing %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turning on %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turning off %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updating mods…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile is ready to play.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed %1 %2 from a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clearing the download cache…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The download cache was already empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cleared the download cache and freed %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Updated %n mods.</source>
        <translation>
            <numerusform>Updated %n mod.</numerusform>
            <numerusform>Updated %n mods.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ModList</name>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>held</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mod</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Author</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 by %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModListModel</name>
    <message numerus="yes">
        <source>%1 need %2. Turn %2 off anyway?</source>
        <translation>
            <numerusform>%1 needs %2. Turn %2 off anyway?</numerusform>
            <numerusform>%1 need %2. Turn %2 off anyway?</numerusform>
        </translation>
    </message>
    <message>
        <source>by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed from a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>by %1 · installed from a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needed by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Needed by %n mods</source>
        <translation>
            <numerusform>Needed by %n mod</numerusform>
            <numerusform>Needed by %n mods</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ModRow</name>
    <message>
        <source>Deprecated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Held</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Held at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Held at %1: updates pass it by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled — turn off to keep it installed but not loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View on Thunderstore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update %1 to %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It’s held at %1. Updating releases the hold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It stays installed but isn’t loaded, and the mods that need it may not work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Older than the game’s last update</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Turn On %n Mods</source>
        <translation>
            <numerusform>Turn On %n Mod</numerusform>
            <numerusform>Turn On %n Mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Turn Off %n Mods</source>
        <translation>
            <numerusform>Turn Off %n Mod</numerusform>
            <numerusform>Turn Off %n Mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Update %n Mods</source>
        <translation>
            <numerusform>Update %n Mod</numerusform>
            <numerusform>Update %n Mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Hold %n Mods</source>
        <translation>
            <numerusform>Hold %n Mod</numerusform>
            <numerusform>Hold %n Mods</numerusform>
        </translation>
    </message>
    <message>
        <source>Release Holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Remove %n Mods</source>
        <translation>
            <numerusform>Remove %n Mod</numerusform>
            <numerusform>Remove %n Mods</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ModSelection</name>
    <message numerus="yes">
        <source>%n selected</source>
        <translation>
            <numerusform>%n selected</numerusform>
            <numerusform>%n selected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 need %2. Remove them anyway?</source>
        <translation>
            <numerusform>%1 needs %2. Remove them anyway?</numerusform>
            <numerusform>%1 need %2. Remove them anyway?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 need %2. Turn them off anyway?</source>
        <translation>
            <numerusform>%1 needs %2. Turn them off anyway?</numerusform>
            <numerusform>%1 need %2. Turn them off anyway?</numerusform>
        </translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Turning on %n mods…</source>
        <translation>
            <numerusform>Turning on %n mod…</numerusform>
            <numerusform>Turning on %n mods…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Turned on %n mods</source>
        <translation>
            <numerusform>Turned on %n mod</numerusform>
            <numerusform>Turned on %n mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Turn On %n Mods</source>
        <translation>
            <numerusform>Turn On %n Mod</numerusform>
            <numerusform>Turn On %n Mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Turning off %n mods…</source>
        <translation>
            <numerusform>Turning off %n mod…</numerusform>
            <numerusform>Turning off %n mods…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Turned off %n mods</source>
        <translation>
            <numerusform>Turned off %n mod</numerusform>
            <numerusform>Turned off %n mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Turn Off %n Mods</source>
        <translation>
            <numerusform>Turn Off %n Mod</numerusform>
            <numerusform>Turn Off %n Mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Updating %n mods…</source>
        <translation>
            <numerusform>Updating %n mod…</numerusform>
            <numerusform>Updating %n mods…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Updated %n mods</source>
        <translation>
            <numerusform>Updated %n mod</numerusform>
            <numerusform>Updated %n mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Update %n Mods</source>
        <translation>
            <numerusform>Update %n Mod</numerusform>
            <numerusform>Update %n Mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Updated %n mods.</source>
        <translation>
            <numerusform>Updated %n mod.</numerusform>
            <numerusform>Updated %n mods.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Removing %n mods…</source>
        <translation>
            <numerusform>Removing %n mod…</numerusform>
            <numerusform>Removing %n mods…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Removed %n mods</source>
        <translation>
            <numerusform>Removed %n mod</numerusform>
            <numerusform>Removed %n mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Remove %n Mods</source>
        <translation>
            <numerusform>Remove %n Mod</numerusform>
            <numerusform>Remove %n Mods</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swapping halves…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swapped halves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap Halves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Found it: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n mods left to check. Play: if the problem is still there, turn off half again; if it went, swap the halves.</source>
        <translation>
            <numerusform>%n mod left to check. Play: if the problem is still there, turn off half again; if it went, swap the halves.</numerusform>
            <numerusform>%n mods left to check. Play: if the problem is still there, turn off half again; if it went, swap the halves.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NativeMenus</name>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NewProfileSheet</name>
    <message>
        <source>New Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A profile is its own set of mods and settings — for example one per server you play on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PackageRelations</name>
    <message>
        <source>Needed by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PackageSheet</name>
    <message>
        <source>by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>v%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deprecated by its author</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also installs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No README.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Held at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Held at %1 — %2 is available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View on Thunderstore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed as a dependency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changelog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No changelog.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PaneWording</name>
    <message numerus="yes">
        <source>%n mods</source>
        <translation>
            <numerusform>%n mod</numerusform>
            <numerusform>%n mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · %n dependencies</source>
        <translation>
            <numerusform> · %n dependency</numerusform>
            <numerusform> · %n dependencies</numerusform>
        </translation>
    </message>
    <message>
        <source>Show more (%1 more)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No mods match “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n deprecated mods match —</source>
        <translation>
            <numerusform>%n deprecated mod matches —</numerusform>
            <numerusform>%n deprecated mods match —</numerusform>
        </translation>
    </message>
    <message>
        <source>Show It</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 mods</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> · refreshing…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dependency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1 is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get it from %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileChanges</name>
    <message>
        <source>Wait until “%1” has finished, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving %1…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfilePane</name>
    <message>
        <source>Create a profile to get started.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileQueue</name>
    <message>
        <source>Wait until “%1” has finished, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileStore</name>
    <message>
        <source>That profile code doesn’t contain a mod list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On/Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a whole number from %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a number from %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a whole number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t package the profile: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That profile code’s mod list is too large.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileSync</name>
    <message>
        <source>Valheim wasn’t found. Choose your Valheim folder first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing the BepInEx loader…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t download the mod loader (BepInEx): the server answered %1. Try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t download the mod loader (BepInEx). %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t reach Thunderstore. Check your internet connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing BepInEx %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing %1 %2…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t find %1 on Thunderstore (needed by %2).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileTransfer</name>
    <message>
        <source>Exporting profile…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported “%1” to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Creating a profile code…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Importing profile…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That file isn’t a profile file, or it is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That profile file doesn’t contain a mod list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n mods</source>
        <translation>
            <numerusform>%n mod</numerusform>
            <numerusform>%n mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n dependencies</source>
        <translation>
            <numerusform>%1 and %n dependency</numerusform>
            <numerusform>%1 and %n dependencies</numerusform>
        </translation>
    </message>
    <message>
        <source>Imported “%1” with %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced “%1” with %2 from the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced “%1” with %2 from the code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That profile no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied the mod list of “%1”.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Just now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RenameSheet</name>
    <message>
        <source>Rename Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchField</name>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SelectionBar</name>
    <message>
        <source>Turn On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn Off Half</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn off half of these mods to find the one that breaks the game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Swap Halves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The mods that need them may not work.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShareSheet</name>
    <message>
        <source>Share “%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send this code to your fellow Vikings. They paste it into Import Code (here or in r2modman) to get the same mods, versions and config settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Codes are temporary on Thunderstore’s side — if one stops working, make a fresh one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SheetButtons</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SheetFrame</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share Profile Code…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Profile File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in Finder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its mods and their settings are removed from this Mac. This can’t be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusPill</name>
    <message>
        <source>Up to date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not installed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Text</name>
    <message>
        <source>%1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everything is up to date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Everything is up to date (%n updates held).</source>
        <translation>
            <numerusform>Everything is up to date (%n update held).</numerusform>
            <numerusform>Everything is up to date (%n updates held).</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Thunderstore</name>
    <message>
        <source>Thunderstore returned an error (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t download the mod list from Thunderstore. Check your internet connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That doesn’t look like a profile code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile code not found. Codes expire after a while — ask for a fresh one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn’t read that profile code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thunderstore didn’t accept the profile (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnsavedPrompt</name>
    <message>
        <source>Valheim is running, so they can’t be saved now. Open “%1” without them, or stay here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you open “%1” without saving, your changes are lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim is running, so they can’t be saved now. Switch to the profile “%1” without them, or stay here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you switch to the profile “%1” without saving, your changes are lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim is running, so they can’t be saved now. Close without them, or stay here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you close without saving, your changes are lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Valheim reads these settings when it starts. If you play without saving, your changes are lost.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnsavedSheet</name>
    <message>
        <source>Save changes to “%1”?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don’t Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateReview</name>
    <message numerus="yes">
        <source>Update %n Mods — %1</source>
        <translation>
            <numerusform>Update %n Mod — %1</numerusform>
            <numerusform>Update %n Mods — %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Update %n Mods</source>
        <translation>
            <numerusform>Update %n Mod</numerusform>
            <numerusform>Update %n Mods</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UpdateReviewSheet</name>
    <message>
        <source>Review Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Review Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide Changelog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Changelog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Held at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don’t Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No changelog.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also installs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowMenus</name>
    <message>
        <source>Quernhold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit Quernhold</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Wording</name>
    <message numerus="yes">
        <source>%n mods</source>
        <translation>
            <numerusform>%n mod</numerusform>
            <numerusform>%n mods</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n updates available</source>
        <translation>
            <numerusform>%n update available</numerusform>
            <numerusform>%n updates available</numerusform>
        </translation>
    </message>
    <message>
        <source>Checking Thunderstore…</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n items still need downloading.</source>
        <translation>
            <numerusform>%n item still needs downloading.</numerusform>
            <numerusform>%n items still need downloading.</numerusform>
        </translation>
    </message>
    <message>
        <source>Install (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update All (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
