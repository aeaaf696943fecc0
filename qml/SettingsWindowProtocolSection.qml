import QtQuick 2.15
import QtQuick.Controls 2.15
import "controls"

// The tunnel's protocol, its port and IPv6.
SettingsSection {
    id: root

    // 0 OpenVPN over UDP, 1 OpenVPN over TCP, 2 Stealth, 3 WireGuard.
    property int protocol: 0
    property int udpPortIndex: 0
    property int tcpPortIndex: 0
    readonly property bool stealthOffered: qmlApp.runningOnWindows() || qmlApp.runningOnMacOS()
                                           || qmlApp.runningOnLinux()

    title: qsTr("Protocol")

    function load() {
        udpPortIndex = settings.udpPortIndex
        tcpPortIndex = settings.tcpPortIndex
        protocol = settings.networkProtocol
        ipv6.checked = settings.ipv6Enabled
        syncPort()
    }

    function save() {
        settings.networkProtocol = protocol
        settings.udpPortIndex = udpPortIndex
        settings.tcpPortIndex = tcpPortIndex
        settings.ipv6Enabled = ipv6.checked
    }

    function choose(value) {
        protocol = value
        syncPort()
    }

    // The port list changes with the protocol, and each protocol keeps its own choice.
    function syncPort() {
        port.currentIndex = protocol === 1 ? tcpPortIndex : udpPortIndex
    }

    ButtonGroup {
        id: protocols
    }

    component Choice: Column {
        id: choice

        property alias text: radio.text
        property alias description: explanation.text
        property alias radioName: radio.objectName
        property int value: 0

        width: parent.width
        spacing: 2

        ARadioButton {
            id: radio
            width: parent.width
            checked: root.protocol === choice.value
            ButtonGroup.group: protocols
            Accessible.description: explanation.text
            onClicked: root.choose(choice.value)
        }
        ASmallGreyLabel {
            id: explanation
            leftPadding: 32
            width: parent.width
        }
    }

    Choice {
        visible: qmlApp.wireGuardIsSupported()
        value: 3
        radioName: ObjectNames.wireGuardRadio
        text: qsTr("WireGuard")
        description: qsTr("A modern protocol: quick to connect, fast, and light on the battery. The best choice for most networks.")
    }
    Choice {
        value: 0
        radioName: ObjectNames.udpRadio
        text: qsTr("UDP - OpenVPN")
        description: qsTr("OpenVPN over UDP: fast and reliable on most networks.")
    }
    Choice {
        value: 1
        radioName: ObjectNames.tcpRadio
        text: qsTr("TCP - OpenVPN")
        description: qsTr("OpenVPN over TCP: slower, but gets through networks that block UDP.")
    }
    Choice {
        visible: root.stealthOffered
        value: 2
        radioName: ObjectNames.stealthRadio
        text: qsTr("Stealth")
        description: qsTr("OpenVPN inside a TLS tunnel on port 443, for networks that block VPN traffic.")
    }

    Column {
        width: parent.width
        spacing: 2
        visible: root.protocol !== 3

        ASwitch {
            id: ipv6
            objectName: ObjectNames.ipv6Switch
            width: parent.width
            text: qsTr("IPv6")
            Accessible.description: ipv6Explanation.text
        }
        ASmallGreyLabel {
            id: ipv6Explanation
            width: parent.width
            text: qsTr("Carry IPv6 through the tunnel. When off, IPv6 is switched off while connected, so that nothing leaves outside the tunnel.")
        }
    }

    Column {
        width: parent.width
        spacing: 6
        visible: root.protocol === 0 || root.protocol === 1

        ALabel {
            width: parent.width
            text: qsTr("Port")
            color: uiStyle.settingsPageDefaultLabelColor1
            opacity: Number(uiStyle.generalLabelOpacity)
        }
        AComboBox {
            id: port
            objectName: ObjectNames.portCombo
            width: parent.width
            model: root.protocol === 1 ? tcpComboBoxListModel : settings.allowedUdpPortsList
            textRole: root.protocol === 1 ? "text" : ""
            Accessible.name: qsTr("Port")
            onModelChanged: root.syncPort()
            onActivated: {
                if (root.protocol === 1)
                    root.tcpPortIndex = index
                else
                    root.udpPortIndex = index
            }
        }
    }
}
