import QtQuick 2.15
import VPNClient 1.0
import "controls"

// The sections of the theme; choosing one shows its properties and its preview.
ListView {
    id: view

    property string currentSection: ""

    signal sectionChosen(string name)

    objectName: ObjectNames.themeSectionList
    clip: true
    focus: true
    keyNavigationEnabled: true
    highlightFollowsCurrentItem: false
    boundsBehavior: Flickable.StopAtBounds
    model: themeSectionListModel
    visible: themeSectionListModel.isEmpty
    Accessible.role: Accessible.List
    Accessible.name: qsTr("Sections")

    Keys.onReturnPressed: if (currentItem) view.sectionChosen(currentItem.sectionName)
    Keys.onSpacePressed: if (currentItem) view.sectionChosen(currentItem.sectionName)

    delegate: Rectangle {
        readonly property string sectionName: model.ThemeSectionId
        readonly property bool chosen: sectionName === view.currentSection

        width: view.width
        height: 40
        color: chosen ? uiStyle.generalListViewItemActiveColor : uiStyle.generalListViewItemBackgroundColor
        Accessible.role: Accessible.ListItem
        Accessible.name: sectionName
        Accessible.selected: chosen

        Rectangle {
            visible: parent.chosen
            width: 3
            height: parent.height
            color: uiStyle.generalTabSelectedColor
        }
        ALabel {
            anchors.fill: parent
            anchors.leftMargin: 16
            text: parent.sectionName
            font.family: parent.chosen ? FontFactory.poppinsBold.name : FontFactory.poppinsRegular.name
            font.bold: parent.chosen
        }
        Rectangle {
            anchors.fill: parent
            color: "transparent"
            border.width: 2
            border.color: uiStyle.generalTabSelectedColor
            visible: view.activeFocus && parent.ListView.isCurrentItem
        }
        AMouseAreaHandler {
            onActivated: {
                view.currentIndex = index
                view.sectionChosen(parent.sectionName)
            }
        }
    }
}
