import QtQuick 2.15
import "controls"

// Sample rows in the list colours, for the preview of the "ListView" section.
ListView {
    id: view

    interactive: false
    model: simpleListModel
    visible: simpleListModel.isEmpty
    implicitHeight: contentHeight
    currentIndex: 0

    delegate: Rectangle {
        width: view.width
        height: 48
        color: index === view.currentIndex ? uiStyle.generalListViewItemActiveColor
                                           : uiStyle.generalListViewItemBackgroundColor

        FlagItem {
            id: flag
            anchors.left: parent.left
            anchors.leftMargin: 16
            anchors.verticalCenter: parent.verticalCenter
            source: "qrc:/resources/icons/flags/unknown.png"
        }
        ALabel {
            anchors.left: flag.right
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            text: model.ItemData
        }
        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: 1
            color: uiStyle.generalListViewSeparatorColor
        }
    }
}
