import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Universal 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import VPNClient 1.0
import "controls"

// The settings: loaded when the window is made, written back when it is hidden. The
// credentials are the exception: only "Update" saves them, and showing the window shows what is
// stored. Escape hides the window.
Window {
    id: window

    property var mainWindow: null

    objectName: ObjectNames.settingsWindow
    title: settings.titleName()
    width: 440
    height: 650
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    flags: Qt.Window | Qt.WindowTitleHint | Qt.WindowSystemMenuHint | Qt.WindowCloseButtonHint
    color: uiStyle.generalBackgroundColor
    visible: false

    Universal.theme: uiStyle.darkStyle ? Universal.Dark : Universal.Light
    Universal.accent: uiStyle.generalTabSelectedColor

    readonly property var sections: [startup, killSwitch, miscellaneous, protocol, mtu, autoUpdate]

    function load() {
        for (var i = 0; i < sections.length; ++i)
            sections[i].load()
        auth.reloadCredentials()
    }

    function saveGeneralSettings() {
        for (var i = 0; i < sections.length; ++i)
            sections[i].save()
        settings.saveGeneralSettings()
    }

    // The new language retranslates the whole scene, which rebuilds the texts of the start
    // choice: the choice made in this window must survive it.
    function chooseLanguage(index) {
        var startMinimized = startup.startMinimizedIndex
        settings.languageIndex = index
        startup.startMinimizedIndex = startMinimized
    }

    // The keyboard's item stays in sight on a page that scrolls.
    function reveal(item) {
        var pages = [generalPage, advancedPage]
        for (var i = 0; i < pages.length; ++i) {
            var page = pages[i]
            var content = page.contentItem
            var ancestor = item
            while (ancestor && ancestor !== content)
                ancestor = ancestor.parent
            if (!ancestor)
                continue
            var point = item.mapToItem(content, 0, 0)
            var margin = 12
            if (point.y - margin < page.contentY)
                page.contentY = Math.max(0, point.y - margin)
            else if (point.y + item.height + margin > page.contentY + page.height)
                page.contentY = Math.min(page.contentHeight - page.height, point.y + item.height + margin - page.height)
        }
    }

    Component.onCompleted: load()
    onVisibleChanged: {
        if (visible)
            auth.reloadCredentials()
        else
            saveGeneralSettings()
    }
    onActiveFocusItemChanged: if (activeFocusItem) reveal(activeFocusItem)

    component Page: Flickable {
        id: page

        default property alias content: pageColumn.data

        clip: true
        contentWidth: width
        contentHeight: pageColumn.implicitHeight + 32
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
            width: uiStyle.scrollBarWidth + 4
        }

        Column {
            id: pageColumn
            x: 16
            y: 16
            width: page.width - 32
            spacing: 16
        }
    }

    FocusScope {
        anchors.fill: parent
        focus: true
        Keys.onEscapePressed: window.hide()

        ColumnLayout {
            anchors.fill: parent
            spacing: 0

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 50
                color: uiStyle.settingsPageHeaderBackgroundColor

                Image {
                    anchors.fill: parent
                    source: uiStyle.generalLogoFileName
                    fillMode: Image.PreserveAspectFit
                    sourceSize: Qt.size(800, 100)
                }
            }

            SettingsWindowTabBar {
                id: tabBar
                Layout.fillWidth: true
            }

            StackLayout {
                Layout.fillWidth: true
                Layout.fillHeight: true
                currentIndex: tabBar.currentIndex

                Page {
                    id: generalPage

                    SettingsWindowAuthSection {
                        id: auth
                        width: parent.width
                    }
                    SettingsWindowStartupSection {
                        id: startup
                        width: parent.width
                    }
                    SettingsWindowKillSwitchSection {
                        id: killSwitch
                        width: parent.width
                    }
                    SettingsWindowMiscellaneousSection {
                        id: miscellaneous
                        width: parent.width
                        onLanguageChosen: window.chooseLanguage(index)
                    }
                }

                Page {
                    id: advancedPage

                    SettingsWindowProtocolSection {
                        id: protocol
                        width: parent.width
                    }
                    SettingsWindowMtuSection {
                        id: mtu
                        width: parent.width
                    }
                    SettingsWindowUpdateApplicationSection {
                        id: autoUpdate
                        width: parent.width
                    }
                    SettingsWindowShowLogsSection {
                        width: parent.width
                    }
                }
            }
        }
    }
}
