import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQml.Models 2.15
import "controls"

// One list of the server list window over one of the three server models. The rows that a
// search phrase hides are filtered out of the view (not shrunk to nothing), so that the view
// makes delegates only for what it shows, also with 10,000 servers open.
ListView {
    id: view

    property var listModel
    property string searchPhrase: ""
    // Shown to the user: the window is open on this list's tab.
    property bool active: false
    // Whether each country or section is open, as the model last said.
    property var expandedIds: ({})
    property int expandedRevision: 0
    readonly property bool showsRows: listModel.isEmpty && shownRows.count > 0
    property bool bulkChange: false
    property bool filtered: false

    signal serverChosen()
    // Printable keys typed on the list belong to the search.
    signal typedText(string text)
    // Up on the first row leaves the list for what is above it.
    signal leftTop()

    objectName: ObjectNames.serverListView
    clip: true
    focus: true
    keyNavigationEnabled: true
    highlightFollowsCurrentItem: false
    boundsBehavior: Flickable.StopAtBounds
    currentIndex: -1
    Accessible.role: Accessible.List
    ScrollBar.vertical: ScrollBar {
        width: uiStyle.scrollBarWidth + 4
        policy: ScrollBar.AsNeeded
    }

    // Opens every country (a phrase can match servers inside closed ones) and shows the rows the
    // model calls visible for the phrase.
    function refresh() {
        bulkChange = true
        listModel.expandAll()
        bulkChange = false
        filter()
    }

    function filter() {
        var items = rows.items
        var count = items.count
        if (searchPhrase.trim() === "") {
            if (filtered && count > 0)
                items.setGroups(0, count, ["items", "shown"])
            filtered = false
            return
        }
        var start = 0
        var shown = count > 0 && listModel.attrVisible(0, searchPhrase)
        for (var i = 1; i <= count; ++i) {
            var next = i < count ? listModel.attrVisible(i, searchPhrase) : !shown
            if (next !== shown) {
                items.setGroups(start, i - start, shown ? ["items", "shown"] : ["items"])
                start = i
                shown = next
            }
        }
        filtered = true
    }

    function choose(delegateItem) {
        if (delegateItem.headerRow) {
            toggle(delegateItem)
            return
        }
        listModel.updateCurrentServer(delegateItem.rowId)
        serverChosen()
    }

    function toggle(delegateItem) {
        if (delegateItem.canExpand)
            listModel.expandCurrentItem(delegateItem.rowId, !delegateItem.expanded)
    }

    onSearchPhraseChanged: if (active) refresh()
    onActiveChanged: if (active) refresh()

    Connections {
        target: view.listModel
        function onExpandableStateChanged(srvId, expand) {
            view.expandedIds[srvId] = expand
            view.expandedRevision++
        }
        // A rebuild shows the closed top-level rows only.
        function onIsEmptyChanged() {
            view.expandedIds = {}
            view.expandedRevision++
        }
    }

    Keys.onPressed: {
        var item = currentItem
        if (item && (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)) {
            choose(item)
        } else if (item && event.key === Qt.Key_Right && item.canExpand && !item.expanded) {
            toggle(item)
        } else if (item && event.key === Qt.Key_Left && item.canExpand && item.expanded) {
            toggle(item)
        } else if (item && event.key === Qt.Key_F && item.canFavorite) {
            qmlApp.setFavorite(item.rowId, !item.favorite)
        } else if (event.text !== "" && event.text.charCodeAt(0) > 32 && "123".indexOf(event.text) < 0
                   && !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier))) {
            typedText(event.text)
        } else {
            event.accepted = false
            return
        }
        event.accepted = true
    }
    Keys.onUpPressed: {
        if (currentIndex <= 0)
            leftTop()
        else
            decrementCurrentIndex()
    }
    Keys.onDownPressed: {
        if (currentIndex < 0 && count > 0)
            currentIndex = 0
        else
            incrementCurrentIndex()
    }

    model: DelegateModel {
        id: rows

        model: view.listModel
        groups: [
            DelegateModelGroup {
                id: shownRows
                name: "shown"
                includeByDefault: true
            }
        ]
        filterOnGroup: "shown"

        // Rows that arrive while a phrase is set (a country opened, a favourite added) are
        // filtered like the others; a bulk change is filtered once at its end.
        items.onChanged: {
            if (view.searchPhrase.trim() !== "" && !view.bulkChange && inserted.length > 0)
                view.filter()
        }

        delegate: ServerListItem {
            width: view.width
            listModel: view.listModel
            row: index
            rowId: model.Id
            countryRow: model.CountryServer
            headerRow: model.ServiceHeader
            favorite: model.Favorite
            serverName: model.Name
            countryName: model.CountryName
            current: model.Id !== "" && model.Id === view.listModel.serverIp
            highlighted: view.activeFocus && ListView.isCurrentItem
            expanded: { view.expandedRevision; return view.expandedIds[model.Id] === true }
            onChosen: view.choose(this)
            onExpandToggled: view.toggle(this)
            onFavoriteToggled: qmlApp.setFavorite(rowId, !favorite)
        }
    }
}
