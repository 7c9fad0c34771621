#include "AddToCourseDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trundlex {

AddToCourseDialog::AddToCourseDialog(const QString& levelName, const QStringList& courseNames,
                                     QWidget* parent)
    : QDialog(parent),
      existing_(new QRadioButton(tr("To the end of an &existing course:"), this)),
      courses_(new QComboBox(this)),
      create_(new QRadioButton(tr("To a &new course named:"), this)),
      name_(new QLineEdit(this)) {
    setWindowTitle(tr("Add to Course"));
    auto* intro = new QLabel(tr("Add the level \"%1\" as the last hole of a course. The game "
                                "lists your courses under Pick course.")
                                 .arg(levelName),
                             this);
    intro->setWordWrap(true);
    courses_->addItems(courseNames);

    auto* choices = new QGridLayout;
    choices->addWidget(existing_, 0, 0);
    choices->addWidget(courses_, 0, 1);
    choices->addWidget(create_, 1, 0);
    choices->addWidget(name_, 1, 1);
    choices->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(choices);
    layout->addWidget(buttons);
    setMinimumWidth(440);

    if (courseNames.isEmpty()) {
        existing_->setEnabled(false);
        courses_->setEnabled(false);
        create_->setChecked(true);
        name_->setFocus();
    } else {
        existing_->setChecked(true);
    }
    connect(existing_, &QRadioButton::toggled, this, &AddToCourseDialog::updateEnabling);
    connect(name_, &QLineEdit::textChanged, this, &AddToCourseDialog::updateEnabling);
    // Choosing a course or typing a name says which of the two is meant.
    connect(courses_, &QComboBox::activated, existing_, [this] {
        if (existing_->isEnabled()) {
            existing_->setChecked(true);
        }
    });
    connect(name_, &QLineEdit::textEdited, create_, [this] { create_->setChecked(true); });
    updateEnabling();
}

AddToCourseDialog::Choice AddToCourseDialog::choice() const {
    if (existing_->isChecked()) {
        return {courses_->currentIndex(), {}};
    }
    return {-1, name_->text().trimmed()};
}

void AddToCourseDialog::updateEnabling() {
    const bool existing = existing_->isChecked();
    ok_->setEnabled(existing ? courses_->currentIndex() >= 0 : !name_->text().trimmed().isEmpty());
}

}  // namespace trundlex
