import QtQuick
import Quernhold

// The sheets, each shown while its AppState field is set; closing one resets its field. Each is
// made afresh when shown, so its fields start empty.
Item {
    id: sheets
    required property AppState app

    Loader {
        active: sheets.app.showNewProfile
        sourceComponent: NewProfileSheet {
            app: sheets.app
            onClosed: sheets.app.showNewProfile = false
        }
    }
    Loader {
        active: !!sheets.app.renaming
        sourceComponent: RenameSheet {
            app: sheets.app
            profile: sheets.app.renaming
            onClosed: sheets.app.renaming = null
        }
    }
    Loader {
        active: sheets.app.showImport
        sourceComponent: ImportSheet {
            app: sheets.app
            onClosed: {
                sheets.app.showImport = false
                sheets.app.importFile = ""
            }
        }
    }
    Loader {
        active: !!sheets.app.sharedCode
        sourceComponent: ShareSheet {
            app: sheets.app
            code: sheets.app.sharedCode
            onClosed: sheets.app.sharedCode = null
        }
    }
    Loader {
        active: sheets.app.showLog
        sourceComponent: LogSheet {
            app: sheets.app
            onClosed: sheets.app.showLog = false
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
        active: sheets.app.showConfig && !!sheets.app.selected
        sourceComponent: ConfigSheet {
            app: sheets.app
            onClosed: sheets.app.showConfig = false
        }
    }
    // Over the settings, or over the window: a change of profile and playing ask too.
    Loader {
        active: sheets.app.config.asking
        sourceComponent: UnsavedSheet { config: sheets.app.config }
    }
    Loader {
        active: !!sheets.app.detailPackage
        sourceComponent: PackageSheet {
            app: sheets.app
            pkg: sheets.app.detailPackage
            onClosed: sheets.app.detailPackage = null
        }
    }
}
