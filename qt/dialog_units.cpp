#include "qt/dialog_units.h"

#include <QFontMetrics>
#include <QWidgetItem>
#include <QWidget>

#include <algorithm>

namespace {

// The closed height of a drop-down, in dialog units.
constexpr int kDropDownHeight = 13;

// One side of a place along one axis, for extra pixels of growth.
void follow(int& start, int& length, TemplateLayout::Pin pin, int extra)
{
    if (pin == TemplateLayout::Pin::Move)
        start += extra;
    else if (pin == TemplateLayout::Pin::Grow)
        length += extra;
}

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

QRect DialogUnits::dropDown(int x, int y, int width, int) const
{
    return rect(x, y, width, kDropDownHeight);
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

TemplateLayout::TemplateLayout(QWidget* parent, const QSize& size) : QLayout(parent), size_(size)
{
    // The places are the template's own, from the widget's corner.
    setContentsMargins(0, 0, 0, 0);
}

TemplateLayout::~TemplateLayout()
{
    for (const Placed& placed : placed_)
        delete placed.item;
}

void TemplateLayout::addWidget(QWidget* widget, const QRect& place, Pin across, Pin down)
{
    addChildWidget(widget);
    widget->setGeometry(place);
    placed_.append({new QWidgetItem(widget), place, across, down});
    invalidate();
}

void TemplateLayout::addItem(QLayoutItem* item)
{
    placed_.append({item, item->geometry(), Pin::Stay, Pin::Stay});
}

QLayoutItem* TemplateLayout::itemAt(int index) const
{
    return index >= 0 && index < placed_.size() ? placed_[index].item : nullptr;
}

QLayoutItem* TemplateLayout::takeAt(int index)
{
    if (index < 0 || index >= placed_.size())
        return nullptr;
    return placed_.takeAt(index).item;
}

int TemplateLayout::count() const
{
    return static_cast<int>(placed_.size());
}

QSize TemplateLayout::sizeHint() const
{
    return size_;
}

QSize TemplateLayout::minimumSize() const
{
    return size_;
}

void TemplateLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const int wider = std::max(0, rect.width() - size_.width());
    const int taller = std::max(0, rect.height() - size_.height());
    for (const Placed& placed : placed_) {
        int x = rect.x() + placed.place.x();
        int y = rect.y() + placed.place.y();
        int width = placed.place.width();
        int height = placed.place.height();
        follow(x, width, placed.across, wider);
        follow(y, height, placed.down, taller);
        // The widget itself, not its item: an item would hold a button to
        // its own height, and the template's are taller.
        if (QWidget* widget = placed.item->widget())
            widget->setGeometry(x, y, width, height);
        else
            placed.item->setGeometry(QRect(x, y, width, height));
    }
}
