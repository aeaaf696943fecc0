pragma Singleton
import QtQml 2.15

// The object names of the scene's items, in one place: the screens set them from here, and the
// scene tests find items through the same list, so a renamed item cannot leave a test behind.
// Every name equals its key, except the settings window's, which the application side knows.
QtObject {
    // Main window
    readonly property string mainWindow: "mainWindow"
    readonly property string criticalErrorArea: "criticalErrorArea"
    readonly property string locationButton: "locationButton"
    readonly property string locationText: "locationText"
    readonly property string locationFlag: "locationFlag"
    readonly property string downloadedText: "downloadedText"
    readonly property string uploadedText: "uploadedText"
    readonly property string connectionButton: "connectionButton"
    readonly property string connectionButtonLabel: "connectionButtonLabel"
    readonly property string connectionToolTip: "connectionToolTip"
    readonly property string durationText: "durationText"
    readonly property string currentIpText: "currentIpText"
    readonly property string currentIpCaption: "currentIpCaption"
    readonly property string currentIpFlag: "currentIpFlag"
    readonly property string settingsButton: "settingsButton"
    readonly property string killSwitchDialog: "killSwitchDialog"
    readonly property string killSwitchDialogOk: "killSwitchDialogOk"

    // Server list
    readonly property string serverListWindow: "serverListWindow"
    readonly property string serverListClose: "serverListClose"
    readonly property string serverListTabBar: "serverListTabBar"
    readonly property string recommendedTab: "recommendedTab"
    readonly property string allTab: "allTab"
    readonly property string recentTab: "recentTab"
    readonly property string serverSearchField: "serverSearchField"
    readonly property string serverSearchClear: "serverSearchClear"
    readonly property string serverListView: "serverListView"
    readonly property string serverListEmpty: "serverListEmpty"
    // One of each per row: tests tell them apart by the row's model id.
    readonly property string serverRow: "serverRow"
    readonly property string serverFavorite: "serverFavorite"
    readonly property string serverExpand: "serverExpand"

    // Settings window
    readonly property string settingsWindow: "SettingsWindow"
    readonly property string settingsTabBar: "settingsTabBar"
    readonly property string generalTab: "generalTab"
    readonly property string advancedTab: "advancedTab"
    readonly property string userNameField: "userNameField"
    readonly property string passwordField: "passwordField"
    readonly property string passwordReveal: "passwordReveal"
    readonly property string updateCredentialsButton: "updateCredentialsButton"
    readonly property string updatedToolTip: "updatedToolTip"
    readonly property string launchOnStartupSwitch: "launchOnStartupSwitch"
    readonly property string connectToLastLocationSwitch: "connectToLastLocationSwitch"
    readonly property string autoReconnectSwitch: "autoReconnectSwitch"
    readonly property string startMinimizedCombo: "startMinimizedCombo"
    readonly property string killSwitchSwitch: "killSwitchSwitch"
    readonly property string allowLocalDevicesSwitch: "allowLocalDevicesSwitch"
    readonly property string showNotificationsSwitch: "showNotificationsSwitch"
    readonly property string languageCombo: "languageCombo"
    readonly property string wireGuardRadio: "wireGuardRadio"
    readonly property string udpRadio: "udpRadio"
    readonly property string tcpRadio: "tcpRadio"
    readonly property string stealthRadio: "stealthRadio"
    readonly property string ipv6Switch: "ipv6Switch"
    readonly property string portCombo: "portCombo"
    readonly property string mtuSection: "mtuSection"
    readonly property string mtuAutoRadio: "mtuAutoRadio"
    readonly property string mtuManualRadio: "mtuManualRadio"
    readonly property string mtuSpinBox: "mtuSpinBox"
    readonly property string autoUpdateSwitch: "autoUpdateSwitch"
    readonly property string showLogsSection: "showLogsSection"
    readonly property string showLogsButton: "showLogsButton"

    // Theme editor
    readonly property string themeWindow: "themeWindow"
    readonly property string themeSectionList: "themeSectionList"
    readonly property string themePropertyList: "themePropertyList"
    readonly property string themePreview: "themePreview"
    readonly property string themeLoadButton: "themeLoadButton"
    readonly property string themeSaveButton: "themeSaveButton"
    readonly property string themeFileDialog: "themeFileDialog"
    // One of each per property row: tests tell them apart by the row's property id.
    readonly property string themeColorField: "themeColorField"
    readonly property string themeFloatSpinBox: "themeFloatSpinBox"
    readonly property string themeImageField: "themeImageField"
    readonly property string themeImageBrowse: "themeImageBrowse"
    readonly property string themeBoolSwitch: "themeBoolSwitch"
}
