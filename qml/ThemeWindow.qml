import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Controls.Universal 2.15
import QtQuick.Dialogs 1.3
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import VPNClient 1.0
import "controls"

// The theme editor: the sections and a preview of the chosen one on the left, the section's
// properties with their editors on the right, and theme files loaded and saved below. Every
// edit goes to the theme at once, so the main window shows it too.
Window {
    id: window

    property string sectionName: "App property"
    // What the open file dialog is for: "image" (with the property it sets), "load" or "save".
    property string fileDialogPurpose: ""
    property string imagePropertyId: ""
    property string colorPropertyId: ""

    objectName: ObjectNames.themeWindow
    title: qsTr("Theme editor") + " - " + settings.titleName()
    width: 960
    height: 700
    minimumWidth: 820
    minimumHeight: 560
    color: uiStyle.generalBackgroundColor

    Universal.theme: uiStyle.darkStyle ? Universal.Dark : Universal.Light
    Universal.accent: uiStyle.generalTabSelectedColor

    function chooseSection(name) {
        sectionName = name
        themeListModel.currentSectionName = name
    }

    function openFileDialog(purpose) {
        fileDialogPurpose = purpose
        fileDialog.title = purpose === "image" ? qsTr("Please choose a file")
                                               : purpose === "load" ? qsTr("Load theme") : qsTr("Save theme")
        fileDialog.selectExisting = purpose !== "save"
        fileDialog.nameFilters = purpose === "image" ? [qsTr("Images (*.png *.jpg *.jpeg *.svg)")]
                                                     : [qsTr("Theme files (*.ini)")]
        fileDialog.folder = themeSettings.radizidiviLastOpenedUrl
        fileDialog.open()
    }

    function fileChosen(url) {
        // The next dialog opens where this one ended.
        themeSettings.radizidiviLastOpenedUrl = url
        themeSettings.saveRadizidiviSettings()
        if (fileDialogPurpose === "image")
            themeListModel.updateCurrentThemeProperty(imagePropertyId, url.toString())
        else if (fileDialogPurpose === "load")
            uiStyle.load(url)
        else if (fileDialogPurpose === "save")
            uiStyle.save(url)
    }

    Component.onCompleted: chooseSection(sectionName)

    FileDialog {
        id: fileDialog
        objectName: ObjectNames.themeFileDialog
        modality: Qt.WindowModal
        onAccepted: window.fileChosen(fileUrl)
    }

    ColorDialog {
        id: colorDialog
        title: qsTr("Choose a colour")
        onAccepted: themeListModel.updateCurrentThemeProperty(window.colorPropertyId, String(color))
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 16

        ColumnLayout {
            Layout.preferredWidth: 400
            Layout.maximumWidth: 400
            Layout.fillHeight: true
            spacing: 12

            ABrightLabel {
                text: qsTr("Preview: %1").arg(window.sectionName)
                font.pixelSize: 15
            }

            Rectangle {
                objectName: ObjectNames.themePreview
                Layout.fillWidth: true
                Layout.preferredHeight: 380
                color: uiStyle.generalBackgroundColor
                border.width: 1
                border.color: uiStyle.generalTextFieldBorderColor
                clip: true
                Accessible.role: Accessible.Pane
                Accessible.name: qsTr("Preview")

                Loader {
                    anchors.fill: parent
                    anchors.margins: 1
                    sourceComponent: {
                        switch (window.sectionName) {
                        case "Label": return labelPreview
                        case "ListView": return listPreview
                        case "Button": return buttonPreview
                        case "RadioButton": return radioPreview
                        case "Switch": return switchPreview
                        case "TabButton": return tabPreview
                        case "Image": return imagePreview
                        case "VpnConnectionButton": return connectionButtonPreview
                        case "SettingsButton": return settingsButtonPreview
                        case "General": return generalPreview
                        }
                        return appPropertyPreview
                    }
                }
            }

            ThemeSectionListView {
                Layout.fillWidth: true
                Layout.fillHeight: true
                currentSection: window.sectionName
                onSectionChosen: window.chooseSection(name)
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 12

            ABrightLabel {
                text: window.sectionName
                font.pixelSize: 15
            }

            ThemeListView {
                Layout.fillWidth: true
                Layout.fillHeight: true
                onColorRequested: {
                    window.colorPropertyId = propertyId
                    colorDialog.color = value
                    colorDialog.open()
                }
                onImageRequested: {
                    window.imagePropertyId = propertyId
                    window.openFileDialog("image")
                }
            }

            RowLayout {
                Layout.alignment: Qt.AlignRight
                spacing: 12

                AButton {
                    objectName: ObjectNames.themeLoadButton
                    text: qsTr("Load theme")
                    onClicked: window.openFileDialog("load")
                }
                AButton {
                    objectName: ObjectNames.themeSaveButton
                    text: qsTr("Save theme")
                    onClicked: window.openFileDialog("save")
                }
            }
        }
    }

    component PreviewColumn: Column {
        x: 24
        y: 24
        width: parent ? parent.width - 48 : 0
        spacing: 14
    }

    Component {
        id: appPropertyPreview

        PreviewColumn {
            ASectionHeader {
                width: parent.width
                text: qsTr("Show logs")
            }
            AButton {
                visible: uiStyle.settingsPageShowLogs
                text: qsTr("Show logs folder")
                iconName: "folder"
            }
            ALabel {
                width: parent.width
                text: uiStyle.darkStyle ? qsTr("Dark style") : qsTr("Light style")
            }
        }
    }

    Component {
        id: generalPreview

        Item {
            HeaderItem {
                width: parent.width
                height: 50
            }
            SettingsSection {
                x: 24
                y: 74
                width: parent.width - 48
                title: qsTr("Section")

                ATextField {
                    width: parent.width
                    text: qsTr("Text field")
                }
            }
        }
    }

    Component {
        id: labelPreview

        PreviewColumn {
            ALabel { text: qsTr("Label 1") }
            ABrightLabel { text: qsTr("Label 2") }
            ASmallGreyLabel { width: parent.width; text: qsTr("Label 3") }
            AGreyLabel { text: qsTr("Label 4") }
            ALabel {
                text: qsTr("Label 5")
                color: uiStyle.settingsPageDefaultLabelColor2
                opacity: Number(uiStyle.generalSmallGreyLabelOpacity)
            }
        }
    }

    Component {
        id: listPreview

        Item {
            SimpleListView {
                y: 24
                width: parent.width
            }
        }
    }

    Component {
        id: buttonPreview

        PreviewColumn {
            AButton { text: qsTr("Button") }
            AButton { text: qsTr("Pressed button"); down: true }
            AComboBox {
                width: parent.width
                model: [qsTr("Disabled"), qsTr("To systray"), qsTr("To taskbar")]
            }
        }
    }

    Component {
        id: radioPreview

        PreviewColumn {
            ButtonGroup { id: previewRadios }
            ARadioButton { text: qsTr("UDP - OpenVPN"); checked: true; ButtonGroup.group: previewRadios }
            ARadioButton { text: qsTr("TCP - OpenVPN"); ButtonGroup.group: previewRadios }
        }
    }

    Component {
        id: switchPreview

        PreviewColumn {
            ASwitch { width: parent.width; text: qsTr("Show notifications"); checked: true }
            ASwitch { width: parent.width; text: qsTr("IPv6") }
        }
    }

    Component {
        id: tabPreview

        Item {
            ServerlistTabBar {
                y: 24
                width: parent.width
            }
        }
    }

    Component {
        id: imagePreview

        Item {
            Image {
                anchors.fill: parent
                source: uiStyle.generalBackgroundImage
                fillMode: Image.PreserveAspectCrop
                visible: source != ""
            }
            HeaderItem {
                width: parent.width
                height: 50
            }
        }
    }

    Component {
        id: connectionButtonPreview

        Item {
            VpnConnectionButton {
                anchors.centerIn: parent
                width: 220
                height: 220
            }
        }
    }

    Component {
        id: settingsButtonPreview

        Item {
            FooterItem {
                anchors.centerIn: parent
                width: parent.width
            }
        }
    }
}
