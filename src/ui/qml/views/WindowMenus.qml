import QtQuick
import QtQuick.Controls
import Quernhold

// The in-window menu bar, for systems without a global one.
MenuBar {
    id: bar
    required property Commands commands

    component CommandMenu: AppMenu {
        id: menu
        property list<Command> commands
        property list<Command> extra
        function append(command) {
            if (command.separatorBefore) menu.addItem(separator.createObject(menu.contentItem))
            menu.addItem(entry.createObject(menu.contentItem, { command: command }))
        }
        Component.onCompleted: {
            for (let i = 0; i < commands.length; ++i) append(commands[i])
            for (let i = 0; i < extra.length; ++i) append(extra[i])
        }
        property Component separator: Component {
            MenuSeparator {
                contentItem: Rectangle { implicitHeight: 1; color: Theme.btnBorder }
            }
        }
        property Component entry: Component {
            AppMenuItem {
                id: item
                required property Command command
                objectName: "menu." + command.text
                action: Action {
                    text: item.command.text
                    shortcut: item.command.shortcut
                    enabled: item.command.enabled
                    onTriggered: item.command.triggered()
                }
            }
        }
    }

    delegate: MenuBarItem {
        id: title
        font.pixelSize: Theme.bodyFontSize
        contentItem: Text {
            text: title.text
            font: title.font
            color: Theme.text
        }
        background: Rectangle {
            color: title.highlighted ? Theme.surface2 : "transparent"
            radius: Theme.smallRadius
        }
    }
    background: Rectangle {
        color: Theme.surface
        Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 1; color: Theme.line }
    }

    CommandMenu {
        title: qsTr("Quernhold")
        // Qt 6.4's qmllint takes a list<Command> from another file for a list of another type.
        commands: bar.commands.appMenu // qmllint disable type
        extra: Command { text: qsTr("Quit Quernhold"); shortcut: "Ctrl+Q"; separatorBefore: true; onTriggered: Qt.quit() }
    }
    CommandMenu { title: qsTr("File"); commands: bar.commands.fileMenu } // qmllint disable type
    CommandMenu { title: qsTr("Edit"); commands: bar.commands.editMenu } // qmllint disable type
    CommandMenu { title: qsTr("Profile"); commands: bar.commands.profileMenu } // qmllint disable type
    CommandMenu { title: qsTr("Help"); commands: bar.commands.helpMenu } // qmllint disable type
}
