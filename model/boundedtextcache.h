#ifndef BOUNDEDTEXTCACHE_H
#define BOUNDEDTEXTCACHE_H

#include <QHash>
#include <QList>
#include <QString>

// Texts by key, kept within a budget of bytes (two per character of key and
// text): storing a text that does not fit drops the oldest entries until it
// does, and a text larger than the whole budget is not kept at all. Storing
// under a key held already replaces that entry and makes it the newest.
//
// Meant for replies of the web service kept for the length of a run, where
// a long session must not grow without end. GUI thread only.
class BoundedTextCache
{
public:
    // 64 MiB.
    static constexpr qint64 defaultCapacity = 64 * 1024 * 1024;

    explicit BoundedTextCache(qint64 capacity = defaultCapacity);

    bool contains(const QString &key) const { return m_texts.contains(key); }
    // The text stored under the key; empty when none is.
    QString value(const QString &key) const { return m_texts.value(key); }
    // False when the text alone exceeds the capacity; nothing is stored then
    // and an entry under the key is dropped.
    bool insert(const QString &key, const QString &text);
    void remove(const QString &key);
    void clear();

    int count() const { return m_texts.size(); }
    bool isEmpty() const { return m_texts.isEmpty(); }
    // Keys from the oldest entry to the newest.
    const QList<QString> &keys() const { return m_order; }
    // The bytes the entries take (two per character of key and text).
    qint64 size() const { return m_size; }
    qint64 capacity() const { return m_capacity; }
    // A smaller capacity drops the oldest entries at once.
    void setCapacity(qint64 capacity);

private:
    static qint64 costOf(const QString &key, const QString &text);
    void dropOldestUntil(qint64 budget);

    QHash<QString, QString> m_texts;
    QList<QString> m_order;
    qint64 m_size = 0;
    qint64 m_capacity;
};

#endif // BOUNDEDTEXTCACHE_H
