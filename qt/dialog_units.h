// Dialog units as the Win32 dialog manager converts them: x·baseX/4 and
// y·baseY/8, the base units taken from the font's average character width
// and its height. Placing the Win32 templates' controls through them keeps
// their arrangement whatever font the desktop gives the window.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

private:
    int baseX_;
    int baseY_;
};

class QWidget;
class QString;

// A caption wider than its place is set in a smaller font, down to a size
// still readable, rather than cut off: the templates' places were measured
// for a narrow Japanese font.
void fitCaption(QWidget* widget, const QString& caption, int padding);
