#ifndef SUPPORT_CONTRAST_H
#define SUPPORT_CONTRAST_H

// Contrast as the web accessibility guidelines reckon it: the relative
// luminance of two colours, (lighter + 0.05) / (darker + 0.05), from 1 (the
// same) to 21 (black on white). Text needs 4.5, a focus indicator 3.
//
// textContrasts() reads every text of a shown window as Qt draws it: the
// colour from the widget's palette after its style sheet has been applied
// (polish), the background from a grab of the window, as the colour most
// pixels of the widget's area have.

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QRadioButton>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace contrast {

inline double luminance(const QColor &colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
}

inline double ratio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most pixels of the area have (opaque).
inline QColor dominantColour(const QImage &image, const QRect &area)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRect r = area & rgb.rect();
    QHash<QRgb, int> counts;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[rgb.pixel(x, y) | 0xff000000u];
    }
    QRgb best = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            best = it.key();
        }
    }
    return QColor::fromRgb(best);
}

struct Text
{
    QString what;  // class and text, for the failure message
    QColor colour;
    QColor background;
    double ratio;
};

// The texts of the window's visible labels, check and radio buttons, group
// box titles, combo boxes, line edits and spin boxes. Empty ones are left
// out, and so are disabled ones, which are not meant to be read as the
// others are.
inline QList<Text> textContrasts(QWidget *window)
{
    QList<Text> texts;
    const QImage shot = window->grab().toImage();
    // A grab of a high-resolution screen is larger than the window.
    const qreal scale = shot.width() / qreal(qMax(1, window->width()));
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window) || widget->window() != window || !widget->isEnabled())
            continue;
        widget->ensurePolished();
        QString text;
        QPalette::ColorRole role = QPalette::WindowText;
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            text = label->text();
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget);
                   button && (qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget))) {
            text = button->text();
        } else if (auto *box = qobject_cast<QGroupBox *>(widget)) {
            text = box->title();
        } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            text = combo->currentText();
            role = combo->isEditable() ? QPalette::Text : QPalette::ButtonText;
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            // The edits inside combo and spin boxes count with their box.
            if (qobject_cast<QComboBox *>(widget->parentWidget())
                || qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
                continue;
            text = edit->text();
            role = QPalette::Text;
        } else if (auto *spin = qobject_cast<QAbstractSpinBox *>(widget)) {
            text = spin->text();
            role = QPalette::Text;
        }
        if (text.trimmed().isEmpty())
            continue;
        QRect area(widget->mapTo(window, QPoint(0, 0)), widget->size());
        if (auto *box = qobject_cast<QGroupBox *>(widget))
            area.setHeight(box->fontMetrics().height());
        const QRect scaled(QPointF(area.topLeft() * scale).toPoint(), QSizeF(area.size() * scale).toSize());
        const QColor colour = widget->palette().color(role);
        const QColor background = dominantColour(shot, scaled);
        texts.append({QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(widget->metaObject()->className()), text),
                      colour, background, ratio(colour, background)});
    }
    return texts;
}

// The text of lowest contrast; a ratio of 21 and no text when there is none.
inline Text worstText(QWidget *window)
{
    Text worst{QString(), QColor(), QColor(), 21.0};
    for (const Text &text : textContrasts(window)) {
        if (text.ratio < worst.ratio)
            worst = text;
    }
    return worst;
}

inline QString describe(const Text &text)
{
    return QStringLiteral("%1: %2 on %3, %4:1")
        .arg(text.what, text.colour.name(), text.background.name())
        .arg(text.ratio, 0, 'f', 2);
}

} // namespace contrast

#endif // SUPPORT_CONTRAST_H
