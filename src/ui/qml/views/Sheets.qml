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
            // Qt 6.4's qmllint cannot see ids outside a component; the lines that use one say so.
            app: sheets.app // qmllint disable unqualified
            onClosed: sheets.app.window.showNewProfile = false // qmllint disable unqualified
        }
    }
    Loader {
        active: !!sheets.app.window.renaming
        sourceComponent: RenameSheet {
            app: sheets.app // qmllint disable unqualified
            profile: sheets.app.window.renaming // qmllint disable unqualified
            onClosed: sheets.app.window.renaming = null // qmllint disable unqualified
        }
    }
    Loader {
        active: sheets.app.window.showImport
        sourceComponent: ImportSheet {
            app: sheets.app // qmllint disable unqualified
            onClosed: {
                sheets.app.window.showImport = false // qmllint disable unqualified
                sheets.app.window.importFile = ""
            }
        }
    }
    Loader {
        active: !!sheets.app.window.sharedCode
        sourceComponent: ShareSheet {
            app: sheets.app // qmllint disable unqualified
            code: sheets.app.window.sharedCode // qmllint disable unqualified
            onClosed: sheets.app.window.sharedCode = null // qmllint disable unqualified
        }
    }
    Loader {
        active: sheets.app.window.showLog
        sourceComponent: LogSheet {
            app: sheets.app // qmllint disable unqualified
            onClosed: sheets.app.window.showLog = false // qmllint disable unqualified
        }
    }
    Loader {
        active: sheets.app.launchCheck.shown
        sourceComponent: LaunchReportSheet {
            app: sheets.app // qmllint disable unqualified
            check: sheets.app.launchCheck // qmllint disable unqualified
            onClosed: sheets.app.launchCheck.shown = false // qmllint disable unqualified
        }
    }
    Loader {
        active: sheets.app.window.showHistory && !!sheets.app.selection.profile
        sourceComponent: HistorySheet {
            app: sheets.app // qmllint disable unqualified
            history: sheets.app.history // qmllint disable unqualified
            onClosed: sheets.app.window.showHistory = false // qmllint disable unqualified
        }
    }
    Loader {
        active: sheets.app.window.showConfig && !!sheets.app.selection.profile
        sourceComponent: ConfigSheet {
            app: sheets.app // qmllint disable unqualified
            onClosed: sheets.app.window.showConfig = false // qmllint disable unqualified
        }
    }
    // Over the settings, or over the window: a change of profile and playing ask too.
    Loader {
        active: sheets.app.config.prompt.asking
        sourceComponent: UnsavedSheet { config: sheets.app.config } // qmllint disable unqualified
    }
    Loader {
        active: !!sheets.app.window.detailPackage
        sourceComponent: PackageSheet {
            app: sheets.app // qmllint disable unqualified
            pkg: sheets.app.window.detailPackage // qmllint disable unqualified
            onClosed: sheets.app.window.detailPackage = null // qmllint disable unqualified
        }
    }
}
