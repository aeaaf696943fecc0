import QtQuick 2.15

// A country's flag with a hairline edge, so that white flags keep their shape on a white page.
// An empty source shows nothing; a flag that cannot be read shows the flag of no country.
Item {
    id: root

    property string source: ""

    implicitWidth: 32
    implicitHeight: 24
    visible: source !== ""

    Image {
        id: image
        anchors.fill: parent
        source: root.source
        sourceSize: Qt.size(64, 48)
        fillMode: Image.PreserveAspectCrop
        smooth: true
        onStatusChanged: {
            if (status === Image.Error)
                source = "qrc:/resources/icons/flags/unknown.png"
        }
    }

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        radius: 2
        border.width: 1
        border.color: uiStyle.generalListViewSeparatorColor
    }
}
