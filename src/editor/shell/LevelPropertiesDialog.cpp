#include "LevelPropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace trundlex {

LevelPropertiesDialog::LevelPropertiesDialog(const LevelProperties& values, QWidget* parent)
    : QDialog(parent),
      creator_(new QLineEdit(values.creator, this)),
      name_(new QLineEdit(values.name, this)),
      width_(new QSpinBox(this)),
      height_(new QSpinBox(this)) {
    setWindowTitle(tr("Level Properties"));
    const int largest = std::max({LevelProperties::MaxSize, values.width, values.height});
    for (QSpinBox* field : {width_, height_}) {
        field->setRange(LevelProperties::MinSize, largest);
    }
    width_->setValue(values.width);
    height_->setValue(values.height);

    auto* form = new QFormLayout;
    form->addRow(tr("&Creator:"), creator_);
    form->addRow(tr("&Name:"), name_);
    form->addRow(tr("&Width:"), width_);
    form->addRow(tr("&Height:"), height_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &LevelPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LevelPropertiesDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // Room for the title in the frame, beside the window buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 160);
}

LevelProperties LevelPropertiesDialog::values() const {
    return {creator_->text(), name_->text(), width_->value(), height_->value()};
}

void LevelPropertiesDialog::accept() {
    for (QSpinBox* field : {width_, height_}) {
        bool number = false;
        const int typed = field->locale().toInt(field->cleanText(), &number);
        if (!number || typed < field->minimum() || typed > field->maximum()) {
            refuse(tr("Please enter an integer between %1 and %2.")
                       .arg(field->minimum())
                       .arg(field->maximum()));
            field->setFocus();
            field->selectAll();
            return;
        }
    }
    QDialog::accept();
}

void LevelPropertiesDialog::refuse(const QString& message) {
    QMessageBox::warning(this, windowTitle(), message);
}

}  // namespace trundlex
