import QtQuick 2.15
import "controls"

// Notifications and the language of the program.
SettingsSection {
    id: root

    // The language takes effect at once; the window keeps its other pending choices.
    signal languageChosen(int index)

    title: qsTr("Miscellaneous")

    function load() {
        showNotifications.checked = settings.showNotifications
        language.currentIndex = settings.languageIndex
    }

    function save() {
        settings.showNotifications = showNotifications.checked
    }

    ASwitch {
        id: showNotifications
        objectName: ObjectNames.showNotificationsSwitch
        width: parent.width
        text: qsTr("Show notifications")
    }

    Column {
        width: parent.width
        spacing: 6

        ALabel {
            width: parent.width
            text: qsTr("Language")
            color: uiStyle.settingsPageDefaultLabelColor1
            opacity: Number(uiStyle.generalLabelOpacity)
        }
        AComboBox {
            id: language
            objectName: ObjectNames.languageCombo
            width: parent.width
            model: settings.languageList
            Accessible.name: qsTr("Language")
            onActivated: root.languageChosen(index)
        }
    }
}
