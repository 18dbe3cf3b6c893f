#include "qt/edit_dialogs.h"

#include "qt/dialog_units.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kTextMax = 1023;

}  // namespace

ValueEditDialog::ValueEditDialog(Kind kind, const QString& name, const QString& value, QWidget* parent) :
    QDialog(parent)
{
    setWindowTitle(kind == Kind::Ram ? tr("Edit data") : tr("Edit FLASH value"));
    setObjectName(kind == Kind::Ram ? QStringLiteral("ramEditDialog") : QStringLiteral("flashEditDialog"));
    const DialogUnits units(font());
    setFixedSize(units.size(118, 93));

    // Template order, which is the tab order: the value field has the focus.
    value_ = new QLineEdit(value, this);
    value_->setObjectName(QStringLiteral("valueField"));
    value_->setGeometry(units.rect(7, 52, 104, 14));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(units.rect(7, 72, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(units.rect(61, 72, 50, 14));
    auto* nameLabel = new QLabel(tr("Name"), this);
    QRect nameLabelRect = units.rect(7, 7, 18, 8);
    nameLabelRect.setWidth(std::max(nameLabelRect.width(), nameLabel->sizeHint().width()));
    nameLabel->setGeometry(nameLabelRect);
    auto* nameField = new QLineEdit(name, this);
    nameField->setObjectName(QStringLiteral("nameField"));
    nameField->setReadOnly(true);
    nameField->setGeometry(units.rect(7, 19, 104, 14));
    auto* dataLabel = new QLabel(tr("Data"), this);
    QRect dataLabelRect = units.rect(7, 40, 30, 8);
    dataLabelRect.setWidth(std::max(dataLabelRect.width(), dataLabel->sizeHint().width()));
    dataLabel->setGeometry(dataLabelRect);

    setTabOrder(value_, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, nameField);
    value_->setFocus();
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QByteArray ValueEditDialog::typedText() const
{
    return value_->text().toLocal8Bit().left(kTextMax);
}
