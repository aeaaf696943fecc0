pragma Singleton
import QtQuick 2.15

// The two faces of the scene. Glyphs that Poppins lacks (Cyrillic, Thai, Chinese, Japanese)
// come from the system's fonts through the usual fallback.
QtObject {
    readonly property FontLoader poppinsRegular: FontLoader {
        source: "qrc:/resources/fonts/Poppins-Regular.ttf"
    }
    readonly property FontLoader poppinsBold: FontLoader {
        source: "qrc:/resources/fonts/Poppins-Bold.ttf"
    }
}
