#include "qt/baud_selector.h"

#include "ops/selector_choices.h"

#include <QLineEdit>

#include <cstdlib>

namespace {

// What the Win32 dialogs read of the field.
constexpr int kBaudTextMax = 15;

}  // namespace

BaudSelector::BaudSelector(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setMaxLength(kBaudTextMax);
    for (const char* rate : kBaudChoices)
        addItem(QString::fromLatin1(rate));
}

void BaudSelector::select(int baud)
{
    setCurrentIndex(-1);
    setEditText(QString());
    for (int k = 0; k < count(); ++k)
        if (std::atoi(itemText(k).toLatin1().constData()) == baud)
            setCurrentIndex(k);
}
