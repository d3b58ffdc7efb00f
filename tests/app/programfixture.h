#ifndef PROGRAMFIXTURE_H
#define PROGRAMFIXTURE_H

// Small documents and file helpers shared by the start-up tests.

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

namespace programfixture {

// Two pages that look different from each other and leave the paper's edge
// free, so the paper border shows wherever it is drawn.
inline QByteArray redPage()
{
    return "<Storyloom><Document><Layer Name=\"Back\">"
           "<Shape Behavior=\"1\" Points=\"100,100;300,100;300,250;100,250\">"
           "<Fill Color=\"#d02020\"/><Stroke Width=\"3\"/></Shape>"
           "<Shape Behavior=\"1\" Tension=\"0.85\" "
           "Points=\"500,200,1;600,300,1;500,400,1;400,300,1\"><Fill Color=\"#2040d0\"/></Shape>"
           "</Layer></Document></Storyloom>\n";
}

inline QByteArray greenPage()
{
    return "<Storyloom><Document><Layer Name=\"Back\">"
           "<Shape Behavior=\"1\" Points=\"600,50;800,50;800,500;600,500\">"
           "<Fill Color=\"#20a040\"/></Shape>"
           "</Layer></Document></Storyloom>\n";
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when every pixel in which the two images differ lies within `band`
// pixels of the image's edge, and at least one does.
inline bool differOnlyAtTheEdge(const QImage &a, const QImage &b, int band)
{
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    bool differs = false;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            if (x.pixel(column, row) == y.pixel(column, row))
                continue;
            const bool atEdge = row < band || column < band || row >= x.height() - band
                || column >= x.width() - band;
            if (!atEdge)
                return false;
            differs = true;
        }
    }
    return differs;
}

} // namespace programfixture

#endif // PROGRAMFIXTURE_H
