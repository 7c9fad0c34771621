#include "ReplaceMaterialDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "BlockTexts.h"

namespace trundlex {

namespace {

QComboBox* materialList(std::int32_t chosen, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (std::int32_t kind = 0; kind < MaterialKindCount; ++kind) {
        list->addItem(BlockTexts::materialName(kind), kind);
    }
    list->setCurrentIndex(list->findData(chosen));
    return list;
}

}  // namespace

ReplaceMaterialDialog::ReplaceMaterialDialog(const MaterialReplacement& start,
                                             bool selectionAvailable, QWidget* parent)
    : QDialog(parent),
      from_(materialList(start.from, this)),
      to_(materialList(start.to, this)),
      inSelection_(new QCheckBox(tr("Only in the &selection"), this)) {
    setWindowTitle(tr("Replace Material"));
    // Wide enough for the title, which window managers cut short on a narrow dialog.
    setMinimumWidth(320);
    auto* form = new QFormLayout;
    form->addRow(tr("&Replace:"), from_);
    form->addRow(tr("&With:"), to_);
    inSelection_->setEnabled(selectionAvailable);
    inSelection_->setChecked(selectionAvailable && start.inSelection);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(inSelection_);
    layout->addWidget(buttons);
    connect(from_, &QComboBox::currentIndexChanged, this, &ReplaceMaterialDialog::updateEnabling);
    connect(to_, &QComboBox::currentIndexChanged, this, &ReplaceMaterialDialog::updateEnabling);
    updateEnabling();
}

MaterialReplacement ReplaceMaterialDialog::choice() const {
    return {from_->currentData().toInt(), to_->currentData().toInt(), inSelection_->isChecked()};
}

void ReplaceMaterialDialog::updateEnabling() {
    ok_->setEnabled(from_->currentIndex() != to_->currentIndex());
}

}  // namespace trundlex
