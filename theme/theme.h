#pragma once

#include "themeproperty.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QMap>
#include <QObject>
#include <QTimer>
#include <QVector>

#include <optional>

// The look of the window: every colour, opacity, image and flag the QML screens bind to, taken
// from built-in defaults of the light or the dark style and then from the branding file of a
// reseller ("branding.ini" in the "branding" folder beside the program), which is watched so
// that an edit shows at once. It is also the back end of the theme editor, which changes single
// values and loads and saves theme files through it.
class Theme final : public QObject
{
    Q_OBJECT
    // The notify signals are emitted in the order of these declarations (the QML scene sees
    // them so), each carrying the value its property then reads.
    Q_PROPERTY(QString generalBackgroundColor READ generalBackgroundColor NOTIFY generalBackgroundColorChanged)
    Q_PROPERTY(QString generalBackgroundImage READ generalBackgroundImage NOTIFY generalBackgroundImageChanged)
    Q_PROPERTY(QString generalBrightLabelColor READ generalBrightLabelColor NOTIFY generalBrightLabelColorChanged)
    Q_PROPERTY(QString generalButtonBackgroundColor READ generalButtonBackgroundColor NOTIFY
                   generalButtonBackgroundColorChanged)
    Q_PROPERTY(QString generalButtonBackgroundColorPressed READ generalButtonBackgroundColorPressed NOTIFY
                   generalButtonBackgroundColorPressedChanged)
    Q_PROPERTY(QString generalButtonTextColor READ generalButtonTextColor NOTIFY generalButtonTextColorChanged)
    Q_PROPERTY(QString generalButtonTextColorPressed READ generalButtonTextColorPressed NOTIFY
                   generalButtonTextColorPressedChanged)
    Q_PROPERTY(QString generalDefaultLabelColor READ generalDefaultLabelColor NOTIFY generalDefaultLabelColorChanged)
    Q_PROPERTY(QString generalGreyLabelColor READ generalGreyLabelColor NOTIFY generalGreyLabelColorChanged)
    Q_PROPERTY(QString generalGreyLabelOpacity READ generalGreyLabelOpacity NOTIFY generalGreyLabelOpacityChanged)
    Q_PROPERTY(QString generalHeaderActiveColor READ generalHeaderActiveColor NOTIFY generalHeaderActiveColorChanged)
    Q_PROPERTY(QString generalHeaderBackgroundColor READ generalHeaderBackgroundColor NOTIFY
                   generalHeaderBackgroundColorChanged)
    Q_PROPERTY(QString generalLabelOpacity READ generalLabelOpacity NOTIFY generalLabelOpacityChanged)
    Q_PROPERTY(QString generalListViewItemActiveColor READ generalListViewItemActiveColor NOTIFY
                   generalListViewItemActiveColorChanged)
    Q_PROPERTY(QString generalListViewItemBackgroundColor READ generalListViewItemBackgroundColor NOTIFY
                   generalListViewItemBackgroundColorChanged)
    Q_PROPERTY(QString generalListViewSeparatorColor READ generalListViewSeparatorColor NOTIFY
                   generalListViewSeparatorColorChanged)
    Q_PROPERTY(QString generalLogoFileName READ generalLogoFileName NOTIFY generalLogoFileNameChanged)
    Q_PROPERTY(QString generalRadioButtonBackgroundColor READ generalRadioButtonBackgroundColor NOTIFY
                   generalRadioButtonBackgroundColorChanged)
    Q_PROPERTY(QString generalRadioButtonBorderColor READ generalRadioButtonBorderColor NOTIFY
                   generalRadioButtonBorderColorChanged)
    Q_PROPERTY(QString generalRadioButtonSelectedColor READ generalRadioButtonSelectedColor NOTIFY
                   generalRadioButtonSelectedColorChanged)
    Q_PROPERTY(QString generalSectionColor READ generalSectionColor NOTIFY generalSectionColorChanged)
    Q_PROPERTY(QString generalSmallGreyLabelOpacity READ generalSmallGreyLabelOpacity NOTIFY
                   generalSmallGreyLabelOpacityChanged)
    Q_PROPERTY(QString generalSwitchBackgroundColor READ generalSwitchBackgroundColor NOTIFY
                   generalSwitchBackgroundColorChanged)
    Q_PROPERTY(QString generalSwitchBackgroundColorChecked READ generalSwitchBackgroundColorChecked NOTIFY
                   generalSwitchBackgroundColorCheckedChanged)
    Q_PROPERTY(
        QString generalSwitchIndicatorColor READ generalSwitchIndicatorColor NOTIFY generalSwitchIndicatorColorChanged)
    Q_PROPERTY(QString generalSwitchIndicatorColorChecked READ generalSwitchIndicatorColorChecked NOTIFY
                   generalSwitchIndicatorColorCheckedChanged)
    Q_PROPERTY(QString generalTabBackgroundColor READ generalTabBackgroundColor NOTIFY generalTabBackgroundColorChanged)
    Q_PROPERTY(QString generalTabFontColor READ generalTabFontColor NOTIFY generalTabFontColorChanged)
    Q_PROPERTY(
        QString generalTabNonSelectedColor READ generalTabNonSelectedColor NOTIFY generalTabNonSelectedColorChanged)
    Q_PROPERTY(QString generalTabSelectedColor READ generalTabSelectedColor NOTIFY generalTabSelectedColorChanged)
    Q_PROPERTY(
        QString generalTextFieldBorderColor READ generalTextFieldBorderColor NOTIFY generalTextFieldBorderColorChanged)
    Q_PROPERTY(bool brandingEnabled READ brandingEnabled NOTIFY brandingEnabledChanged)
    Q_PROPERTY(bool darkStyle READ darkStyle NOTIFY darkStyleChanged)
    Q_PROPERTY(bool generalComboBoxUsesListViewTheme READ generalComboBoxUsesListViewTheme NOTIFY
                   generalComboBoxUsesListViewThemeChanged)
    Q_PROPERTY(
        QString connectionPageCirclesColor READ connectionPageCirclesColor NOTIFY connectionPageCirclesColorChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonBackgroundColor READ connectionPageSettingsButtonBackgroundColor
                   NOTIFY connectionPageSettingsButtonBackgroundColorChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonBackgroundColorPressed READ
                   connectionPageSettingsButtonBackgroundColorPressed NOTIFY
                       connectionPageSettingsButtonBackgroundColorPressedChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonIconColor READ connectionPageSettingsButtonIconColor NOTIFY
                   connectionPageSettingsButtonIconColorChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonTextColor READ connectionPageSettingsButtonTextColor NOTIFY
                   connectionPageSettingsButtonTextColorChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonTextColorPressed READ connectionPageSettingsButtonTextColorPressed
                   NOTIFY connectionPageSettingsButtonTextColorPressedChanged)
    Q_PROPERTY(
        QString connectionPageVpnConnectedButtonGradientColor1 READ connectionPageVpnConnectedButtonGradientColor1
            NOTIFY connectionPageVpnConnectedButtonGradientColor1Changed)
    Q_PROPERTY(
        QString connectionPageVpnConnectedButtonGradientColor2 READ connectionPageVpnConnectedButtonGradientColor2
            NOTIFY connectionPageVpnConnectedButtonGradientColor2Changed)
    Q_PROPERTY(
        QString connectionPageVpnConnectedButtonGradientColor3 READ connectionPageVpnConnectedButtonGradientColor3
            NOTIFY connectionPageVpnConnectedButtonGradientColor3Changed)
    Q_PROPERTY(
        QString connectionPageVpnDisconnectedButtonGradientColor1 READ connectionPageVpnDisconnectedButtonGradientColor1
            NOTIFY connectionPageVpnDisconnectedButtonGradientColor1Changed)
    Q_PROPERTY(
        QString connectionPageVpnDisconnectedButtonGradientColor2 READ connectionPageVpnDisconnectedButtonGradientColor2
            NOTIFY connectionPageVpnDisconnectedButtonGradientColor2Changed)
    Q_PROPERTY(
        QString connectionPageVpnDisconnectedButtonGradientColor3 READ connectionPageVpnDisconnectedButtonGradientColor3
            NOTIFY connectionPageVpnDisconnectedButtonGradientColor3Changed)
    Q_PROPERTY(QString connectionPageVpnSwitchBackgroundColor READ connectionPageVpnSwitchBackgroundColor NOTIFY
                   connectionPageVpnSwitchBackgroundColorChanged)
    Q_PROPERTY(QString connectionPageVpnSwitchLabelColor READ connectionPageVpnSwitchLabelColor NOTIFY
                   connectionPageVpnSwitchLabelColorChanged)
    Q_PROPERTY(QString connectionPageVpnDurationBackgroundColor READ connectionPageVpnDurationBackgroundColor NOTIFY
                   connectionPageVpnDurationBackgroundColorChanged)
    Q_PROPERTY(QString connectionPageVpnDurationLabelColor READ connectionPageVpnDurationLabelColor NOTIFY
                   connectionPageVpnDurationLabelColorChanged)
    Q_PROPERTY(QString connectionPageVpnTimerLabelColor READ connectionPageVpnTimerLabelColor NOTIFY
                   connectionPageVpnTimerLabelColorChanged)
    Q_PROPERTY(QString settingsPageDefaultLabelColor1 READ settingsPageDefaultLabelColor1 NOTIFY
                   settingsPageDefaultLabelColor1Changed)
    Q_PROPERTY(QString settingsPageDefaultLabelColor2 READ settingsPageDefaultLabelColor2 NOTIFY
                   settingsPageDefaultLabelColor2Changed)
    Q_PROPERTY(QString settingsPageHeaderBackgroundColor READ settingsPageHeaderBackgroundColor NOTIFY
                   settingsPageHeaderBackgroundColorChanged)
    Q_PROPERTY(int scrollBarWidth READ scrollBarWidth NOTIFY scrollBarWidthChanged)
    Q_PROPERTY(bool settingsPageShowLogs READ settingsPageShowLogs CONSTANT)

public:
    explicit Theme(QObject *parent = nullptr);

    QString generalBackgroundColor() const { return text(QStringLiteral("generalBackgroundColor")); }
    QString generalBackgroundImage() const
    {
        return updateResourceProperty(text(QStringLiteral("generalBackgroundImage")));
    }
    QString generalBrightLabelColor() const { return text(QStringLiteral("generalBrightLabelColor")); }
    QString generalButtonBackgroundColor() const { return text(QStringLiteral("generalButtonBackgroundColor")); }
    QString generalButtonBackgroundColorPressed() const
    {
        return text(QStringLiteral("generalButtonBackgroundColorPressed"));
    }
    QString generalButtonTextColor() const { return text(QStringLiteral("generalButtonTextColor")); }
    QString generalButtonTextColorPressed() const { return text(QStringLiteral("generalButtonTextColorPressed")); }
    QString generalDefaultLabelColor() const { return text(QStringLiteral("generalDefaultLabelColor")); }
    QString generalGreyLabelColor() const { return text(QStringLiteral("generalGreyLabelColor")); }
    QString generalGreyLabelOpacity() const { return text(QStringLiteral("generalGreyLabelOpacity")); }
    QString generalHeaderActiveColor() const { return text(QStringLiteral("generalHeaderActiveColor")); }
    QString generalHeaderBackgroundColor() const { return text(QStringLiteral("generalHeaderBackgroundColor")); }
    QString generalLabelOpacity() const { return text(QStringLiteral("generalLabelOpacity")); }
    QString generalListViewItemActiveColor() const { return text(QStringLiteral("generalListViewItemActiveColor")); }
    QString generalListViewItemBackgroundColor() const
    {
        return text(QStringLiteral("generalListViewItemBackgroundColor"));
    }
    QString generalListViewSeparatorColor() const { return text(QStringLiteral("generalListViewSeparatorColor")); }
    QString generalLogoFileName() const { return updateResourceProperty(text(QStringLiteral("generalLogoFileName"))); }
    QString generalRadioButtonBackgroundColor() const
    {
        return text(QStringLiteral("generalRadioButtonBackgroundColor"));
    }
    QString generalRadioButtonBorderColor() const { return text(QStringLiteral("generalRadioButtonBorderColor")); }
    QString generalRadioButtonSelectedColor() const { return text(QStringLiteral("generalRadioButtonSelectedColor")); }
    QString generalSectionColor() const { return text(QStringLiteral("generalSectionColor")); }
    QString generalSmallGreyLabelOpacity() const { return text(QStringLiteral("generalSmallGreyLabelOpacity")); }
    QString generalSwitchBackgroundColor() const { return text(QStringLiteral("generalSwitchBackgroundColor")); }
    QString generalSwitchBackgroundColorChecked() const
    {
        return text(QStringLiteral("generalSwitchBackgroundColorChecked"));
    }
    QString generalSwitchIndicatorColor() const { return text(QStringLiteral("generalSwitchIndicatorColor")); }
    QString generalSwitchIndicatorColorChecked() const
    {
        return text(QStringLiteral("generalSwitchIndicatorColorChecked"));
    }
    QString generalTabBackgroundColor() const { return text(QStringLiteral("generalTabBackgroundColor")); }
    QString generalTabFontColor() const { return text(QStringLiteral("generalTabFontColor")); }
    QString generalTabNonSelectedColor() const { return text(QStringLiteral("generalTabNonSelectedColor")); }
    QString generalTabSelectedColor() const { return text(QStringLiteral("generalTabSelectedColor")); }
    QString generalTextFieldBorderColor() const { return text(QStringLiteral("generalTextFieldBorderColor")); }
    QString connectionPageCirclesColor() const { return text(QStringLiteral("connectionPageCirclesColor")); }
    QString connectionPageSettingsButtonBackgroundColor() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonBackgroundColor"));
    }
    QString connectionPageSettingsButtonBackgroundColorPressed() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonBackgroundColorPressed"));
    }
    QString connectionPageSettingsButtonIconColor() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonIconColor"));
    }
    QString connectionPageSettingsButtonTextColor() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonTextColor"));
    }
    QString connectionPageSettingsButtonTextColorPressed() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonTextColorPressed"));
    }
    QString connectionPageVpnConnectedButtonGradientColor1() const
    {
        return text(QStringLiteral("connectionPageVpnConnectedButtonGradientColor1"));
    }
    QString connectionPageVpnConnectedButtonGradientColor2() const
    {
        return text(QStringLiteral("connectionPageVpnConnectedButtonGradientColor2"));
    }
    QString connectionPageVpnConnectedButtonGradientColor3() const
    {
        return text(QStringLiteral("connectionPageVpnConnectedButtonGradientColor3"));
    }
    QString connectionPageVpnDisconnectedButtonGradientColor1() const
    {
        return text(QStringLiteral("connectionPageVpnDisconnectedButtonGradientColor1"));
    }
    QString connectionPageVpnDisconnectedButtonGradientColor2() const
    {
        return text(QStringLiteral("connectionPageVpnDisconnectedButtonGradientColor2"));
    }
    QString connectionPageVpnDisconnectedButtonGradientColor3() const
    {
        return text(QStringLiteral("connectionPageVpnDisconnectedButtonGradientColor3"));
    }
    QString connectionPageVpnSwitchBackgroundColor() const
    {
        return text(QStringLiteral("connectionPageVpnSwitchBackgroundColor"));
    }
    QString connectionPageVpnSwitchLabelColor() const
    {
        return text(QStringLiteral("connectionPageVpnSwitchLabelColor"));
    }
    QString connectionPageVpnDurationBackgroundColor() const
    {
        return text(QStringLiteral("connectionPageVpnDurationBackgroundColor"));
    }
    QString connectionPageVpnDurationLabelColor() const
    {
        return text(QStringLiteral("connectionPageVpnDurationLabelColor"));
    }
    QString connectionPageVpnTimerLabelColor() const
    {
        return text(QStringLiteral("connectionPageVpnTimerLabelColor"));
    }
    QString settingsPageDefaultLabelColor1() const { return text(QStringLiteral("settingsPageDefaultLabelColor1")); }
    QString settingsPageDefaultLabelColor2() const { return text(QStringLiteral("settingsPageDefaultLabelColor2")); }
    QString settingsPageHeaderBackgroundColor() const
    {
        return text(QStringLiteral("settingsPageHeaderBackgroundColor"));
    }
    bool brandingEnabled() const { return m_brandingEnabled; }
    bool darkStyle() const { return m_darkStyle; }
    bool generalComboBoxUsesListViewTheme() const { return flag(QStringLiteral("generalComboBoxUsesListViewTheme")); }
    int scrollBarWidth() const { return 4; }
    bool settingsPageShowLogs() const { return flag(QStringLiteral("settingsPageShowLogs")); }

    // "qrc:/resources/icons/<name>_white.png" in the dark style, "..._black.png" in the light
    // one; without the style "qrc:/resources/icons/<name>.png".
    Q_INVOKABLE QString iconSource(const QString &iconName, bool useStyle = true) const;
    // An image of the theme as a URL QML can show: "qrc:" and "file:///" URLs as they are, a
    // path relative to the branding folder or absolute as the file URL of that file; empty
    // stays empty.
    Q_INVOKABLE QString updateResourceProperty(const QString &propertyName) const;
    // The colour with its alpha set to the opacity (0 to 1), as "#AARRGGBB".
    Q_INVOKABLE QString colorOpacity(const QString &sourceColor, float opacity) const;
    // Loads a theme file given as a file URL and tells QML; false when there is no such file or
    // it is not a branding file.
    Q_INVOKABLE bool load(const QString &url);
    // Saves the theme as a branding file at the file URL; picked images are expected under
    // "resources/" beside it. False when the file cannot be written.
    Q_INVOKABLE bool save(const QString &url);

    // Every property in key order.
    QVector<ThemeProperty> allProperties() const;
    // One item per editor section that holds a property, sorted by name.
    QVector<ThemeProperty> sectionItems() const;

    // The folder of the branding file last loaded, else the "branding" folder of the
    // application directory; relative image paths resolve against it.
    QString brandingFolder() const;
    // "branding.ini" in that folder: the file read at start and on every change.
    QString standardBrandingFile() const;

public slots:
    // An edit in the theme editor: the value of that property changes; "appPropertyDarkStyle"
    // switches the style of the icons but leaves the colours until the next load.
    void themePropertyChanged(const ThemeProperty &themeProperty);
    // Reloads the standard branding file and tells QML.
    void onBrandingFileChanged(const QString &fileName);

signals:
    void generalBackgroundColorChanged(const QString &value);
    void generalBackgroundImageChanged(const QString &value);
    void generalBrightLabelColorChanged(const QString &value);
    void generalButtonBackgroundColorChanged(const QString &value);
    void generalButtonBackgroundColorPressedChanged(const QString &value);
    void generalButtonTextColorChanged(const QString &value);
    void generalButtonTextColorPressedChanged(const QString &value);
    void generalDefaultLabelColorChanged(const QString &value);
    void generalGreyLabelColorChanged(const QString &value);
    void generalGreyLabelOpacityChanged(const QString &value);
    void generalHeaderActiveColorChanged(const QString &value);
    void generalHeaderBackgroundColorChanged(const QString &value);
    void generalLabelOpacityChanged(const QString &value);
    void generalListViewItemActiveColorChanged(const QString &value);
    void generalListViewItemBackgroundColorChanged(const QString &value);
    void generalListViewSeparatorColorChanged(const QString &value);
    void generalLogoFileNameChanged(const QString &value);
    void generalRadioButtonBackgroundColorChanged(const QString &value);
    void generalRadioButtonBorderColorChanged(const QString &value);
    void generalRadioButtonSelectedColorChanged(const QString &value);
    void generalSectionColorChanged(const QString &value);
    void generalSmallGreyLabelOpacityChanged(const QString &value);
    void generalSwitchBackgroundColorChanged(const QString &value);
    void generalSwitchBackgroundColorCheckedChanged(const QString &value);
    void generalSwitchIndicatorColorChanged(const QString &value);
    void generalSwitchIndicatorColorCheckedChanged(const QString &value);
    void generalTabBackgroundColorChanged(const QString &value);
    void generalTabFontColorChanged(const QString &value);
    void generalTabNonSelectedColorChanged(const QString &value);
    void generalTabSelectedColorChanged(const QString &value);
    void generalTextFieldBorderColorChanged(const QString &value);
    void brandingEnabledChanged(bool value);
    void darkStyleChanged(bool value);
    void generalComboBoxUsesListViewThemeChanged(bool value);
    void connectionPageCirclesColorChanged(const QString &value);
    void connectionPageSettingsButtonBackgroundColorChanged(const QString &value);
    void connectionPageSettingsButtonBackgroundColorPressedChanged(const QString &value);
    void connectionPageSettingsButtonIconColorChanged(const QString &value);
    void connectionPageSettingsButtonTextColorChanged(const QString &value);
    void connectionPageSettingsButtonTextColorPressedChanged(const QString &value);
    void connectionPageVpnConnectedButtonGradientColor1Changed(const QString &value);
    void connectionPageVpnConnectedButtonGradientColor2Changed(const QString &value);
    void connectionPageVpnConnectedButtonGradientColor3Changed(const QString &value);
    void connectionPageVpnDisconnectedButtonGradientColor1Changed(const QString &value);
    void connectionPageVpnDisconnectedButtonGradientColor2Changed(const QString &value);
    void connectionPageVpnDisconnectedButtonGradientColor3Changed(const QString &value);
    void connectionPageVpnSwitchBackgroundColorChanged(const QString &value);
    void connectionPageVpnSwitchLabelColorChanged(const QString &value);
    void connectionPageVpnDurationBackgroundColorChanged(const QString &value);
    void connectionPageVpnDurationLabelColorChanged(const QString &value);
    void connectionPageVpnTimerLabelColorChanged(const QString &value);
    void settingsPageDefaultLabelColor1Changed(const QString &value);
    void settingsPageDefaultLabelColor2Changed(const QString &value);
    void settingsPageHeaderBackgroundColorChanged(const QString &value);
    void scrollBarWidthChanged(int value);
    void themeDataChanged(bool loaded);

private:
    QString text(const QString &id) const;
    bool flag(const QString &id) const;
    QString resolvedResource(const QString &path, const QString &folder) const;
    // Why the image a branding file names is not taken; empty when it is.
    QString imageProblem(const QString &path, const QString &folder) const;

    void buildDefaults();
    // Takes the file from `bytes`, its content as the caller read it once (nothing: it could not
    // be read). False when the file was refused as a whole and nothing changed.
    bool readBrandingFile(const QString &path, const std::optional<QByteArray> &bytes);
    void notify(bool loaded);

    // Watches each file, its folder and the folder's parent, and nothing else. The file watch is
    // set up anew when `renewFileWatch` is set (the name may now belong to another file), the
    // folder watch when `renewFolderWatch` is (the folder may have been replaced, or its name
    // may be a link that now points elsewhere).
    void watchBrandingFiles(const QStringList &files, bool renewFileWatch, bool renewFolderWatch);
    // Watches the standard branding file, then reads it once: the bytes returned are both what
    // the caller parses and what the watcher compares later changes with, so an edit made from
    // the moment the watches are up is never taken for the state already shown.
    std::optional<QByteArray> watchAndReadStandardFile(bool renewFileWatch, bool renewFolderWatch);
    void onWatchedFolderChanged(const QString &path);
    void brandingFileMayHaveChanged();

    bool m_brandingEnabled = true;
    bool m_darkStyle = false;
    QMap<QString, ThemeProperty> m_properties;
    QFileSystemWatcher m_watcher;
    QString m_brandingFile;
    // Editors write a file in several steps (truncate and write, or write a copy and rename
    // it); one reload follows when they are done.
    QTimer m_reloadDelay;
    QString m_watchedFile;
    std::optional<QByteArray> m_watchedContent;
    bool m_folderMayHaveMoved = false;
};
