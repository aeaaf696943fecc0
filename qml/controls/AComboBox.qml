import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Templates 2.15 as T
import VPNClient 1.0

// A drop-down list in the text-field look. With generalComboBoxUsesListViewTheme the open list
// takes the server list's colours.
T.ComboBox {
    id: control

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)

    readonly property bool listTheme: uiStyle.generalComboBoxUsesListViewTheme
    readonly property color textColor: uiStyle.settingsPageDefaultLabelColor1

    leftPadding: 12
    rightPadding: 36
    focusPolicy: Qt.StrongFocus
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 14

    Accessible.role: Accessible.ComboBox
    Accessible.description: displayText

    delegate: T.ItemDelegate {
        id: row
        width: ListView.view ? ListView.view.width : implicitWidth
        implicitWidth: implicitContentWidth + leftPadding + rightPadding
        implicitHeight: Math.max(36, implicitContentHeight + topPadding + bottomPadding)
        leftPadding: 12
        rightPadding: 12
        highlighted: control.highlightedIndex === index
        text: control.textRole ? (Array.isArray(control.model) ? modelData[control.textRole] : model[control.textRole]) : modelData
        font: control.font
        Accessible.role: Accessible.ListItem
        Accessible.name: text

        contentItem: Text {
            textFormat: Text.PlainText
            text: row.text
            font: row.font
            color: control.listTheme ? uiStyle.generalDefaultLabelColor : control.textColor
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            implicitHeight: 36
            color: row.highlighted
                   ? (control.listTheme ? uiStyle.generalListViewItemActiveColor : uiStyle.generalTextFieldBorderColor)
                   : "transparent"
        }
    }

    indicator: AIcon {
        x: control.width - width - 10
        y: (control.height - height) / 2
        size: 18
        icon: control.popup.visible ? "arrow_up" : "arrow_down"
    }

    contentItem: Text {
        textFormat: Text.PlainText
        text: control.displayText
        font: control.font
        color: control.textColor
        opacity: control.enabled ? 1.0 : 0.5
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        implicitWidth: 140
        implicitHeight: 40
        radius: 8
        color: uiStyle.generalSectionColor
        border.width: 1
        border.color: uiStyle.generalTextFieldBorderColor

        AFocusFrame {
            shown: control.activeFocus
        }
    }

    popup: T.Popup {
        y: control.height + 2
        width: control.width
        implicitHeight: Math.min(contentItem.implicitHeight + 2, 260)
        padding: 1

        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }
        background: Rectangle {
            radius: 8
            color: control.listTheme ? uiStyle.generalListViewItemBackgroundColor : uiStyle.generalSectionColor
            border.width: 1
            border.color: uiStyle.generalTextFieldBorderColor
        }
    }
}
