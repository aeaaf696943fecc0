import QtQuick 2.15
import QtQuick.Templates 2.15 as T
import "controls"

// The two pages of the settings: general choices and the advanced ones.
T.TabBar {
    id: control

    objectName: ObjectNames.settingsTabBar
    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            contentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding)
    Accessible.role: Accessible.PageTabList
    Accessible.name: qsTr("Settings")

    contentItem: ListView {
        model: control.contentModel
        currentIndex: control.currentIndex
        orientation: ListView.Horizontal
        boundsBehavior: Flickable.StopAtBounds
        interactive: false
    }
    background: Rectangle {
        color: uiStyle.generalTabBackgroundColor
    }

    ATabButton {
        objectName: ObjectNames.generalTab
        text: qsTr("General")
        width: control.width / 2
    }
    ATabButton {
        objectName: ObjectNames.advancedTab
        text: qsTr("Advanced")
        width: control.width / 2
    }
}
