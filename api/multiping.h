#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

class Pinger;

// One batch of ICMP probes, all at once; the results come when the last probe has answered.
class MultiPing final : public QObject
{
    Q_OBJECT

public:
    static constexpr uint failedPingValue = 100000;
    static constexpr int timeoutMs = 1000;

    explicit MultiPing(QObject *parent = nullptr);
    ~MultiPing() override;

    QStringList results() const { return m_results; }
    // The batch's "address:value" entries, lowest value first. Replies arrive in the order the
    // probes' processes got to run, which a busy machine shuffles by more than the distance
    // between two servers; the measured value is what tells the nearer one. Equal values keep
    // their order, entries without a value come last.
    static QStringList byValue(const QStringList &results);

signals:
    void lastRequestFinished(const QStringList &data);
    void requestFinished(const QString &ip, ushort value);

public slots:
    void sendRequest(const QString &ip);
    void sendRequest(const QStringList &list);

private slots:
    void onPingFinished(bool success, uint value);

private:
    void finishBatch();

    QStringList m_results;
    QList<QPair<uint, QString>> m_sorted;
    QList<QPair<QString, Pinger *>> m_pingers;
    // While a list is being started: a probe that fails at once must not end the batch.
    bool m_starting = false;
};
