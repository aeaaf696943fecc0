#pragma once

#include <QQuickPaintedItem>

// The dashed circles around the connection button. Not final: QML derives from it.
class DashCircle : public QQuickPaintedItem
{
    Q_OBJECT

    Q_PROPERTY(QString color READ color WRITE setColor NOTIFY colorChanged)

public:
    explicit DashCircle(QQuickItem *parent = nullptr);

    QString color() const { return m_color; }
    void setColor(const QString &color);

    void paint(QPainter *painter) override;

signals:
    void colorChanged(QString color);

private:
    QString m_color = QStringLiteral("#193151");
};
