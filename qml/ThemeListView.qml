import QtQuick 2.15
import QtQuick.Controls 2.15
import "controls"

// The properties of the chosen section, each with its editor.
ListView {
    id: view

    signal colorRequested(string propertyId, string value)
    signal imageRequested(string propertyId)

    objectName: ObjectNames.themePropertyList
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    model: themeListModel
    visible: themeListModel.isEmpty
    Accessible.role: Accessible.List
    Accessible.name: qsTr("Properties")
    ScrollBar.vertical: ScrollBar {
        width: uiStyle.scrollBarWidth + 4
    }

    delegate: ThemeListItem {
        width: view.width
        propertyId: model.ThemePropertyId
        value: model.ThemePropertyData
        dataType: model.ThemePropertyDataTypeString
        label: model.ThemePropertyToolTip
        shown: model.Visible
        onEdited: themeListModel.updateCurrentThemeProperty(propertyId, value)
        onColorRequested: view.colorRequested(propertyId, value)
        onImageRequested: view.imageRequested(propertyId)
    }
}
