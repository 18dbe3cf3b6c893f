// Dialog units as the Win32 dialog manager converts them: x·baseX/4 and
// y·baseY/8, the base units taken from the font's average character width
// and its height. Placing the Win32 templates' controls through them keeps
// their arrangement whatever font the desktop gives the window. The places
// are ui/resources/template_places.h's, passed whole: units.rect(MAIN_SEND_RECT).
#pragma once

#include <QFont>
#include <QLayout>
#include <QList>
#include <QRect>
#include <QSize>

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    // A drop-down closed: a template gives the height its list opens to.
    QRect dropDown(int x, int y, int width, int listHeight) const;
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

// A template's controls at their places, the template's size the least the
// widget takes. A larger widget moves each control with the edges it is
// pinned to, or stretches it between them: the window opens as the Win32
// one looks, and what grows is the room the list and the fields get.
class TemplateLayout : public QLayout {
public:
    // Along one axis: keeps its place, grows with the widget, or moves with its far edge.
    enum class Pin { Stay, Grow, Move };

    TemplateLayout(QWidget* parent, const QSize& size);
    ~TemplateLayout() override;

    // Places widget at place now and whenever the widget grows.
    void addWidget(QWidget* widget, const QRect& place, Pin across, Pin down);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct Placed {
        QLayoutItem* item;
        QRect place;
        Pin across;
        Pin down;
    };
    QList<Placed> placed_;
    QSize size_;
};
