import QtQuick 2.15
import QtQuick.Controls 2.15
import VPNClient 1.0
import "controls"

// The account: saved only by "Update", never with the other settings.
SettingsSection {
    id: root

    title: qsTr("Authentication")

    function reloadCredentials() {
        userName.text = settings.userName
        password.text = settings.password
    }

    function updateCredentials() {
        settings.userName = userName.text
        settings.password = password.text
        settings.saveGeneralSettings()
        // The settings keep what they stored (white space folded), and the fields show that.
        reloadCredentials()
        qmlApp.requestWirequardData()
        updated.show(qsTr("Updated"), 3000)
    }

    AInputField {
        id: userName
        width: parent.width
        label: qmlApp.settingsUserName() ? qsTr("Username") : qsTr("Account ID")
        field.objectName: ObjectNames.userNameField
    }

    AInputField {
        id: password
        width: parent.width
        label: qsTr("Password")
        secret: true
        field.objectName: ObjectNames.passwordField
        revealName: ObjectNames.passwordReveal
        field.onAccepted: root.updateCredentials()
    }

    AButton {
        objectName: ObjectNames.updateCredentialsButton
        anchors.right: parent.right
        width: Math.max(implicitWidth, 120)
        text: qsTr("Update")
        onClicked: root.updateCredentials()

        ToolTip {
            id: updated
            objectName: ObjectNames.updatedToolTip
            // Beside the button: above it the note would cover the password's reveal icon.
            x: -width - 8
            y: (parent.height - height) / 2
            font.family: FontFactory.poppinsRegular.name
            font.pixelSize: 13
        }
    }
}
