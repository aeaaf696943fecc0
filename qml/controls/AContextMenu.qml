import QtQuick 2.15
import QtQuick.Controls 2.15
import VPNClient 1.0

// The context menu of a text field. A hidden text (a password) can be pasted over but never
// cut or copied out.
Menu {
    id: menu

    property Item target: null
    readonly property bool hiddenText: target !== null && target.echoMode !== TextInput.Normal

    function openAt(x, y) {
        popup(target, x, y)
    }

    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13

    MenuItem {
        text: qsTr("Cut")
        enabled: menu.target !== null && !menu.hiddenText && !menu.target.readOnly && menu.target.selectedText !== ""
        onTriggered: menu.target.cut()
    }
    MenuItem {
        text: qsTr("Copy")
        enabled: menu.target !== null && !menu.hiddenText && menu.target.selectedText !== ""
        onTriggered: menu.target.copy()
    }
    MenuItem {
        text: qsTr("Paste")
        enabled: menu.target !== null && !menu.target.readOnly && menu.target.canPaste
        onTriggered: menu.target.paste()
    }
}
