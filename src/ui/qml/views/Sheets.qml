pragma ComponentBehavior: Bound
import QtQuick
import Quernhold

// The sheets, each shown while the window state names it; closing one closes that one only. Each
// is made afresh when shown, so its fields start empty.
Item {
    id: sheets
    required property AppState app
    readonly property WindowState window: app.window

    Loader {
        active: sheets.window.sheet === WindowState.NewProfile
        sourceComponent: NewProfileSheet {
            app: sheets.app
            onClosed: sheets.window.close(WindowState.NewProfile)
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Rename
        sourceComponent: RenameSheet {
            app: sheets.app
            profile: sheets.window.payload
            onClosed: sheets.window.close(WindowState.Rename)
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Import
        sourceComponent: ImportSheet {
            app: sheets.app
            file: sheets.window.payload ?? ""
            onClosed: sheets.window.close(WindowState.Import)
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Share
        sourceComponent: ShareSheet {
            app: sheets.app
            code: sheets.window.payload
            onClosed: sheets.window.close(WindowState.Share)
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Log
        sourceComponent: LogSheet {
            app: sheets.app
            onClosed: sheets.window.close(WindowState.Log)
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.LaunchReport
        sourceComponent: LaunchReportSheet {
            app: sheets.app
            check: sheets.app.launchCheck
            onClosed: sheets.window.close(WindowState.LaunchReport)
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.History && !!sheets.app.selected
        sourceComponent: HistorySheet {
            app: sheets.app
            history: sheets.app.history
            onClosed: sheets.window.close(WindowState.History)
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Config && !!sheets.app.selected
        sourceComponent: ConfigSheet {
            app: sheets.app
            onClosed: sheets.window.close(WindowState.Config)
        }
    }
    // Over the settings, or over the window: a change of profile and playing ask too.
    Loader {
        active: sheets.app.config.prompt.asking
        sourceComponent: UnsavedSheet { config: sheets.app.config }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Package
        sourceComponent: PackageSheet {
            app: sheets.app
            pkg: sheets.window.payload
            onClosed: sheets.window.close(WindowState.Package)
        }
    }
}
