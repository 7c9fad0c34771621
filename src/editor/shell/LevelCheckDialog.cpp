#include "LevelCheckDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "CEditorDoc.h"

namespace trundlex {

LevelCheckDialog::LevelCheckDialog(CEditorDoc& document, QWidget* parent)
    : QDialog(parent),
      document_(document),
      problems_(new QListWidget(this)),
      par_(new QLabel(this)),
      busy_(new QProgressBar(this)),
      showPutts_(new QCheckBox(tr("&Show the solver's putts on the level"), this)) {
    setWindowTitle(tr("Check Level"));
    problems_->setMinimumWidth(420);
    problems_->setWordWrap(true);
    problems_->setSelectionMode(QAbstractItemView::SingleSelection);
    par_->setWordWrap(true);
    par_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // How long a par takes is not known in advance: the bar only shows that work goes on.
    busy_->setRange(0, 0);
    busy_->setTextVisible(false);
    busy_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    again_ = buttons->addButton(tr("Check &Again"), QDialogButtonBox::ActionRole);
    connect(again_, &QPushButton::clicked, this, &LevelCheckDialog::check);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problems_);
    layout->addWidget(par_);
    layout->addWidget(busy_);
    layout->addWidget(showPutts_);
    layout->addWidget(buttons);
    showPutts_->setEnabled(false);
    connect(showPutts_, &QCheckBox::toggled, this, [this](bool on) {
        emit puttsShown(on ? putts_ : std::vector<PuttPath>{});
    });
    connect(&checker_, &LevelChecker::puttsFound, this,
            [this](const std::vector<PuttPath>& putts) {
                putts_ = putts;
                showPutts_->setEnabled(!putts_.empty());
                showPutts_->setToolTip(
                    putts_.empty() ? tr("The solver found no way into the cup within the par.")
                                   : tr("Putts into the cup: %1, played by the game's ball "
                                        "as the solver found them.")
                                         .arg(putts_.size()));
                emit puttsReady();
            });

    connect(problems_, &QListWidget::itemSelectionChanged, this,
            &LevelCheckDialog::problemSelected);
    connect(&checker_, &LevelChecker::finished, this, [this](int par) {
        busy_->hide();
        showPar(LevelChecker::verdict(par));
        emit parShown();
    });
    connect(&document_.history(), &QUndoStack::indexChanged, this,
            &LevelCheckDialog::levelChanged);
    connect(&document_, &CEditorDoc::documentReplaced, this, &LevelCheckDialog::levelChanged);
    // Nobody waits for a par in a closed window, and no cell stays marked for it.
    connect(this, &QDialog::finished, this, [this] {
        stopWorking();
        problems_->clearSelection();
        emit cellsHighlighted({});
        dropPutts();
    });
}

void LevelCheckDialog::check() {
    dropPutts();
    findings_ = checkLevel(document_.level());
    problems_->clear();
    for (const LevelFinding& finding : findings_) {
        problems_->addItem(LevelChecker::problemText(finding));
    }
    if (findings_.empty()) {
        problems_->addItem(tr("No problems found."));
    }
    emit cellsHighlighted({});
    if (parCanBeWorkedOut(findings_)) {
        checker_.start(document_.level());
        busy_->show();
        showPar(tr("Working out par..."));
    } else {
        // A par or "cannot be holed" would only repeat what the list says.
        stopWorking();
        showPar(tr("The par is worked out once these problems are put right."));
    }
    QDialog::show();
    raise();
    activateWindow();
}

QString LevelCheckDialog::text() const {
    QStringList lines;
    for (int row = 0; row < problems_->count(); ++row) {
        lines << problems_->item(row)->text();
    }
    return lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n") + par_->text();
}

bool LevelCheckDialog::isBusyShown() const {
    return !busy_->isHidden();
}

void LevelCheckDialog::selectProblem(int row) {
    if (row < 0) {
        problems_->clearSelection();
    } else {
        problems_->setCurrentRow(row);
    }
}

void LevelCheckDialog::problemSelected() {
    const QList<QListWidgetItem*> selected = problems_->selectedItems();
    const int row = selected.isEmpty() ? -1 : problems_->row(selected.front());
    if (row < 0 || row >= static_cast<int>(findings_.size())) {
        emit cellsHighlighted({});
        return;
    }
    emit cellsHighlighted(findings_[static_cast<std::size_t>(row)].cells);
}

void LevelCheckDialog::levelChanged() {
    if (!checker_.isRunning() && !isVisible()) {
        return;
    }
    stopWorking();
    dropPutts();
    // The cells found may no longer hold what the list says.
    findings_.clear();
    problems_->clear();
    emit cellsHighlighted({});
    par_->setText(tr("The level has changed since it was checked: choose Check Again."));
}

void LevelCheckDialog::showPar(const QString& parLine) {
    par_->setText(parLine);
}

void LevelCheckDialog::dropPutts() {
    putts_.clear();
    showPutts_->setEnabled(false);
    if (showPutts_->isChecked()) {
        showPutts_->setChecked(false);  // takes them off the level
    }
}

void LevelCheckDialog::stopWorking() {
    checker_.cancel();
    busy_->hide();
}

}  // namespace trundlex
