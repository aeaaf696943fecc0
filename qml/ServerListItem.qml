import QtQuick 2.15
import VPNClient 1.0
import "controls"

// One row of a server list: a country, a section header or a server. What it shows is the
// model's answer for its row; it reads a role in each binding so that a change of the row's data
// asks the model again.
Rectangle {
    id: root

    property var listModel
    property int row: -1
    property bool expanded: false
    property bool current: false
    property bool highlighted: false
    property string rowId: ""
    property bool countryRow: false
    property bool headerRow: false
    property bool favorite: false
    property string serverName: ""
    property string countryName: ""

    readonly property bool flatList: !listModel.expandableModel()
    readonly property string label: { rowId; return listModel.attrBasicLabelText(row) }
    readonly property string flagSource: { rowId; return headerRow ? "" : listModel.attrCountryFlagSource(row) }
    readonly property bool canExpand: { rowId; return countryRow && listModel.attrExpandable(row) }
    readonly property bool canFavorite: { rowId; return !headerRow && listModel.attrFavoriteIconVisible(row) }
    readonly property bool indented: !countryRow && !flatList
    readonly property bool groupRow: countryRow && !flatList
    readonly property string detail: flatList ? countryName : (countryRow ? "" : serverName)

    signal chosen()
    signal expandToggled()
    signal favoriteToggled()

    objectName: ObjectNames.serverRow
    implicitHeight: groupRow ? 52 : 48
    color: current || highlighted || mouse.pressed ? uiStyle.generalListViewItemActiveColor
                                                    : uiStyle.generalListViewItemBackgroundColor

    Accessible.role: Accessible.ListItem
    Accessible.name: detail !== "" ? label + ", " + detail : label
    Accessible.selected: current

    AMouseAreaHandler {
        id: mouse
        onActivated: root.headerRow ? root.expandToggled() : root.chosen()
    }

    FlagItem {
        id: flag
        anchors.left: parent.left
        anchors.leftMargin: root.indented ? 44 : 20
        anchors.verticalCenter: parent.verticalCenter
        source: root.flagSource
    }

    Column {
        anchors.left: flag.visible ? flag.right : parent.left
        anchors.leftMargin: flag.visible ? 14 : (root.indented ? 44 : 20)
        anchors.right: buttons.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter

        ALabel {
            width: parent.width
            text: root.label
            font.family: root.groupRow ? FontFactory.poppinsBold.name : FontFactory.poppinsRegular.name
            font.bold: root.groupRow
            font.pixelSize: root.groupRow ? 15 : 14
        }
        AGreyLabel {
            width: parent.width
            visible: text !== ""
            text: root.detail
            font.pixelSize: 11
        }
    }

    Row {
        id: buttons
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        spacing: 0

        Item {
            objectName: ObjectNames.serverFavorite
            visible: root.canFavorite
            width: 40
            height: 40
            Accessible.role: Accessible.CheckBox
            Accessible.name: qsTr("Favorite")
            Accessible.checkable: true
            Accessible.checked: root.favorite

            AIcon {
                anchors.centerIn: parent
                size: 22
                visible: !root.favorite
                icon: "favorite"
                opacity: 0.45
            }
            AIcon {
                anchors.centerIn: parent
                size: 22
                visible: root.favorite
                icon: "favorite_selected"
                styled: false
            }
            AMouseAreaHandler {
                onActivated: root.favoriteToggled()
            }
        }

        Item {
            objectName: ObjectNames.serverExpand
            visible: root.canExpand
            width: 40
            height: 40
            Accessible.role: Accessible.Button
            Accessible.name: root.expanded ? qsTr("Collapse") : qsTr("Expand")

            AIcon {
                anchors.centerIn: parent
                size: 22
                icon: root.expanded ? "arrow_up" : "arrow_down"
                opacity: 0.7
            }
            AMouseAreaHandler {
                onActivated: root.expandToggled()
            }
        }
    }

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 1
        color: uiStyle.generalListViewSeparatorColor
    }

    // The row the keyboard is on.
    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        color: "transparent"
        border.width: 2
        border.color: uiStyle.generalTabSelectedColor
        radius: 4
        visible: root.highlighted
    }
}
