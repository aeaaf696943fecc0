import QtQuick 2.15
import QtQuick.Layouts 1.15
import "controls"

// The server list: an overlay of the main window between its header and footer, with three
// lists (keys 1, 2 and 3), one search over them, and Escape to close.
FocusScope {
    id: root

    readonly property var views: [recommendedPage.view, allPage.view, recentPage.view]
    property alias currentIndex: tabBar.currentIndex

    function open() {
        visible = true
        views[tabBar.currentIndex].forceActiveFocus()
    }

    function close() {
        visible = false
    }

    function typeIntoSearch(text) {
        searchField.forceActiveFocus()
        searchField.insert(searchField.cursorPosition, text)
    }

    function selectTab(index) {
        tabBar.currentIndex = index
        if (!searchField.activeFocus)
            views[index].forceActiveFocus()
    }

    objectName: ObjectNames.serverListWindow
    visible: false
    Accessible.role: Accessible.Dialog
    Accessible.name: qsTr("Serverlist")

    Keys.onPressed: {
        if (event.key >= Qt.Key_1 && event.key <= Qt.Key_3 && !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier))) {
            root.selectTab(event.key - Qt.Key_1)
            event.accepted = true
        }
    }
    Keys.onEscapePressed: root.close()

    component ListPage: Item {
        id: page

        property alias listModel: listView.listModel
        property alias searchPhrase: listView.searchPhrase
        property bool windowShown: false
        readonly property alias view: listView

        signal serverChosen()
        signal typedText(string text)
        signal leftTop()

        ServerListView {
            id: listView
            anchors.fill: parent
            active: page.windowShown && page.visible
            visible: showsRows
            onServerChosen: page.serverChosen()
            onTypedText: page.typedText(text)
            onLeftTop: page.leftTop()
        }

        AGreyLabel {
            objectName: ObjectNames.serverListEmpty
            anchors.centerIn: parent
            width: parent.width - 40
            horizontalAlignment: Text.AlignHCenter
            visible: !listView.visible
            text: qsTr("No items to display")
            font.pixelSize: 14
            wrapMode: Text.WordWrap
        }
    }

    // The overlay takes every click, so nothing under it reacts.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        onWheel: wheel.accepted = true
    }

    Rectangle {
        anchors.fill: parent
        color: uiStyle.generalBackgroundColor
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        ServerListHeader {
            Layout.fillWidth: true
            onCloseClicked: root.close()
        }

        ServerlistTabBar {
            id: tabBar
            Layout.fillWidth: true
        }

        Item {
            Layout.fillWidth: true
            implicitHeight: searchField.implicitHeight + 20

            ASearchField {
                id: searchField
                objectName: ObjectNames.serverSearchField
                clearName: ObjectNames.serverSearchClear
                anchors.fill: parent
                anchors.margins: 10
                anchors.leftMargin: 16
                anchors.rightMargin: 16
                KeyNavigation.down: root.views[tabBar.currentIndex]
            }
        }

        StackLayout {
            id: stack
            Layout.fillWidth: true
            Layout.fillHeight: true
            currentIndex: tabBar.currentIndex

            ListPage {
                id: recommendedPage
                listModel: recomendedServersModel
                searchPhrase: searchField.text
                windowShown: root.visible
                onServerChosen: root.close()
                onTypedText: root.typeIntoSearch(text)
                onLeftTop: searchField.forceActiveFocus()
            }
            ListPage {
                id: allPage
                listModel: serverListModel
                searchPhrase: searchField.text
                windowShown: root.visible
                onServerChosen: root.close()
                onTypedText: root.typeIntoSearch(text)
                onLeftTop: searchField.forceActiveFocus()
            }
            ListPage {
                id: recentPage
                listModel: recentServersModel
                searchPhrase: searchField.text
                windowShown: root.visible
                onServerChosen: root.close()
                onTypedText: root.typeIntoSearch(text)
                onLeftTop: searchField.forceActiveFocus()
            }
        }
    }
}
