import QtQuick
import Quernhold

// The sheets, each shown while its AppState field is set; closing one resets its field. Each is
// made afresh when shown, so its fields start empty.
Item {
    id: sheets
    required property AppState app

    Loader {
        active: sheets.app.window.showNewProfile
        sourceComponent: NewProfileSheet {
            app: sheets.app
            onClosed: sheets.app.window.showNewProfile = false
        }
    }
    Loader {
        active: !!sheets.app.window.renaming
        sourceComponent: RenameSheet {
            app: sheets.app
            profile: sheets.app.window.renaming
            onClosed: sheets.app.window.renaming = null
        }
    }
    Loader {
        active: sheets.app.window.showImport
        sourceComponent: ImportSheet {
            app: sheets.app
            onClosed: {
                sheets.app.window.showImport = false
                sheets.app.window.importFile = ""
            }
        }
    }
    Loader {
        active: !!sheets.app.window.sharedCode
        sourceComponent: ShareSheet {
            app: sheets.app
            code: sheets.app.window.sharedCode
            onClosed: sheets.app.window.sharedCode = null
        }
    }
    Loader {
        active: sheets.app.window.showLog
        sourceComponent: LogSheet {
            app: sheets.app
            onClosed: sheets.app.window.showLog = false
        }
    }
    Loader {
        active: sheets.app.launchCheck.shown
        sourceComponent: LaunchReportSheet {
            app: sheets.app
            check: sheets.app.launchCheck
            onClosed: sheets.app.launchCheck.shown = false
        }
    }
    Loader {
        active: sheets.app.window.showConfig && !!sheets.app.selected
        sourceComponent: ConfigSheet {
            app: sheets.app
            onClosed: sheets.app.window.showConfig = false
        }
    }
    // Over the settings, or over the window: a change of profile and playing ask too.
    Loader {
        active: sheets.app.config.prompt.asking
        sourceComponent: UnsavedSheet { config: sheets.app.config }
    }
    Loader {
        active: !!sheets.app.window.detailPackage
        sourceComponent: PackageSheet {
            app: sheets.app
            pkg: sheets.app.window.detailPackage
            onClosed: sheets.app.window.detailPackage = null
        }
    }
}
