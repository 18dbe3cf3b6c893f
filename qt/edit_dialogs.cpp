#include "qt/edit_dialogs.h"

#include "qt/dialog_units.h"
#include "ui/resources/template_places.h"

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
    setFixedSize(units.size(EDIT_SIZE));

    // Template order, which is the tab order: the value field has the focus.
    value_ = new QLineEdit(value, this);
    value_->setObjectName(QStringLiteral("valueField"));
    value_->setGeometry(units.rect(EDIT_VALUE_RECT));
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setGeometry(units.rect(EDIT_OK_RECT));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(units.rect(EDIT_CANCEL_RECT));
    auto* nameLabel = new QLabel(tr("Name"), this);
    QRect nameLabelRect = units.rect(EDIT_NAME_LABEL_RECT);
    nameLabelRect.setWidth(std::max(nameLabelRect.width(), nameLabel->sizeHint().width()));
    nameLabel->setGeometry(nameLabelRect);
    auto* nameField = new QLineEdit(name, this);
    nameField->setObjectName(QStringLiteral("nameField"));
    nameField->setReadOnly(true);
    nameField->setGeometry(units.rect(EDIT_NAME_RECT));
    auto* dataLabel = new QLabel(tr("Data"), this);
    QRect dataLabelRect = units.rect(EDIT_DATA_LABEL_RECT);
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
