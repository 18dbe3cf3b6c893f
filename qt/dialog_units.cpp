#include "dialog_units.h"

#include <QFontMetrics>
#include <QWidget>

namespace {

// MulDiv's rounding, for the non-negative values a template holds.
int scaled(int units, int base, int divisor)
{
    return (units * base * 2 + divisor) / (2 * divisor);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as Windows takes it.
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::x(int units) const
{
    return scaled(units, baseX_, 4);
}

int DialogUnits::y(int units) const
{
    return scaled(units, baseY_, 8);
}

QRect DialogUnits::rect(int x, int y, int width, int height) const
{
    return {this->x(x), this->y(y), this->x(width), this->y(height)};
}

QSize DialogUnits::size(int width, int height) const
{
    return {x(width), y(height)};
}

void fitCaption(QWidget* widget, const QString& caption, int padding)
{
    constexpr qreal kSmallest = 6.5;
    constexpr qreal kStep = 0.5;
    QFont font = widget->font();
    while (font.pointSizeF() - kStep >= kSmallest
           && QFontMetrics(font).horizontalAdvance(caption) + padding > widget->width())
        font.setPointSizeF(font.pointSizeF() - kStep);
    widget->setFont(font);
}
