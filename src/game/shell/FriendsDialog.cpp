#include "FriendsDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "OnlinePage.h"

namespace trundlex {

FriendsDialog::FriendsDialog(GameSettings& settings, const QString& name,
                             const roomproto::Request& previous, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Play with friends"));
    auto* form = new QFormLayout;
    name_ = new QLineEdit(name, this);
    name_->setMaxLength(40);
    name_->setAccessibleName(tr("Your name"));
    form->addRow(tr("Your &name:"), name_);
    online_ = new OnlinePage(settings, form, this);
    online_->showRequest(previous);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    go_ = buttons->button(QDialogButtonBox::Ok);
    go_->setText(tr("&Go to the room"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(name_, &QLineEdit::textChanged, this, &FriendsDialog::updateGo);
    connect(online_, &OnlinePage::changed, this, &FriendsDialog::updateGo);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    online_->setRowsVisible(true);
    online_->refreshIfStale();
    updateGo();
    name_->setFocus();
    resize(std::max(sizeHint().width(), 520), sizeHint().height());
}

FriendsDialog::~FriendsDialog() = default;

QString FriendsDialog::playerName() const { return name_->text().trimmed(); }

roomproto::Request FriendsDialog::request() const { return online_->request(); }

void FriendsDialog::updateGo() {
    go_->setEnabled(!playerName().isEmpty() && online_->host().valid() &&
                    request().kind != roomproto::Request::Kind::Invalid);
}

}  // namespace trundlex
