#include "LevelPropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace trundlex {

namespace {

// A size field: any unsigned number can be typed, so that a wrong one is refused with a
// message rather than silently changed, but the arrows step only within the allowed range.
class SizeSpinBox : public QSpinBox {
public:
    explicit SizeSpinBox(QWidget* parent) : QSpinBox(parent) {
        setRange(0, std::numeric_limits<int>::max());
    }

    void stepBy(int steps) override {
        const int stepped =
            std::clamp(value() + steps, LevelProperties::MinSize, LevelProperties::MaxSize);
        setValue(stepped);
        selectAll();
    }

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled enabled = StepNone;
        if (value() < LevelProperties::MaxSize) {
            enabled |= StepUpEnabled;
        }
        if (value() > LevelProperties::MinSize) {
            enabled |= StepDownEnabled;
        }
        return enabled;
    }
};

}  // namespace

LevelPropertiesDialog::LevelPropertiesDialog(const LevelProperties& values, QWidget* parent)
    : QDialog(parent),
      creator_(new QLineEdit(values.creator, this)),
      name_(new QLineEdit(values.name, this)),
      width_(new SizeSpinBox(this)),
      height_(new SizeSpinBox(this)) {
    setWindowTitle(tr("Level Properties"));
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
}

LevelProperties LevelPropertiesDialog::values() const {
    return {creator_->text(), name_->text(), width_->value(), height_->value()};
}

void LevelPropertiesDialog::accept() {
    for (QSpinBox* field : {width_, height_}) {
        field->interpretText();
        if (field->value() < LevelProperties::MinSize ||
            field->value() > LevelProperties::MaxSize) {
            refuse(tr("Please enter an integer between %1 and %2.")
                       .arg(LevelProperties::MinSize)
                       .arg(LevelProperties::MaxSize));
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
