#ifndef SKETCHLISTEDIT_H
#define SKETCHLISTEDIT_H

#include <QList>
#include <QObject>

#include <algorithm>
#include <utility>

// Takes model objects (shapes, layers, slices) out of their lists and puts
// them back where they were, under the one ownership rule of the commands:
// an object in a list belongs to the list's owner, which is its QObject
// parent (the layer of a shape, the document of a layer; slices have no tree
// owner), and an object out of every list belongs to the command that took it
// out, which frees it when it is discarded in that state. So an object loses
// its parent on the way out and gets the list's owner back on the way in.
class SketchListEdit
{
public:
    SketchListEdit() = delete;

    // Takes the object out of the list and returns the index it had; -1, and
    // nothing changes, when it is not there.
    template<typename T>
    static int takeOut(QList<T *> &list, typename QList<T *>::value_type object)
    {
        const int index = list.indexOf(object);
        if (index < 0)
            return -1;
        list.removeAt(index);
        object->setParent(nullptr);
        return index;
    }

    // Puts the object in at the index (at the end for -1 or an index past
    // the end) and makes the owner its parent. An object that is already in
    // the list stays where it is.
    template<typename T>
    static void putBack(QList<T *> &list, typename QList<T *>::value_type object, int index, QObject *owner)
    {
        if (!object || list.contains(object))
            return;
        if (index >= 0 && index <= list.size())
            list.insert(index, object);
        else
            list.append(object);
        object->setParent(owner);
    }

    // Puts several objects back, each at its former index, lowest index
    // first: taken out of one list, they come back in exactly its former
    // order. Objects without an index (-1) go on top in the given order.
    template<typename T>
    static void putBackInOrder(QList<T *> &list, const QList<std::pair<T *, int>> &entries, QObject *owner)
    {
        for (const std::pair<T *, int> &entry : lowestIndexFirst(entries))
            putBack(list, entry.first, entry.second, owner);
    }

    // The (object, former index) entries in the order in which putting them
    // back rebuilds their lists: lowest index first, -1 last, ties in the
    // given order. For objects of several lists (shapes of several layers).
    template<typename T>
    static QList<std::pair<T *, int>> lowestIndexFirst(QList<std::pair<T *, int>> entries)
    {
        // As unsigned numbers, -1 comes after every index.
        std::stable_sort(entries.begin(), entries.end(),
                         [](const std::pair<T *, int> &a, const std::pair<T *, int> &b) {
                             return unsigned(a.second) < unsigned(b.second);
                         });
        return entries;
    }
};

#endif // SKETCHLISTEDIT_H
