#include "model/boundedtextcache.h"

#include <QtGlobal>

BoundedTextCache::BoundedTextCache(qint64 capacity)
    : m_capacity(qMax<qint64>(capacity, 0))
{
}

qint64 BoundedTextCache::costOf(const QString &key, const QString &text)
{
    return 2 * (qint64(key.size()) + qint64(text.size()));
}

bool BoundedTextCache::insert(const QString &key, const QString &text)
{
    remove(key);
    const qint64 cost = costOf(key, text);
    if (cost > m_capacity)
        return false;
    dropOldestUntil(m_capacity - cost);
    m_texts.insert(key, text);
    m_order.append(key);
    m_size += cost;
    return true;
}

void BoundedTextCache::remove(const QString &key)
{
    const auto found = m_texts.constFind(key);
    if (found == m_texts.constEnd())
        return;
    m_size -= costOf(key, found.value());
    m_texts.erase(found);
    m_order.removeOne(key);
}

void BoundedTextCache::clear()
{
    m_texts.clear();
    m_order.clear();
    m_size = 0;
}

void BoundedTextCache::setCapacity(qint64 capacity)
{
    m_capacity = qMax<qint64>(capacity, 0);
    dropOldestUntil(m_capacity);
}

void BoundedTextCache::dropOldestUntil(qint64 budget)
{
    while (m_size > budget && !m_order.isEmpty())
        remove(m_order.first());
}
