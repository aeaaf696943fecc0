import QtQuick 2.15

// An icon of the scene by its name. A styled icon is drawn light on the dark style and dark on
// the light one; the binding reads darkStyle, so a change of style draws it again.
Image {
    property string icon: ""
    property bool styled: true
    property int size: 20

    width: size
    height: size
    sourceSize: Qt.size(size * 2, size * 2)
    smooth: true
    source: icon === "" ? "" : (uiStyle.darkStyle !== undefined ? uiStyle.iconSource(icon, styled) : "")
}
