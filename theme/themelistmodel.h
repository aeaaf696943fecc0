#pragma once

#include "themeitemsmodel.h"

// The theme editor's property list: every property of the theme, each row visible when the
// property is in the section chosen on the left.
class ThemeListModel final : public ThemeItemsModel
{
    Q_OBJECT
    Q_PROPERTY(
        QString currentSectionName READ currentSectionName WRITE setCurrentSectionName NOTIFY currentSectionNameChanged)
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)

public:
    enum Roles {
        IdRole = Qt::UserRole,
        ThemePropertyIdRole,
        ThemePropertyDataRole,
        ThemePropertyDataTypeStringRole,
        ThemePropertyToolTipRole,
        VisibleRole,
    };
    Q_ENUM(Roles)

    explicit ThemeListModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QString currentSectionName() const { return m_currentSectionName; }
    // Every row's visibility may change, so every row is announced, also for the same name.
    void setCurrentSectionName(const QString &sectionName);

    // An edit in the editor: stores the value in the row of that id and passes it on to the
    // theme; nothing happens for an unknown id or an unchanged value.
    Q_INVOKABLE void updateCurrentThemeProperty(const QString &themePropertyId, const QVariant &data);

signals:
    void currentSectionNameChanged(const QString &sectionName);
    void isEmptyChanged(bool empty);
    void themePropertyChanged(const ThemeProperty &themeProperty);

protected:
    void announceIsEmpty(bool empty) override { emit isEmptyChanged(empty); }

private:
    QString m_currentSectionName;
};
