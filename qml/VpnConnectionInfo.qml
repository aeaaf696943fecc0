import QtQuick 2.15
import "controls"

// Where the tunnel goes and what went through it: the chosen location (a click opens the
// server list) and the traffic of the session.
Item {
    id: root

    // The chosen location: the catalogue list's until one of the lists or a country search
    // announces another.
    property string locationText: serverListModel.locationText
    property string locationImageSource: serverListModel.locationImageSource

    signal locationClicked()

    implicitWidth: 320
    implicitHeight: card.height + 12 + traffic.height

    function takeServer(model, ip) {
        locationText = model.locationText
        locationImageSource = model.locationImageSource
        vpnCore.setVpnServerIp(ip, model.locationText)
    }

    Connections {
        target: serverListModel
        function onServerIpChanged(ip) { root.takeServer(serverListModel, ip) }
        function onSearchCountry(countryCode, locationImageSource) {
            root.locationText = vpnCore.bestStringForCountry(countryCode)
            root.locationImageSource = locationImageSource
            vpnCore.setSearchModeForCountry(countryCode)
        }
    }
    Connections {
        target: recomendedServersModel
        function onServerIpChanged(ip) { root.takeServer(recomendedServersModel, ip) }
    }
    Connections {
        target: recentServersModel
        function onServerIpChanged(ip) { root.takeServer(recentServersModel, ip) }
    }

    Rectangle {
        id: card
        anchors.horizontalCenter: parent.horizontalCenter
        width: parent.width
        height: 60
        radius: 12
        color: location.pressed ? uiStyle.generalListViewItemActiveColor : uiStyle.generalSectionColor
        border.width: 1
        border.color: uiStyle.generalTextFieldBorderColor

        FlagItem {
            id: flag
            objectName: ObjectNames.locationFlag
            anchors.left: parent.left
            anchors.leftMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            source: root.locationImageSource
        }

        Column {
            anchors.left: flag.visible ? flag.right : parent.left
            anchors.leftMargin: 16
            anchors.right: arrow.left
            anchors.rightMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            spacing: 0

            AGreyLabel {
                width: parent.width
                text: qsTr("Server location")
            }
            ABrightLabel {
                objectName: ObjectNames.locationText
                width: parent.width
                text: root.locationText
                font.pixelSize: 15
            }
        }

        AIcon {
            id: arrow
            anchors.right: parent.right
            anchors.rightMargin: 14
            anchors.verticalCenter: parent.verticalCenter
            icon: "arrow_right"
            opacity: 0.6
        }

        ExtendedMouseArea {
            id: location
            objectName: ObjectNames.locationButton
            anchors.fill: parent
            radius: card.radius
            accessibleName: qsTr("Server location")
            accessibleDescription: root.locationText
            onClicked: root.locationClicked()
        }
    }

    component TrafficValue: Item {
        id: trafficValue

        property string iconName
        property string caption
        property string value
        property alias valueName: valueLabel.objectName

        height: 40
        Accessible.role: Accessible.StaticText
        Accessible.name: caption + " " + value

        Row {
            anchors.centerIn: parent
            spacing: 8

            AIcon {
                anchors.verticalCenter: parent.verticalCenter
                icon: trafficValue.iconName
                opacity: 0.55
            }
            Column {
                anchors.verticalCenter: parent.verticalCenter

                AGreyLabel {
                    width: Math.min(implicitWidth, trafficValue.width - 40)
                    text: trafficValue.caption
                    font.pixelSize: 11
                }
                ABrightLabel {
                    id: valueLabel
                    width: Math.min(implicitWidth, trafficValue.width - 40)
                    text: trafficValue.value
                    font.pixelSize: 14
                }
            }
        }
    }

    Row {
        id: traffic
        anchors.top: card.bottom
        anchors.topMargin: 12
        anchors.horizontalCenter: parent.horizontalCenter

        TrafficValue {
            width: root.width / 2
            iconName: "download"
            caption: qsTr("Downloaded")
            value: vpnCore.downloaded
            valueName: ObjectNames.downloadedText
        }
        TrafficValue {
            width: root.width / 2
            iconName: "upload"
            caption: qsTr("Uploaded")
            value: vpnCore.uploaded
            valueName: ObjectNames.uploadedText
        }
    }
}
