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
            // Qt 6.4 cannot bind a loader's component to this file's scope, and its qmllint cannot see
            // ids outside a component; the lines that use one say so.
            app: sheets.app // qmllint disable unqualified
            kind: WindowState.NewProfile
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Rename
        sourceComponent: RenameSheet {
            app: sheets.app // qmllint disable unqualified
            profile: sheets.window.payload // qmllint disable unqualified
            kind: WindowState.Rename
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Import
        sourceComponent: ImportSheet {
            app: sheets.app // qmllint disable unqualified
            file: sheets.window.payload ?? "" // qmllint disable unqualified
            kind: WindowState.Import
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Share
        sourceComponent: ShareSheet {
            app: sheets.app // qmllint disable unqualified
            code: sheets.window.payload // qmllint disable unqualified
            kind: WindowState.Share
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Log
        sourceComponent: LogSheet {
            app: sheets.app // qmllint disable unqualified
            kind: WindowState.Log
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.LaunchReport
        sourceComponent: LaunchReportSheet {
            app: sheets.app // qmllint disable unqualified
            check: sheets.app.launchCheck // qmllint disable unqualified
            kind: WindowState.LaunchReport
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.History && !!sheets.app.selection.profile
        sourceComponent: HistorySheet {
            app: sheets.app // qmllint disable unqualified
            history: sheets.app.history // qmllint disable unqualified
            kind: WindowState.History
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Config && !!sheets.app.selection.profile
        sourceComponent: ConfigSheet {
            app: sheets.app // qmllint disable unqualified
            kind: WindowState.Config
        }
    }
    // Over the settings, or over the window: a change of profile and playing ask too.
    Loader {
        active: sheets.app.config.prompt.asking
        sourceComponent: UnsavedSheet { config: sheets.app.config } // qmllint disable unqualified
    }
    Loader {
        active: sheets.window.sheet === WindowState.UpdateReview && !!sheets.app.selection.profile
        sourceComponent: UpdateReviewSheet {
            app: sheets.app // qmllint disable unqualified
            review: sheets.app.review // qmllint disable unqualified
            kind: WindowState.UpdateReview
        }
    }
    Loader {
        active: sheets.window.sheet === WindowState.Package
        sourceComponent: PackageSheet {
            app: sheets.app // qmllint disable unqualified
            pkg: sheets.window.payload // qmllint disable unqualified
            kind: WindowState.Package
        }
    }
}
