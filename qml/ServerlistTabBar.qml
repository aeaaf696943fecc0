import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import "controls"

// The three lists of the server list: recommended, the whole catalogue, favourites and recent.
T.TabBar {
    id: control

    objectName: ObjectNames.serverListTabBar
    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            contentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding)
    Accessible.role: Accessible.PageTabList
    Accessible.name: qsTr("Server lists")

    contentItem: ListView {
        model: control.contentModel
        currentIndex: control.currentIndex
        spacing: 0
        orientation: ListView.Horizontal
        boundsBehavior: Flickable.StopAtBounds
        flickableDirection: Flickable.AutoFlickIfNeeded
        interactive: false
    }
    background: Rectangle {
        color: uiStyle.generalTabBackgroundColor
    }

    ATabButton {
        objectName: ObjectNames.recommendedTab
        text: qsTr("Recommended")
        width: control.width / 3
    }
    ATabButton {
        objectName: ObjectNames.allTab
        text: qsTr("All")
        width: control.width / 3
    }
    ATabButton {
        objectName: ObjectNames.recentTab
        text: qsTr("Recent")
        width: control.width / 3
    }
}
