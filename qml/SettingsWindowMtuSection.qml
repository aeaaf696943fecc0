import QtQuick 2.15
import QtQuick.Controls 2.15
import "controls"

// The tunnel's MTU: automatic, or a size of the user's. The section is kept but not shown.
SettingsSection {
    id: root

    objectName: ObjectNames.mtuSection
    title: qsTr("MTU size")
    visible: false

    function load() {
        var size = settings.mtuSize
        manual.checked = size !== 0
        automatic.checked = size === 0
        spinBox.value = size !== 0 ? size : settings.defaultMtuSize()
    }

    function save() {
        settings.mtuSize = manual.checked ? spinBox.value : 0
    }

    ButtonGroup {
        buttons: [automatic, manual]
    }

    ARadioButton {
        id: automatic
        objectName: ObjectNames.mtuAutoRadio
        width: parent.width
        text: qsTr("Auto")
    }
    ARadioButton {
        id: manual
        objectName: ObjectNames.mtuManualRadio
        width: parent.width
        text: qsTr("Manual")
    }
    ASpinBox {
        id: spinBox
        objectName: ObjectNames.mtuSpinBox
        enabled: manual.checked
        from: 576
        to: 65535
        Accessible.name: qsTr("MTU size")
    }
}
