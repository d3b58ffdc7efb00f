#ifndef PAGEPICTURE_H
#define PAGEPICTURE_H

#include <QImage>
#include <QRegion>
#include <QSize>

// A document view's kept picture of its page: one image of the view's size
// holding what the view shows under the current tool's overlay (the
// backdrop, the shapes with their handles and the paper border), and the
// part of it that is still up to date. A repaint paints only the parts of
// its area that are not, then copies the rest; a scroll moves the pixels
// already painted.
//
// The view invalidates the picture wherever a change alters what it shows;
// the picture itself knows nothing of the page. It owns its image, made on
// first use at the size asked for and dropped when the size changes or the
// view lets it go, so that a view holds at most one.
class PagePicture
{
public:
    // The picture for a view of that size, one image pixel per view pixel:
    // the kept one when it fits, else a new one that is wholly out of date.
    // Fonts given in points are sized for dpiX and dpiY, as on the view.
    QImage *prepare(const QSize &size, int dpiX, int dpiY);
    // Frees the image; the next prepare() makes a new one.
    void release();
    bool isNull() const { return m_image.isNull(); }
    const QImage &image() const { return m_image; }

    // Nothing of the picture is up to date any more.
    void invalidate() { m_valid = QRegion(); }
    void invalidate(const QRegion &region) { m_valid -= region; }
    // The parts of the region (view pixels) that have to be painted again.
    QRegion outdatedPart(const QRegion &region) const;
    bool isUpToDate(const QRegion &region) const { return outdatedPart(region).isEmpty(); }
    // The region has just been painted.
    void validate(const QRegion &region);
    // Moves the pixels by (dx, dy) view pixels, as the page moves under a
    // scroll: what moves in from outside the picture is out of date.
    void scroll(int dx, int dy);

private:
    QImage m_image;
    QRegion m_valid;
};

#endif // PAGEPICTURE_H
