import QtQuick 2.15

// The strip on top of the main window with the brand's logo.
Rectangle {
    implicitHeight: 50
    color: uiStyle.generalHeaderBackgroundColor

    Image {
        anchors.fill: parent
        source: uiStyle.generalLogoFileName
        fillMode: Image.PreserveAspectFit
        sourceSize: Qt.size(800, 100)
        smooth: true
        Accessible.role: Accessible.Graphic
        Accessible.name: settings.titleName()
    }

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 1
        color: uiStyle.generalListViewSeparatorColor
    }
}
