#ifndef SKINSLIDER_H
#define SKINSLIDER_H

#include <QSlider>
#include <QString>

class QKeyEvent;

// A QSlider that reports its value in two stages, so that a caller can show
// a value live and record it once: valueChanging(int) at a left-button press,
// at every move with only the left button held and at a press of a slider
// key (the arrows, PageUp, PageDown); valueAccepted(int) at the left
// button's release and at the slider key's release. After each it emits the
// value with the unit suffix, valueSuffixChanged(QString).
//
// The value moves exactly as a QSlider's does; other keys (Home, End) and
// other buttons move it without a report, and so do the auto-repeated
// presses of a held key. Setting the value in code reports nothing: callers
// then call updateValueText() themselves. Mouse events never reach the
// parent.
class SkinSlider : public QSlider
{
    Q_OBJECT

public:
    // Qt's default orientation; an empty suffix.
    explicit SkinSlider(QWidget *parent = nullptr);

    QString suffix() const { return m_suffix; }
    // Emits nothing.
    void setSuffix(const QString &suffix) { m_suffix = suffix; }

    // Emits valueSuffixChanged with the value in decimal followed by the
    // suffix, "35%" say.
    void updateValueText();

    // Left, Right, Up, Down, PageUp or PageDown; false for a null event.
    static bool isSliderKey(const QKeyEvent *event);
    // A slider key that is not auto-repeated.
    static bool isSliderKeyEvent(const QKeyEvent *event);

signals:
    void valueChanging(int value);
    void valueAccepted(int value);
    void valueSuffixChanged(const QString &text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void reportChanging();
    void reportAccepted();

    QString m_suffix;
};

#endif // SKINSLIDER_H
