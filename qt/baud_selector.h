// The baud selector of the main window and the options dialog: the six
// rates in their order, and any rate may be typed.
#pragma once

#include <QComboBox>

class BaudSelector : public QComboBox {
    Q_OBJECT
public:
    explicit BaudSelector(QWidget* parent);

    // Selects the entry whose value is baud; a rate that is none of the six
    // leaves the field empty.
    void select(int baud);
};
