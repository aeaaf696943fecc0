#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Records every message logged while it lives, instead of letting it reach the log or the test
// output. One at a time.
class MessageRecorder
{
public:
    struct Message
    {
        QtMsgType type;
        QString text;
    };

    MessageRecorder()
    {
        current() = this;
        m_previous = qInstallMessageHandler(&MessageRecorder::handle);
    }

    ~MessageRecorder()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }

    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QList<Message> messages() const
    {
        QMutexLocker lock(&m_mutex);
        return m_messages;
    }

    QStringList texts(QtMsgType type) const
    {
        QStringList result;
        for (const Message &message : messages()) {
            if (message.type == type)
                result << message.text;
        }
        return result;
    }

    QStringList warnings() const { return texts(QtWarningMsg); }

    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_messages.clear();
    }

private:
    static MessageRecorder *&current()
    {
        static MessageRecorder *recorder = nullptr;
        return recorder;
    }

    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        MessageRecorder *recorder = current();
        QMutexLocker lock(&recorder->m_mutex);
        recorder->m_messages.append({type, text});
    }

    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QList<Message> m_messages;
};
