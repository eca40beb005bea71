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
            // Qt 6.4's qmllint cannot see ids outside a component; the lines that use one say so.
            app: sheets.app // qmllint disable unqualified
            onClosed: sheets.app.showNewProfile = false // qmllint disable unqualified
        }
    }
    Loader {
        active: !!sheets.app.renaming
        sourceComponent: RenameSheet {
            app: sheets.app // qmllint disable unqualified
            profile: sheets.app.renaming // qmllint disable unqualified
            onClosed: sheets.app.renaming = null // qmllint disable unqualified
        }
    }
    Loader {
        active: sheets.app.showImport
        sourceComponent: ImportSheet {
            app: sheets.app // qmllint disable unqualified
            onClosed: {
                sheets.app.showImport = false // qmllint disable unqualified
                sheets.app.importFile = ""
            }
        }
    }
    Loader {
        active: !!sheets.app.sharedCode
        sourceComponent: ShareSheet {
            app: sheets.app // qmllint disable unqualified
            code: sheets.app.sharedCode // qmllint disable unqualified
            onClosed: sheets.app.sharedCode = null // qmllint disable unqualified
        }
    }
    Loader {
        active: sheets.app.showLog
        sourceComponent: LogSheet {
            app: sheets.app // qmllint disable unqualified
            onClosed: sheets.app.showLog = false // qmllint disable unqualified
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
        active: sheets.app.showConfig && !!sheets.app.selected
        sourceComponent: ConfigSheet {
            app: sheets.app // qmllint disable unqualified
            onClosed: sheets.app.showConfig = false // qmllint disable unqualified
        }
    }
    // Over the settings, or over the window: a change of profile and playing ask too.
    Loader {
        active: sheets.app.config.asking
        sourceComponent: UnsavedSheet { config: sheets.app.config } // qmllint disable unqualified
    }
    Loader {
        active: !!sheets.app.detailPackage
        sourceComponent: PackageSheet {
            app: sheets.app // qmllint disable unqualified
            pkg: sheets.app.detailPackage // qmllint disable unqualified
            onClosed: sheets.app.detailPackage = null // qmllint disable unqualified
        }
    }
}
