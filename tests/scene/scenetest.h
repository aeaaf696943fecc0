#pragma once

#include <QAccessible>
#include <QGuiApplication>
#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QtTest>

// Driving the scene as a person does: items are found by the object names that the scene takes
// from its ObjectNames singleton, and clicked in their middle.
namespace SceneTest {

// The scene's own list of object names: a name the scene no longer has fails here, not later.
inline QString sceneName(QQmlEngine *engine, const char *key)
{
    static QHash<QQmlEngine *, QObject *> holders;
    QObject *&holder = holders[engine];
    if (!holder) {
        QQmlComponent component(engine);
        component.setData(
            "import QtQml 2.15\nimport \"qrc:/qml/controls\"\nQtObject { property var names: ObjectNames }",
            QUrl(QStringLiteral("qrc:/qml/scenetest.qml")));
        holder = component.create();
        if (!holder)
            qFatal("ObjectNames cannot be read: %s", qPrintable(component.errorString()));
        QObject::connect(engine, &QObject::destroyed, [engine] { holders.remove(engine); });
    }
    const QVariant value = holder->property("names").value<QObject *>()->property(key);
    if (!value.isValid())
        qFatal("ObjectNames has no name '%s'", key);
    return value.toString();
}

// Every object under `root` of that name, without going into the other windows that the
// root owns (the settings window and the theme editor are children of the main window).
inline QList<QObject *> findAll(QObject *root, const QString &name)
{
    QList<QObject *> found;
    for (QObject *child : root->children()) {
        if (child->isWindowType())
            continue;
        if (child->objectName() == name)
            found << child;
        found << findAll(child, name);
    }
    // Items whose visual parent is not their QObject parent (delegates, popups' contents).
    if (auto *item = qobject_cast<QQuickItem *>(root)) {
        for (QQuickItem *child : item->childItems()) {
            if (child->parent() == root)
                continue;
            if (child->objectName() == name && !found.contains(child))
                found << child;
            for (QObject *inner : findAll(child, name)) {
                if (!found.contains(inner))
                    found << inner;
            }
        }
    }
    return found;
}

inline bool isShown(QQuickItem *item)
{
    if (!item)
        return false;
    const QRectF area = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
    for (QQuickItem *at = item; at; at = at->parentItem()) {
        if (!at->isVisible() || at->opacity() == 0)
            return false;
        // Scrolled out of a list's or a page's view.
        if (at != item && at->clip() && !at->mapRectToScene(QRectF(0, 0, at->width(), at->height())).intersects(area))
            return false;
    }
    return item->window() && item->window()->isVisible();
}

// The object of that name in the window; of several (one per page of a stack), the one shown.
inline QObject *find(QQuickWindow *window, const QString &name)
{
    QList<QObject *> found = findAll(window->contentItem(), name);
    for (QObject *object : findAll(window, name)) {
        if (!found.contains(object))
            found << object;
    }
    for (QObject *object : found) {
        if (isShown(qobject_cast<QQuickItem *>(object)))
            return object;
    }
    return found.value(0);
}

inline QPoint centre(QQuickItem *item)
{
    return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
}

inline void click(QQuickItem *item)
{
    QTest::mouseClick(item->window(), Qt::LeftButton, Qt::NoModifier, centre(item));
}

// Whether the keyboard's item shows that it has the keyboard: the focus ring of the controls is
// drawn (a text field shows its caret and its marked edge instead).
inline bool showsFocus(QQuickItem *item)
{
    if (item->inherits("QQuickTextInput"))
        return true;
    QList<QQuickItem *> pending{item};
    while (!pending.isEmpty()) {
        QQuickItem *at = pending.takeFirst();
        if (QByteArray(at->metaObject()->className()).startsWith("AFocusFrame") && isShown(at))
            return true;
        pending << at->childItems();
    }
    return false;
}

// Types text into the window's focused item, one key at a time.
inline void keyClicks(QWindow *window, const QString &text)
{
    for (const QChar c : text) {
        Qt::Key key = Qt::Key_unknown;
        if (c.isLetter() && c.toUpper().unicode() < 128)
            key = Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'));
        else if (c.isDigit())
            key = Qt::Key(Qt::Key_0 + (c.unicode() - '0'));
        else if (c == QLatin1Char(' '))
            key = Qt::Key_Space;
        QTest::sendKeyEvent(QTest::Click, window, key, QString(c), Qt::NoModifier);
    }
}

// What assistive technology reads for the item. Qt never names a password field (its label is
// its description there).
inline QString accessibleName(QObject *object)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(object);
    if (!interface)
        return QString();
    if (interface->state().passwordEdit)
        return interface->text(QAccessible::Description);
    return interface->text(QAccessible::Name);
}

inline QAccessible::Role accessibleRole(QObject *object)
{
    QAccessibleInterface *interface = QAccessible::queryAccessibleInterface(object);
    return interface ? interface->role() : QAccessible::NoRole;
}

// The window as the screen shows it: QQuickWindow::grabWindow gives an empty image on the
// offscreen platform.
inline QImage grab(QQuickWindow *window)
{
    return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace SceneTest
