#include "LevelCheckDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CEditorDoc.h"

namespace trundlex {

LevelCheckDialog::LevelCheckDialog(CEditorDoc& document, QWidget* parent)
    : QDialog(parent), document_(document), text_(new QLabel(this)) {
    setWindowTitle(tr("Check Level"));
    text_->setWordWrap(true);
    text_->setMinimumWidth(360);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    again_ = buttons->addButton(tr("Check &Again"), QDialogButtonBox::ActionRole);
    connect(again_, &QPushButton::clicked, this, &LevelCheckDialog::check);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);

    connect(&checker_, &LevelChecker::finished, this, [this](int par) {
        showText(LevelChecker::verdict(par));
        emit parShown();
    });
    connect(&document_.history(), &QUndoStack::indexChanged, this,
            &LevelCheckDialog::levelChanged);
    connect(&document_, &CEditorDoc::documentReplaced, this, &LevelCheckDialog::levelChanged);
    // Nobody waits for a par in a closed window.
    connect(this, &QDialog::finished, &checker_, &LevelChecker::cancel);
}

void LevelCheckDialog::check() {
    problems_ = LevelChecker::problems(document_.level());
    checker_.start(document_.level());
    showText(tr("Working out par..."));
    QDialog::show();
    raise();
    activateWindow();
}

QString LevelCheckDialog::text() const {
    return text_->text();
}

void LevelCheckDialog::levelChanged() {
    if (!checker_.isRunning() && !isVisible()) {
        return;
    }
    checker_.cancel();
    text_->setText(tr("The level has changed since it was checked: choose Check Again."));
}

void LevelCheckDialog::showText(const QString& parLine) {
    const QString found =
        problems_.isEmpty() ? tr("No problems found.") : problems_.join(QLatin1Char('\n'));
    text_->setText(found + QStringLiteral("\n\n") + parLine);
}

}  // namespace trundlex
