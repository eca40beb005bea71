import QtQuick
import Qt.labs.platform as Platform
import Quernhold

// The macOS menu bar, with the same commands as the in-window one.
Platform.MenuBar {
    id: bar
    required property Commands commands

    component CommandMenu: Platform.Menu {
        id: menu
        property list<Command> commands
        property int itemRole: Platform.MenuItem.TextHeuristicRole
        Component.onCompleted: {
            for (let i = 0; i < commands.length; ++i) {
                if (commands[i].separatorBefore) menu.addItem(separator.createObject(menu))
                menu.addItem(entry.createObject(menu, { command: commands[i], role: itemRole }))
            }
        }
        property Component separator: Component { Platform.MenuSeparator {} }
        property Component entry: Component {
            Platform.MenuItem {
                required property Command command
                text: command.text
                shortcut: command.shortcut
                enabled: command.enabled
                onTriggered: command.triggered()
            }
        }
    }

    // "Visit …" goes into the application menu, after About.
    // Qt 6.4's qmllint takes a list<Command> from another file for a list of another type.
    CommandMenu { commands: bar.commands.appMenu; itemRole: Platform.MenuItem.ApplicationSpecificRole } // qmllint disable type
    CommandMenu { title: qsTr("File"); commands: bar.commands.fileMenu } // qmllint disable type
    CommandMenu { title: qsTr("Edit"); commands: bar.commands.editMenu } // qmllint disable type
    CommandMenu { title: qsTr("Profile"); commands: bar.commands.profileMenu } // qmllint disable type
    CommandMenu { title: qsTr("Help"); commands: bar.commands.helpMenu } // qmllint disable type
}
