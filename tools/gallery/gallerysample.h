#pragma once
// The widget gallery's catalogue: one entry per skinned widget to look at.
//
// Each area of the program keeps its samples in a source file of its own
// here (windowsamples.cpp, gridsamples.cpp, ...) and lists them with one
// GallerySetRegistration at file scope, so adding a set never touches
// another area's file.

#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

struct GallerySample {
    QString name;                   // file name stem: letters, digits, '-'
    QSize size;                     // the widget is resized to this before the grab
    std::function<QWidget*()> make; // a new top-level widget in the current theme; the gallery deletes it
};

using GallerySetFunction = std::vector<GallerySample> (*)();

class GallerySetRegistration {
public:
    explicit GallerySetRegistration(GallerySetFunction set);
};

// Every registered sample, in the order of their names.
std::vector<GallerySample> allGallerySamples();
