#ifndef ENTITYEXPANSION_H
#define ENTITYEXPANSION_H

#include <QByteArray>
#include <QtGlobal>

// How much text the entity references of an XML text stand for when the
// document parser expands them. A document type may declare entities
// ("<!ENTITY name 'text'>"), and the parser puts the text of each one into
// the tree wherever it is referred to, so a text of a few kilobytes can
// stand for gigabytes of tree. The material description reader hands no
// text to the parser whose references stand for more than a bound.
//
// An upper bound, read leniently from the bytes: every "<!ENTITY" counts as
// a declaration (the longest text of a repeated name counts), parameter
// entities included; a declared text stands for its characters, those of
// the references in it and of the references its character references
// spell out ("&#38;b;" is a reference once declared); every reference to a
// declared general entity outside the declared texts counts, in comments
// too. An entity that refers to itself, directly or not, and references
// nested deeper than 64 entities stand for more than any bound.
//
// Never instantiated; a plain function of its arguments.
class EntityExpansion
{
public:
    EntityExpansion() = delete;

    // The characters the references of the text stand for in all, counted
    // up to limit + 1.
    static qint64 expandedSize(const QByteArray &text, qint64 limit);
};

#endif // ENTITYEXPANSION_H
